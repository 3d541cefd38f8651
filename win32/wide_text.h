// The runtime's UTF-16 text handed to the wide Windows API and back, unchanged.
#pragma once

#include <windows.h>

#include <string>

#include "base/text.h"

namespace vop::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline const wchar_t* wide(const Text& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The whole text of a window, as GetWindowTextW returns it.
inline Text windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, buffer.data(), length + 1);
    return Text(reinterpret_cast<const char16_t*>(buffer.data()), static_cast<std::size_t>(got));
}

}  // namespace vop::win32
