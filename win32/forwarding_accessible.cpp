// The plumbing shared by the game's MSAA objects.
#include "win32/forwarding_accessible.h"

#include "win32/com_functions.h"
#include "win32/wide_text.h"

namespace vop::win32 {

HRESULT answerText(const Text& text, BSTR* out) {
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

HRESULT answerNumber(LONG number, VARIANT* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = VARIANT{};  // as VariantInit leaves it
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

HRESULT ForwardingAccessible::QueryInterface(REFIID iid, void** out) {
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

ULONG ForwardingAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT ForwardingAccessible::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = window_;
    return S_OK;
}

ForwardingAccessible::~ForwardingAccessible() {
    standard_->Release();
}

LRESULT ForwardingAccessible::hand(WPARAM flags) {
    const LRESULT result =
        lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(this));
    Release();  // LresultFromObject keeps its own reference
    return result > 0 ? result : 0;
}

}  // namespace vop::win32
