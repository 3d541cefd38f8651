// A control of the game's window as a screen reader reaches it through MSAA: a button
// through its own window's object, a label (which the form paints) as a child element of
// the form's object.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include "win32/win32_runtime.h"

namespace vop::test {

class Reached {
  public:
    Reached(const Win32Runtime& runtime, ControlId id) {
        const HWND button = runtime.control(id);
        window_ = button != nullptr ? button : runtime.Window();
        child_.vt = VT_I4;
        child_.lVal = button != nullptr ? CHILDID_SELF : runtime.accessibleChildId(id);
        if (FAILED(AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_CLIENT),
                                              __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object_)))) {
            object_ = nullptr;
        }
    }
    ~Reached() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    Reached(const Reached&) = delete;
    Reached& operator=(const Reached&) = delete;

    bool found() const { return object_ != nullptr; }
    LONG child() const { return child_.lVal; }
    Text name() const { return text(&IAccessible::get_accName); }
    Text description() const { return text(&IAccessible::get_accDescription); }
    Text value() const { return text(&IAccessible::get_accValue); }
    LONG role() const { return number(&IAccessible::get_accRole, child_); }
    LONG state() const { return number(&IAccessible::get_accState, child_); }
    bool enabled() const { return (state() & STATE_SYSTEM_UNAVAILABLE) == 0; }
    bool visible() const { return (state() & STATE_SYSTEM_INVISIBLE) == 0; }
    bool childVisible(LONG child) const {
        return (number(&IAccessible::get_accState, childOf(child)) & STATE_SYSTEM_INVISIBLE) == 0;
    }
    // Its place in the client area of the game's window.
    RECT place(HWND form) const { return placeOf(child_.lVal, form); }
    // The place of another child of the same object: a label of the form.
    RECT placeOf(LONG child, HWND form) const {
        LONG x = 0, y = 0, w = 0, h = 0;
        if (object_ == nullptr || FAILED(object_->accLocation(&x, &y, &w, &h, childOf(child)))) {
            return {};
        }
        POINT at{x, y};
        ScreenToClient(form, &at);
        return {at.x, at.y, at.x + w, at.y + h};
    }

  private:
    static VARIANT childOf(LONG child) {
        VARIANT which{};
        which.vt = VT_I4;
        which.lVal = child;
        return which;
    }
    Text text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
        BSTR words = nullptr;
        if (object_ == nullptr || FAILED((object_->*get)(child_, &words)) || words == nullptr) {
            return {};
        }
        Text out(reinterpret_cast<const char16_t*>(words), SysStringLen(words));
        SysFreeString(words);
        return out;
    }
    LONG number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*),
                VARIANT child) const {
        VARIANT v;
        VariantInit(&v);
        if (object_ == nullptr || FAILED((object_->*get)(child, &v)) || v.vt != VT_I4) {
            return -1;
        }
        return v.lVal;
    }

    HWND window_ = nullptr;
    IAccessible* object_ = nullptr;
    VARIANT child_{};
};

}  // namespace vop::test
