// The baseline: a bare Win32 window of Vop's client size that ends at its first paint.
#include "win32_first_paint.h"

namespace {
LRESULT CALLBACK bareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = bareProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_MENU);
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 120, 63};
    AdjustWindowRect(&frame, style, FALSE);
    HWND hwnd = CreateWindowW(L"BareWindow", L"bare", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, nullptr);
    ShowWindow(hwnd, showCommand);
    vop::bench::runUntilPainted([](MSG& msg) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    });
}
