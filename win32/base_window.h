// A top-level window whose messages reach a C++ object: the object is stored at
// WM_NCCREATE and every later message goes to its HandleMessage.
#pragma once

#include <windows.h>

namespace vop::win32 {

template <class Derived>
class BaseWindow {
  public:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->hwnd_ = hwnd;
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        const LRESULT result = self->HandleMessage(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND Window() const { return hwnd_; }

  protected:
    BaseWindow() = default;
    ~BaseWindow() = default;

    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                int width, int height, HINSTANCE instance) {
        CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, width,
                        height, nullptr, nullptr, instance, static_cast<Derived*>(this));
        return hwnd_ != nullptr;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace vop::win32
