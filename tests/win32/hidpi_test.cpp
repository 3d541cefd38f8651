// The window at the run's DPI: the design's relations between the controls hold at
// every scale, the window is not stretched by Windows, and text is drawn by the font
// engine at the screen's own resolution.
#include "window_fixture.h"

namespace vop::test {
namespace {

class HiDpiTest : public Win32WindowTest {
  protected:
    void SetUp() override { startWith({20, 15, 7, 48, 39}); }

    RECT at(ControlId id) const { return where(id); }
    static int width(const RECT& r) { return r.right - r.left; }
    static int height(const RECT& r) { return r.bottom - r.top; }
};

TEST_F(HiDpiTest, ControlsKeepTheirPlacesRelativeToEachOther) {
    RECT client{};
    GetClientRect(main, &client);
    const RECT ground = at({ctl::btnGround});
    const RECT n = at({ctl::cmdPlay, 0});
    const RECT e = at({ctl::cmdPlay, 1});

    // Top band: the ground at the corner, a gap, five slots each overlapping the next.
    EXPECT_EQ(ground.left, 0);
    EXPECT_EQ(ground.top, 0);
    EXPECT_LT(ground.right, at(slot(0)).left) << "the gap after the ground";
    for (int i = 0; i < 5; ++i) {
        const RECT card = at(slot(i));
        EXPECT_EQ(card.top, 0);
        EXPECT_EQ(width(card), width(ground));
        EXPECT_EQ(height(card), height(ground));
        const RECT next = i < 4 ? at(slot(i + 1)) : n;
        EXPECT_LT(card.left, next.left);
        EXPECT_GT(card.right, next.left) << "slot " << i << " overlaps its right-hand neighbour";
    }
    // "N" above "E", square, overlapping, reaching past the right edge.
    EXPECT_EQ(n.top, 0);
    EXPECT_EQ(n.left, e.left);
    EXPECT_EQ(width(n), height(n));
    EXPECT_GT(n.bottom, e.top);
    EXPECT_LT(n.top, e.top);
    EXPECT_GT(n.right, client.right);

    // Lower band: headers in a column, each row of the grid level with its header,
    // the first row overlapping the buttons, the clubs row cut by the bottom edge.
    for (int s = 0; s < 4; ++s) {
        const RECT header = at({ctl::lblColor, static_cast<std::int16_t>(s)});
        EXPECT_EQ(header.left, at({ctl::lblColor, 0}).left);
        for (int r = 1; r <= 13; ++r) {
            const RECT cell = at(grid(s * 13 + r));
            EXPECT_EQ(cell.top, header.top) << "row " << s << " rank " << r;
            EXPECT_EQ(width(cell), width(header));
            if (r > 1) {
                const RECT left = at(grid(s * 13 + r - 1));
                EXPECT_GT(left.right, cell.left) << "grid neighbours overlap";
                EXPECT_LT(left.left, cell.left);
            }
        }
        if (s > 0) {
            const RECT above = at({ctl::lblColor, static_cast<std::int16_t>(s - 1)});
            EXPECT_GT(above.bottom, header.top) << "rows overlap";
            EXPECT_LT(above.top, header.top);
        }
    }
    EXPECT_LT(at({ctl::lblColor, 0}).right, at(grid(1)).right);
    EXPECT_LT(at(grid(1)).top, ground.bottom);
    const RECT clubs = at({ctl::lblColor, 3});
    EXPECT_LT(clubs.top, client.bottom);
    EXPECT_GT(clubs.bottom, client.bottom);

    // The focus button just outside, right of and below the client area.
    const RECT focus = at({ctl::btnFocus});
    EXPECT_EQ(focus.left, client.right);
    EXPECT_GT(focus.top, client.bottom);
}

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
