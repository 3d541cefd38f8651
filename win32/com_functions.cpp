// COM and MSAA functions looked up in the system's own DLLs on first use.
#include "win32/com_functions.h"

#include "win32/system_function.h"

namespace vop::win32 {

namespace {

SystemDll ole32{L"ole32.dll"};
SystemDll oleaut32{L"oleaut32.dll"};
SystemDll oleacc{L"oleacc.dll"};

SystemFunction<HRESULT(WINAPI*)(void*, DWORD)> coInitializeEx{ole32, "CoInitializeEx"};
SystemFunction<void(WINAPI*)()> coUninitialize{ole32, "CoUninitialize"};
SystemFunction<BSTR(WINAPI*)(const OLECHAR*, UINT)> sysAllocStringLenFn{oleaut32,
                                                                        "SysAllocStringLen"};
SystemFunction<HRESULT(WINAPI*)(HWND, LONG, REFIID, void**)> createStdAccessibleObjectFn{
    oleacc, "CreateStdAccessibleObject"};
SystemFunction<LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN)> lresultFromObjectFn{
    oleacc, "LresultFromObject"};

}  // namespace

HRESULT comInitializeEx(DWORD model) {
    const auto fn = coInitializeEx.get();
    return fn != nullptr ? fn(nullptr, model) : E_FAIL;
}

void comUninitialize() {
    if (const auto fn = coUninitialize.get()) {
        fn();
    }
}

BSTR sysAllocStringLen(const wchar_t* text, UINT length) {
    const auto fn = sysAllocStringLenFn.get();
    return fn != nullptr ? fn(text, length) : nullptr;
}

HRESULT createStdAccessibleObject(HWND window, LONG object, REFIID iid, void** out) {
    const auto fn = createStdAccessibleObjectFn.get();
    return fn != nullptr ? fn(window, object, iid, out) : E_FAIL;
}

LRESULT lresultFromObject(REFIID iid, WPARAM flags, IUnknown* object) {
    const auto fn = lresultFromObjectFn.get();
    return fn != nullptr ? fn(iid, flags, object) : E_FAIL;
}

}  // namespace vop::win32
