// A function of a system DLL, looked up on first use: functions of newer Windows, and
// DLLs that only a screen reader needs, cost nothing until they are asked for.
#pragma once

#include <windows.h>

namespace vop::win32 {

// A DLL of the system directory, loaded once on first use and kept for the rest of the
// run. Only that directory is searched: a DLL of the same name beside vop.exe or in the
// current directory is never loaded in its place. Plain data, set up before the program
// runs: the game has one thread and needs no guarded statics.
struct SystemDll {
    const wchar_t* name;
    HMODULE module = nullptr;
    bool tried = false;

    HMODULE get();
};

template <class Fn>
struct SystemFunction {
    SystemDll& dll;
    const char* name;
    Fn fn = nullptr;
    bool looked = false;

    // The function, or null where this Windows or its DLL lacks it.
    Fn get() {
        if (!looked) {
            looked = true;
            if (const HMODULE module = dll.get()) {
                // Through the generic function pointer type, which any function pointer may pass.
                fn = reinterpret_cast<Fn>(
                    reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
            }
        }
        return fn;
    }
};

}  // namespace vop::win32
