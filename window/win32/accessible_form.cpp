// An IAccessible for the form that forwards to the window's standard client object and
// answers for the painted labels itself.
#include "window/win32/accessible_form.h"

#include <oleacc.h>

#include "window/win32/com_functions.h"
#include "window/win32/wide_text.h"

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

HRESULT answer(const Text& text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = sysAllocStringLen(wide(text), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

class FormAccessible final : public IAccessible, public IOleWindow {
  public:
    FormAccessible(HWND form, IAccessible* standard, LabelCount count, LabelLookup lookup)
        : form_(form), standard_(standard), count_(count), lookup_(lookup) {}

    // IUnknown. IEnumVARIANT is not offered: a reader then asks for the children one by
    // one, the labels included. The ids come from the headers (__uuidof).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
            IsEqualIID(iid, __uuidof(IAccessible))) {
            *out = static_cast<IAccessible*>(this);
        } else if (IsEqualIID(iid, __uuidof(IOleWindow))) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) {
            return E_POINTER;
        }
        *window = form_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(member, iid, locale, flags, params, result, exception, argument);
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        const HRESULT hr = standard_->get_accChildCount(count);
        if (SUCCEEDED(hr) && IsWindow(form_)) {
            *count += count_(form_);
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
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        LabelView view;
        return labelOf(child, view) ? answer(view.name, name) : standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        LabelView view;
        return labelOf(child, view) ? answer(view.caption, value)
                                    : standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        LabelView view;
        return labelOf(child, view) ? answer(Text(), text)
                                    : standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        LabelView view;
        if (!labelOf(child, view)) {
            return standard_->get_accRole(child, role);
        }
        if (role == nullptr) {
            return E_POINTER;
        }
        *role = VARIANT{};
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_STATICTEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        LabelView view;
        if (!labelOf(child, view)) {
            return standard_->get_accState(child, state);
        }
        if (state == nullptr) {
            return E_POINTER;
        }
        *state = VARIANT{};
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_READONLY | (view.enabled ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                      (view.visible ? 0 : STATE_SYSTEM_INVISIBLE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        LabelView view;
        if (!labelOf(child, view)) {
            return standard_->accLocation(left, top, width, height, child);
        }
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        POINT at{view.rect.left, view.rect.top};
        ClientToScreen(form_, &at);
        *left = at.x;
        *top = at.y;
        *width = view.rect.right - view.rect.left;
        *height = view.rect.bottom - view.rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        const HRESULT hr = standard_->accHitTest(x, y, child);
        if (hr != S_OK || child == nullptr || child->vt != VT_I4 || child->lVal != CHILDID_SELF) {
            return hr;  // a button, or nothing of the form
        }
        POINT at{x, y};
        ScreenToClient(form_, &at);
        const int labels = IsWindow(form_) ? count_(form_) : 0;
        for (int i = 0; i < labels; ++i) {  // the first made is in front
            LabelView view;
            if (lookup_(form_, i, view) && view.visible && PtInRect(&view.rect, at)) {
                child->lVal = labelChildId(form_, i);
                break;
            }
        }
        return S_OK;
    }

    // Everything else as Windows answers for the form and its buttons.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        LabelView view;
        return labelOf(child, view) ? answer(Text(), action)
                                    : standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
        return standard_->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        LabelView view;
        return labelOf(child, view) ? DISP_E_MEMBERNOTFOUND : standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~FormAccessible() { standard_->Release(); }

    // The label a child id names, if it names one.
    bool labelOf(const VARIANT& child, LabelView& view) const {
        if (child.vt != VT_I4 || !IsWindow(form_)) {
            return false;
        }
        const LONG index = child.lVal - labelChildId(form_, 0);
        return index >= 0 && index < count_(form_) && lookup_(form_, index, view);
    }

    HWND form_;
    IAccessible* standard_;
    LabelCount count_;
    LabelLookup lookup_;
    LONG references_ = 1;
};

}  // namespace

LONG labelChildId(HWND form, int index) {
    return childWindows(form) + 1 + index;
}

LRESULT accessibleFormFor(HWND form, WPARAM flags, LabelCount count, LabelLookup lookup) {
    IAccessible* standard = nullptr;
    if (FAILED(createStdAccessibleObject(form, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* object = new FormAccessible(form, standard, count, lookup);
    const LRESULT result =
        lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
    object->Release();  // LresultFromObject keeps its own reference
    return result > 0 ? result : 0;
}

}  // namespace vop::win32
