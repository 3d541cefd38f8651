// Loading a DLL from the system directory.
#include "win32/system_function.h"

namespace vop::win32 {

HMODULE SystemDll::get() {
    if (!tried) {
        tried = true;
        wchar_t path[MAX_PATH];
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (length != 0 && length + 1 + lstrlenW(name) < MAX_PATH) {
            path[length] = L'\\';
            lstrcpyW(path + length + 1, name);
            module = LoadLibraryW(path);
        }
    }
    return module;
}

}  // namespace vop::win32
