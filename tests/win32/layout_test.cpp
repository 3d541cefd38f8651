// The window as Windows shows it: frame, client size and every control's place at
// the system's DPI, the labels' fonts and colours, and a move to another DPI.
#include <array>
#include <map>
#include <set>
#include <vector>

#include "window/win32/error_box.h"
#include "window_fixture.h"

namespace vop::test {
namespace {

// The DPIs a run may set, as indices into the tables below.
constexpr std::array<int, 4> kDpis{96, 120, 144, 192};

int dpiColumn() {
    for (std::size_t i = 0; i < kDpis.size(); ++i) {
        if (kDpis[i] == expectedDpi()) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << "no expected layout for " << expectedDpi() << " dpi";
    return 0;
}

RECT box(int x, int y, int w, int h) {
    return {x, y, x + w, y + h};
}

struct Place {
    ControlId id;
    std::array<RECT, 4> at;  // at 96, 120, 144 and 192 dpi
};

// The designed places in client pixels: twips x dpi / 1440, halves rounded away
// from zero as MulDiv rounds (15, 12, 10 and 7.5 twips a pixel).
const std::array<Place, 14> kPlaces{{
    {{ctl::btnFocus},
     {box(120, 64, 25, 12), box(150, 80, 31, 15), box(180, 96, 38, 18), box(240, 128, 50, 24)}},
    {{ctl::cmdPlay, 1},
     {box(104, 16, 17, 17), box(130, 20, 21, 21), box(156, 24, 26, 26), box(208, 32, 34, 34)}},
    {{ctl::cmdPlay, 0},
     {box(104, 0, 17, 17), box(130, 0, 21, 21), box(156, 0, 26, 26), box(208, 0, 34, 34)}},
    {{ctl::btnGround},
     {box(0, 0, 17, 33), box(0, 0, 21, 41), box(0, 0, 26, 50), box(0, 0, 34, 66)}},
    {{ctl::btnCard, 4},
     {box(88, 0, 17, 33), box(110, 0, 21, 41), box(132, 0, 26, 50), box(176, 0, 34, 66)}},
    {{ctl::btnCard, 3},
     {box(72, 0, 17, 33), box(90, 0, 21, 41), box(108, 0, 26, 50), box(144, 0, 34, 66)}},
    {{ctl::btnCard, 2},
     {box(56, 0, 17, 33), box(70, 0, 21, 41), box(84, 0, 26, 50), box(112, 0, 34, 66)}},
    {{ctl::btnCard, 1},
     {box(40, 0, 17, 33), box(50, 0, 21, 41), box(60, 0, 26, 50), box(80, 0, 34, 66)}},
    {{ctl::btnCard, 0},
     {box(24, 0, 17, 33), box(30, 0, 21, 41), box(36, 0, 26, 50), box(48, 0, 34, 66)}},
    {{ctl::lblColor, 3},
     {box(3, 56, 9, 9), box(4, 70, 11, 11), box(5, 84, 14, 14), box(7, 112, 18, 18)}},
    {{ctl::lblColor, 2},
     {box(3, 48, 9, 9), box(4, 60, 11, 11), box(5, 72, 14, 14), box(7, 96, 18, 18)}},
    {{ctl::lblColor, 1},
     {box(3, 40, 9, 9), box(4, 50, 11, 11), box(5, 60, 14, 14), box(7, 80, 18, 18)}},
    {{ctl::lblColor, 0},
     {box(3, 32, 9, 9), box(4, 40, 11, 11), box(5, 48, 14, 14), box(7, 64, 18, 18)}},
    {{ctl::lblExist, 0},
     {box(32, 32, 9, 9), box(40, 40, 11, 11), box(48, 48, 14, 14), box(64, 64, 18, 18)}},
}};

// Client size, the grid (first column and row, pitch, side) and the label fonts'
// heights (5.25 and 5 points), per DPI.
struct Scale {
    SIZE client;
    int gridLeft, gridTop, pitch, side;
    int headerFont, cellFont;
};
constexpr std::array<Scale, 4> kScales{{
    {{120, 63}, 5, 32, 8, 9, -7, -7},
    {{150, 79}, 6, 40, 10, 11, -9, -8},
    {{180, 95}, 8, 48, 12, 14, -11, -10},
    {{240, 126}, 10, 64, 16, 18, -14, -13},
}};

const Scale& scale() {
    return kScales[static_cast<std::size_t>(dpiColumn())];
}

// The font a control is drawn in: a button's own, a label's as the form paints it.
LOGFONTW fontOf(Win32Runtime& runtime, ControlId id) {
    LOGFONTW lf{};
    const HWND button = runtime.control(id);
    const auto font = button != nullptr
                          ? reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0))
                          : runtime.labelFont(id);
    EXPECT_NE(font, nullptr);
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

SIZE clientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// What a label shows on the screen: its commonest colour (its background) and every
// colour drawn in it.
struct Painted {
    COLORREF background = 0;
    std::set<COLORREF> colours;
    bool has(COLORREF c) const { return colours.count(c) != 0; }
};

Painted paintedOf(HWND window, RECT place) {
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    IntersectRect(&place, &place, &client);
    const HDC dc = GetDC(window);
    std::map<COLORREF, int> counts;
    for (int y = place.top; y < place.bottom; ++y) {
        for (int x = place.left; x < place.right; ++x) {
            ++counts[GetPixel(dc, x, y)];
        }
    }
    ReleaseDC(window, dc);
    Painted painted;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        painted.colours.insert(colour);
        if (count > most) {
            most = count;
            painted.background = colour;
        }
    }
    return painted;
}

class LayoutTest : public Win32WindowTest {
  protected:
    void SetUp() override { startWith({20, 15, 7, 48, 39}); }
};

TEST_F(LayoutTest, ClientAreaIsExactAndTheFrameFixed) {
    ASSERT_EQ(runtime.dpi().x, expectedDpi()) << "Windows reports another DPI than the run set";
    const SIZE want = scale().client;
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
    EXPECT_NE(GetClassLongPtrW(main, GCLP_HICON), 0) << "no icon for the task switcher";
    EXPECT_NE(GetClassLongPtrW(main, GCLP_HICONSM), 0) << "no title-bar icon";
}

TEST_F(LayoutTest, EveryControlInItsDesignedPlace) {
    for (const Place& p : kPlaces) {
        const RECT want = p.at[static_cast<std::size_t>(dpiColumn())];
        const RECT got = where(p.id);
        EXPECT_TRUE(EqualRect(&got, &want))
            << controlText(p.id) << " at " << got.left << "," << got.top << " "
            << got.right - got.left << "x" << got.bottom - got.top;
    }
    // The grid: columns by rank, rows by suit, 135 twips square at a pitch of 120.
    const Scale& g = scale();
    for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 13; ++r) {
            const ControlId label = grid(s * 13 + r);
            const RECT want =
                box(g.gridLeft + g.pitch * r, g.gridTop + g.pitch * s, g.side, g.side);
            const RECT got = where(label);
            EXPECT_TRUE(EqualRect(&got, &want)) << "grid label " << s * 13 + r;
            EXPECT_TRUE(showing(label));
        }
    }
    EXPECT_FALSE(showing(grid(0))) << "the template label must never show";
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
    const Scale& want = scale();
    const LOGFONTW header = fontOf(runtime, {ctl::lblColor, 0});
    EXPECT_STREQ(header.lfFaceName, L"Small Fonts");
    EXPECT_EQ(header.lfHeight, want.headerFont);
    EXPECT_EQ(header.lfWeight, FW_NORMAL);
    EXPECT_EQ(header.lfCharSet, ANSI_CHARSET);
    EXPECT_FALSE(header.lfItalic || header.lfUnderline || header.lfStrikeOut);

    const LOGFONTW cell = fontOf(runtime, grid(52));
    EXPECT_STREQ(cell.lfFaceName, L"Small Fonts");
    EXPECT_EQ(cell.lfHeight, want.cellFont);
    EXPECT_EQ(cell.lfWeight, FW_NORMAL);

    // The buttons keep the system's dialog font.
    const LOGFONTW button = fontOf(runtime, {ctl::cmdPlay, 0});
    EXPECT_STRNE(button.lfFaceName, L"Small Fonts");
    EXPECT_NE(button.lfFaceName[0], L'\0');
}

TEST_F(LayoutTest, WindowAndLabelsPaintInTheirColours) {
    EXPECT_EQ(GetClassLongPtrW(main, GCLP_HBRBACKGROUND), COLOR_MENU + 1);

    // A row header has no background of its own: the window's shows through.
    EXPECT_EQ(paintedOf(main, where({ctl::lblColor, 2})).background, GetSysColor(COLOR_MENU));

    const Painted inHand = paintedOf(main, where(grid(20)));  // H 7, dealt
    EXPECT_EQ(inHand.background, 0x00FFFFFFu);
    EXPECT_TRUE(inHand.has(0x000000FFu)) << "a card in the hand is red";
    const Painted inDeck = paintedOf(main, where(grid(1)));
    EXPECT_EQ(inDeck.background, 0x00FFFFFFu);
    EXPECT_TRUE(inDeck.has(0x00FF0000u)) << "a card in the deck is blue";
    EXPECT_FALSE(inDeck.has(0x000000FFu));

    willDraw({41});
    buttonClick(slotButton(0));  // H 7 is played: its grid label goes grey
    const Painted played = paintedOf(main, where(grid(20)));
    EXPECT_TRUE(played.has(GetSysColor(COLOR_GRAYTEXT))) << "a played card is greyed";
    EXPECT_FALSE(played.has(0x000000FFu));
    EXPECT_TRUE(paintedOf(main, where(grid(41))).has(0x000000FFu)) << "C 2, drawn, is red";
}

TEST_F(LayoutTest, MovingToAnotherDpiLaysTheWindowOutAgain) {
    // To every other DPI in turn, as a window dragged across monitors, then home.
    std::vector<std::size_t> visits;
    for (std::size_t i = 0; i < kDpis.size(); ++i) {
        if (kDpis[i] != expectedDpi()) {
            visits.push_back(i);
        }
    }
    visits.push_back(static_cast<std::size_t>(dpiColumn()));
    for (std::size_t i : visits) {
        const int dpi = kDpis[i];
        RECT frame{};
        GetWindowRect(main, &frame);
        SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
        const SIZE client = clientSize(main);
        EXPECT_EQ(client.cx, kScales[i].client.cx) << dpi << " dpi";
        EXPECT_EQ(client.cy, kScales[i].client.cy) << dpi << " dpi";
        for (const Place& p : kPlaces) {
            const RECT got = where(p.id);
            EXPECT_TRUE(EqualRect(&got, &p.at[i])) << controlText(p.id) << " at " << dpi << " dpi";
        }
        EXPECT_EQ(fontOf(runtime, grid(1)).lfHeight, kScales[i].cellFont) << dpi << " dpi";
        EXPECT_EQ(fontOf(runtime, {ctl::lblColor, 0}).lfHeight, kScales[i].headerFont)
            << dpi << " dpi";
    }
}

TEST_F(LayoutTest, RunTimeErrorIsShownBeforeTheProgramEnds) {
    MessageBoxCloser closer;
    win32::showRuntimeError(RuntimeError::Overflow, "16-bit integer");
    ASSERT_EQ(closer.seen().size(), 1u);
    const BoxShown& box = closer.seen().front();
    EXPECT_EQ(box.title, u"Vop");
    EXPECT_EQ(box.owner, main);
    ASSERT_FALSE(box.texts.empty());
    EXPECT_EQ(box.texts.back(), u"Run-time error '6':\n\nOverflow");
}

}  // namespace
}  // namespace vop::test
