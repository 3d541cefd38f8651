// An IAccessible for the form that forwards to the window's standard client object and
// answers for the painted labels itself.
#include "win32/accessible_form.h"

#include <oleacc.h>

#include "win32/forwarding_accessible.h"
#include "win32/screen_readers.h"

namespace vop::win32 {

namespace {

// The children Windows' own object of the form counts: its visible child windows.
int childWindows(HWND form) {
    int count = 0;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        count += IsWindowVisible(child) ? 1 : 0;
    }
    return count;
}

class FormAccessible final : public ForwardingAccessible {
  public:
    using ForwardingAccessible::ForwardingAccessible;

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        const HRESULT hr = standard_->get_accChildCount(count);
        if (SUCCEEDED(hr)) {
            *count += labelCount();
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        LabelView view;
        if (labelOf(child, view)) {
            if (out != nullptr) {
                *out = nullptr;
            }
            return S_FALSE;  // a simple element: the form answers for it
        }
        return ForwardingAccessible::get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        LabelView view;
        return labelOf(child, view) ? answerText(view.name, name)
                                    : ForwardingAccessible::get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        LabelView view;
        return labelOf(child, view) ? answerText(view.caption, value)
                                    : ForwardingAccessible::get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        LabelView view;
        return labelOf(child, view) ? answerText(Text(), text)
                                    : ForwardingAccessible::get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        LabelView view;
        if (!labelOf(child, view)) {
            return ForwardingAccessible::get_accRole(child, role);
        }
        return answerNumber(ROLE_SYSTEM_STATICTEXT, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        LabelView view;
        if (!labelOf(child, view)) {
            return ForwardingAccessible::get_accState(child, state);
        }
        return answerNumber(STATE_SYSTEM_READONLY | (view.enabled ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                                (view.visible ? 0 : STATE_SYSTEM_INVISIBLE),
                            state);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        LabelView view;
        if (!labelOf(child, view)) {
            return ForwardingAccessible::accLocation(left, top, width, height, child);
        }
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        POINT at{view.rect.left, view.rect.top};
        ClientToScreen(window_, &at);
        *left = at.x;
        *top = at.y;
        *width = view.rect.width;
        *height = view.rect.height;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        const HRESULT hr = standard_->accHitTest(x, y, child);
        if (hr != S_OK || child == nullptr || child->vt != VT_I4 || child->lVal != CHILDID_SELF) {
            return hr;  // a button, or nothing of the form
        }
        const ScreenReaders* readers = ScreenReaders::of(window_);
        if (readers == nullptr) {
            return S_OK;
        }
        POINT at{x, y};
        ScreenToClient(window_, &at);
        for (int i = readers->labelCount() - 1; i >= 0; --i) {  // the last made is in front
            LabelView view;
            if (readers->label(i, view) && view.visible && view.rect.contains(at.x, at.y)) {
                child->lVal = labelChildId(window_, i);
                break;
            }
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        LabelView view;
        return labelOf(child, view) ? answerText(Text(), action)
                                    : ForwardingAccessible::get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        LabelView view;
        return labelOf(child, view) ? DISP_E_MEMBERNOTFOUND
                                    : ForwardingAccessible::accDoDefaultAction(child);
    }

  private:
    int labelCount() const {
        const ScreenReaders* readers = ScreenReaders::of(window_);
        return readers != nullptr ? readers->labelCount() : 0;
    }
    // The label a child id names, if it names one.
    bool labelOf(const VARIANT& child, LabelView& view) const {
        const ScreenReaders* readers = ScreenReaders::of(window_);
        return child.vt == VT_I4 && readers != nullptr &&
               readers->label(static_cast<int>(child.lVal - labelChildId(window_, 0)), view);
    }
};

}  // namespace

LONG labelChildId(HWND form, int index) {
    return childWindows(form) + 1 + index;
}

LRESULT accessibleFormFor(HWND form, WPARAM flags) {
    return answerWith<FormAccessible>(form, flags);
}

}  // namespace vop::win32
