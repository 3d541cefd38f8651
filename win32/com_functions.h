// The COM and MSAA functions the screen-reader support calls, found in ole32, oleaut32
// and oleacc only when a screen reader first asks: a game nobody reads aloud starts
// without loading them (they cost Wine and Windows alike a good part of start-up).
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace vop::win32 {

// As CoInitializeEx, CoUninitialize, SysAllocStringLen, CreateStdAccessibleObject and
// LresultFromObject; where the DLL or the function is missing they fail as the real
// ones fail (E_FAIL, a null string, no object).
HRESULT comInitializeEx(DWORD model);
void comUninitialize();
BSTR sysAllocStringLen(const wchar_t* text, UINT length);
HRESULT createStdAccessibleObject(HWND window, LONG object, REFIID iid, void** out);
LRESULT lresultFromObject(REFIID iid, WPARAM flags, IUnknown* object);

}  // namespace vop::win32
