// vop.exe's own entry for GetTickCount64, so that the 32-bit program loads on Windows XP,
// whose kernel32 lacks it (it came with Vista).
//
// The static threads library (winpthread), which every static mingw C++ program links for
// the C++ library's own locks, times its waits with GetTickCount64 and so imports it. A
// program that imports a function its Windows lacks does not start at all. The linker
// takes a definition found in the program before it looks in a library, so the import's
// own name defined here stands for kernel32's: it calls the real function where Windows
// has it, looked up at run time as the window's newer functions are, and GetTickCount
// elsewhere (wrapping after 49 days, which no wait of a card game's threads library spans).
//
// Built for the 32-bit program only (app/win32.cmake): the name is the one i686 mingw gives
// the import of a stdcall function with no arguments.
#include <windows.h>

#include "win32/system_function.h"

namespace {

vop::win32::SystemDll kernel32{L"kernel32.dll"};
vop::win32::SystemFunction<ULONGLONG(WINAPI*)()> getTickCount64{kernel32, "GetTickCount64"};

ULONGLONG WINAPI tickCount64() {
    if (const auto fn = getTickCount64.get()) {
        return fn();
    }
    return GetTickCount();
}

}  // namespace

extern "C" ULONGLONG(WINAPI* const vopGetTickCount64)() asm("__imp__GetTickCount64@0");
extern "C" ULONGLONG(WINAPI* const vopGetTickCount64)() = &tickCount64;
