// The window at the run's DPI: it is not stretched by Windows, and text is drawn by the
// font engine at the screen's own resolution in the sizes of that DPI.
#include "window_fixture.h"

namespace vop::test {
namespace {

class HiDpiTest : public Win32WindowTest {
  protected:
    void SetUp() override { startWith({20, 15, 7, 48, 39}); }
};

TEST_F(HiDpiTest, WindowRunsAtTheScreensDpiUnstretched) {
    // A window Windows scales as a bitmap would report 96 here.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    ASSERT_NE(getDpi, nullptr) << "this Windows has no per-window DPI";
    EXPECT_EQ(static_cast<int>(getDpi(main)), expectedDpi());
    const HDC screen = GetDC(main);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), expectedDpi());
    ReleaseDC(main, screen);
}

TEST_F(HiDpiTest, LabelTextIsDrawnAtTheScreensResolution) {
    // The font Windows realises for each label size: its glyphs are as tall as asked
    // in pixels of this screen, from an outline above 96 dpi, never a blown-up bitmap.
    const HDC dc = GetDC(main);
    for (ControlId id : {ControlId{ctl::lblColor, 0}, grid(1)}) {
        const HFONT font = runtime.labelFont(id);
        ASSERT_NE(font, nullptr);
        LOGFONTW asked{};
        GetObjectW(font, sizeof(asked), &asked);
        const HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW tm{};
        ASSERT_TRUE(GetTextMetricsW(dc, &tm));
        SelectObject(dc, old);
        const int em = tm.tmHeight - tm.tmInternalLeading;
        EXPECT_NEAR(em, -asked.lfHeight, 1) << controlText(id) << " glyphs";
        if (expectedDpi() > 96) {
            EXPECT_NE(tm.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE), 0)
                << controlText(id) << " drawn from a bitmap font";
        }
    }
    ReleaseDC(main, dc);
}

TEST_F(HiDpiTest, ButtonsUseTheMessageFontOfTheirDpi) {
    NONCLIENTMETRICSW at96{};
    at96.cbSize = sizeof(at96);
    using InfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    const auto infoForDpi = reinterpret_cast<InfoForDpiFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    ASSERT_NE(infoForDpi, nullptr);
    ASSERT_TRUE(infoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(at96), &at96, 0, 96));
    const int base = -at96.lfMessageFont.lfHeight;
    ASSERT_GT(base, 0);
    const auto font =
        reinterpret_cast<HFONT>(SendMessageW(ctl({ctl::cmdPlay, 0}), WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    EXPECT_NEAR(-lf.lfHeight, MulDiv(base, expectedDpi(), 96), 1);
}

}  // namespace
}  // namespace vop::test
