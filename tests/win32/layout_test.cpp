// The window as Windows shows it: frame, client size and every control's place at
// the system's DPI, the labels' fonts and colours, and a move to another DPI.
#include <array>

#include "window/win32/error_box.h"
#include "window_fixture.h"

namespace vop::test {
namespace {

struct Place {
    ControlId id;
    RECT at96;  // left, top, right, bottom in client pixels
    RECT at144;
};

RECT box(int x, int y, int w, int h) {
    return {x, y, x + w, y + h};
}

// The designed places, at 96 dpi (15 twips a pixel) and at 144 dpi (10 twips a pixel,
// halves rounded away from zero as MulDiv rounds).
const std::array<Place, 14> kPlaces{{
    {{Ctl::btnFocus}, box(120, 64, 25, 12), box(180, 96, 38, 18)},
    {{Ctl::cmdPlay, 1}, box(104, 16, 17, 17), box(156, 24, 26, 26)},
    {{Ctl::cmdPlay, 0}, box(104, 0, 17, 17), box(156, 0, 26, 26)},
    {{Ctl::btnGround}, box(0, 0, 17, 33), box(0, 0, 26, 50)},
    {{Ctl::btnCard, 4}, box(88, 0, 17, 33), box(132, 0, 26, 50)},
    {{Ctl::btnCard, 3}, box(72, 0, 17, 33), box(108, 0, 26, 50)},
    {{Ctl::btnCard, 2}, box(56, 0, 17, 33), box(84, 0, 26, 50)},
    {{Ctl::btnCard, 1}, box(40, 0, 17, 33), box(60, 0, 26, 50)},
    {{Ctl::btnCard, 0}, box(24, 0, 17, 33), box(36, 0, 26, 50)},
    {{Ctl::lblColor, 3}, box(3, 56, 9, 9), box(5, 84, 14, 14)},
    {{Ctl::lblColor, 2}, box(3, 48, 9, 9), box(5, 72, 14, 14)},
    {{Ctl::lblColor, 1}, box(3, 40, 9, 9), box(5, 60, 14, 14)},
    {{Ctl::lblColor, 0}, box(3, 32, 9, 9), box(5, 48, 14, 14)},
    {{Ctl::lblExist, 0}, box(32, 32, 9, 9), box(48, 48, 14, 14)},
}};

bool at144() {
    return expectedDpi() == 144;
}

LOGFONTW fontOf(HWND control) {
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    EXPECT_NE(font, nullptr);
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

SIZE clientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// What the window tells a label to paint with: text, background and brush colours.
struct Paint {
    COLORREF text;
    COLORREF back;
    COLORREF brush;
};

Paint paintOf(HWND window, HWND label) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof(lb), &lb);
    const Paint paint{GetTextColor(dc), GetBkColor(dc), lb.lbColor};
    DeleteDC(dc);
    return paint;
}

class LayoutTest : public Win32WindowTest {
  protected:
    void SetUp() override { startWith({20, 15, 7, 48, 39}); }
};

TEST_F(LayoutTest, ClientAreaIsExactAndTheFrameFixed) {
    ASSERT_EQ(runtime.dpi().x, expectedDpi()) << "Windows reports another DPI than the run set";
    const SIZE want = at144() ? SIZE{180, 95} : SIZE{120, 63};
    const SIZE got = clientSize(main);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);

    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);

    // Neither a larger nor a smaller frame is accepted.
    RECT frame{};
    GetWindowRect(main, &frame);
    SetWindowPos(main, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(clientSize(main).cx, want.cx);
    EXPECT_EQ(clientSize(main).cy, want.cy);
    SetWindowPos(main, nullptr, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(clientSize(main).cx, want.cx);
    EXPECT_EQ(clientSize(main).cy, want.cy);
    EXPECT_NE(GetClassLongPtrW(main, GCLP_HICON), 0) << "no icon in the window class";
    EXPECT_NE(SendMessageW(main, WM_GETICON, ICON_SMALL, 0), 0) << "no title-bar icon";
}

TEST_F(LayoutTest, EveryControlInItsDesignedPlace) {
    for (const Place& p : kPlaces) {
        const RECT want = at144() ? p.at144 : p.at96;
        const RECT got = placeOf(ctl(p.id));
        EXPECT_TRUE(EqualRect(&got, &want))
            << controlName(p.id.name) << "(" << p.id.index << ") at " << got.left << "," << got.top
            << " " << got.right - got.left << "x" << got.bottom - got.top;
    }
    // The grid: columns by rank, rows by suit, 9 (or 14) pixels square at a pitch of 8 (or 12).
    for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 13; ++r) {
            const HWND label = ctl(grid(s * 13 + r));
            const RECT want =
                at144() ? box(8 + 12 * r, 48 + 12 * s, 14, 14) : box(5 + 8 * r, 32 + 8 * s, 9, 9);
            const RECT got = placeOf(label);
            EXPECT_TRUE(EqualRect(&got, &want)) << "grid label " << s * 13 + r;
            EXPECT_TRUE(IsWindowVisible(label));
        }
    }
    EXPECT_FALSE(IsWindowVisible(ctl(grid(0)))) << "the template label must never show";
}

TEST_F(LayoutTest, FocusButtonLiesOutsideTheClientAreaYetTakesTheFocus) {
    const HWND focus = focusButton();
    RECT client{};
    GetClientRect(main, &client);
    const RECT place = placeOf(focus);
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &client, &place));
    EXPECT_TRUE(IsWindowVisible(focus));
    EXPECT_TRUE(IsWindowEnabled(focus));
    EXPECT_EQ(GetFocus(), focus);
}

TEST_F(LayoutTest, LabelsAskForSmallFontsAtTheirPointSize) {
    // 5.25 points on the row headers, 5 on the grid: 7 pixels at 96 dpi, 11 and 10 at 144.
    const LOGFONTW header = fontOf(ctl({Ctl::lblColor, 0}));
    EXPECT_STREQ(header.lfFaceName, L"Small Fonts");
    EXPECT_EQ(header.lfHeight, at144() ? -11 : -7);
    EXPECT_EQ(header.lfWeight, FW_NORMAL);
    EXPECT_EQ(header.lfCharSet, ANSI_CHARSET);
    EXPECT_FALSE(header.lfItalic || header.lfUnderline || header.lfStrikeOut);

    const LOGFONTW cell = fontOf(ctl(grid(52)));
    EXPECT_STREQ(cell.lfFaceName, L"Small Fonts");
    EXPECT_EQ(cell.lfHeight, at144() ? -10 : -7);
    EXPECT_EQ(cell.lfWeight, FW_NORMAL);

    // The buttons keep the system's dialog font.
    const LOGFONTW button = fontOf(ctl({Ctl::cmdPlay, 0}));
    EXPECT_STRNE(button.lfFaceName, L"Small Fonts");
    EXPECT_NE(button.lfFaceName[0], L'\0');
}

TEST_F(LayoutTest, WindowAndLabelsPaintInTheirColours) {
    EXPECT_EQ(GetClassLongPtrW(main, GCLP_HBRBACKGROUND), COLOR_MENU + 1);

    const Paint header = paintOf(main, ctl({Ctl::lblColor, 2}));
    EXPECT_EQ(header.back, GetSysColor(COLOR_MENU));
    EXPECT_EQ(header.brush, GetSysColor(COLOR_MENU));

    const Paint inHand = paintOf(main, ctl(grid(20)));  // H 7, dealt
    EXPECT_EQ(inHand.text, 0x000000FFu);
    EXPECT_EQ(inHand.back, 0x00FFFFFFu);
    EXPECT_EQ(inHand.brush, 0x00FFFFFFu);
    const Paint inDeck = paintOf(main, ctl(grid(1)));
    EXPECT_EQ(inDeck.text, 0x00FF0000u);
    EXPECT_EQ(inDeck.back, 0x00FFFFFFu);

    willDraw({41});
    buttonClick(slotButton(0));  // H 7 is played: its grid label goes grey
    EXPECT_FALSE(IsWindowEnabled(ctl(grid(20))));
    EXPECT_EQ(paintOf(main, ctl(grid(20))).text, GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(paintOf(main, ctl(grid(41))).text, 0x000000FFu);
}

TEST_F(LayoutTest, MovingToAnotherDpiLaysTheWindowOutAgain) {
    const int home = expectedDpi();
    const int other = home == 144 ? 96 : 144;
    RECT frame{};
    GetWindowRect(main, &frame);
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&frame));
    const SIZE client = clientSize(main);
    EXPECT_EQ(client.cx, other == 144 ? 180 : 120);
    EXPECT_EQ(client.cy, other == 144 ? 95 : 63);
    const RECT ground = placeOf(ctl({Ctl::btnGround}));
    EXPECT_EQ(ground.bottom, other == 144 ? 50 : 33);
    EXPECT_EQ(fontOf(ctl(grid(1))).lfHeight, other == 144 ? -10 : -7);

    GetWindowRect(main, &frame);
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(home, home), reinterpret_cast<LPARAM>(&frame));
    EXPECT_EQ(clientSize(main).cx, home == 144 ? 180 : 120);
    EXPECT_EQ(placeOf(ctl({Ctl::cmdPlay, 1})).top, home == 144 ? 24 : 16);
}

TEST_F(LayoutTest, RunTimeErrorIsShownBeforeTheProgramEnds) {
    MessageBoxCloser closer;
    win32::showRuntimeError(RuntimeError::Overflow, "16-bit integer");
    ASSERT_EQ(closer.seen().size(), 1u);
    const SeenBox& box = closer.seen().front();
    EXPECT_EQ(box.title, u"Vop");
    EXPECT_EQ(box.owner, main);
    ASSERT_FALSE(box.texts.empty());
    EXPECT_EQ(box.texts.back(), u"Run-time error '6':\n\nOverflow");
}

}  // namespace
}  // namespace vop::test
