// COM and MSAA functions looked up in the system's own DLLs on first use.
#include "window/win32/com_functions.h"

#include <cwchar>

namespace vop::win32 {

namespace {

// From the system directory only: a DLL of the same name beside vop.exe or in the
// current directory is never loaded in its place.
HMODULE systemDll(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + std::wcslen(name) >= MAX_PATH) {
        return nullptr;
    }
    path[length] = L'\\';
    std::wcscpy(path + length + 1, name);
    return LoadLibraryW(path);  // kept for the rest of the run
}

// A DLL and one of its functions, looked up on first use. Plain data, set up before
// the program runs: the game has one thread, and needs no guarded statics.
struct Dll {
    const wchar_t* name;
    HMODULE module = nullptr;
    bool tried = false;
};
Dll ole32{L"ole32.dll"};
Dll oleaut32{L"oleaut32.dll"};
Dll oleacc{L"oleacc.dll"};

template <class Fn>
struct Function {
    Dll& dll;
    const char* name;
    Fn fn = nullptr;
    bool looked = false;

    Fn get() {
        if (!looked) {
            looked = true;
            if (!dll.tried) {
                dll.tried = true;
                dll.module = systemDll(dll.name);
            }
            if (dll.module != nullptr) {
                // Through the generic function pointer type, which any function pointer may pass.
                fn = reinterpret_cast<Fn>(
                    reinterpret_cast<void (*)()>(GetProcAddress(dll.module, name)));
            }
        }
        return fn;
    }
};

Function<HRESULT(WINAPI*)(void*, DWORD)> coInitializeEx{ole32, "CoInitializeEx"};
Function<void(WINAPI*)()> coUninitialize{ole32, "CoUninitialize"};
Function<BSTR(WINAPI*)(const OLECHAR*, UINT)> sysAllocStringLenFn{oleaut32, "SysAllocStringLen"};
Function<HRESULT(WINAPI*)(HWND, LONG, REFIID, void**)> createStdAccessibleObjectFn{
    oleacc, "CreateStdAccessibleObject"};
Function<LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN)> lresultFromObjectFn{oleacc,
                                                                          "LresultFromObject"};

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
