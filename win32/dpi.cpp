// Per-monitor DPI through the functions Windows 10 added, looked up at run time so
// that vop.exe still starts on older 32-bit Windows, which gets the system DPI.
#include "win32/dpi.h"

#include "win32/system_function.h"

namespace vop::win32 {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

SystemDll user32{L"user32.dll"};

SystemFunction<GetDpiForWindowFn> getDpiForWindow{user32, "GetDpiForWindow"};
SystemFunction<AdjustWindowRectExForDpiFn> adjustForDpi{user32, "AdjustWindowRectExForDpi"};
SystemFunction<SystemParametersInfoForDpiFn> infoForDpi{user32, "SystemParametersInfoForDpi"};

}  // namespace

Dpi systemDpi() {
    const HDC screen = GetDC(nullptr);
    const Dpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    return dpi;
}

Dpi windowDpi(HWND window) {
    const auto forWindow = getDpiForWindow.get();
    if (forWindow != nullptr && window != nullptr) {
        const int dpi = static_cast<int>(forWindow(window));
        if (dpi > 0) {
            return {dpi, dpi};
        }
    }
    return systemDpi();
}

SIZE frameSizeFor(SIZE client, DWORD style, DWORD exStyle, Dpi dpi) {
    const auto adjust = adjustForDpi.get();
    RECT rect{0, 0, client.cx, client.cy};
    if (adjust != nullptr) {
        adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi.y));
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

LOGFONTW messageFont(Dpi dpi) {
    const auto info = infoForDpi.get();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (info != nullptr &&
        info(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi.y))) {
        return metrics.lfMessageFont;
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        // The system gives it at the system DPI; the window may sit on another monitor.
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, dpi.y, systemDpi().y);
        return metrics.lfMessageFont;
    }
    LOGFONTW fallback{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(fallback), &fallback);
    return fallback;
}

}  // namespace vop::win32
