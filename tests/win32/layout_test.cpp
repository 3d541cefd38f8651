// The window as Windows shows it: frame and client size at the system's DPI, the labels'
// fonts, the form's colour, the grid in high contrast, a move to another DPI and the
// run-time error's box. Where
// the controls stand and how the grid looks are the conformance scenarios' to say.
#include <array>
#include <map>
#include <set>
#include <vector>

#include "high_contrast.h"
#include "win32/error_box.h"
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

// Client size and the label fonts' heights (5.25 and 5 points), per DPI.
struct Scale {
    SIZE client;
    int headerFont, cellFont;
};
constexpr std::array<Scale, 4> kScales{{
    {{120, 63}, -7, -7},
    {{150, 79}, -9, -8},
    {{180, 95}, -11, -10},
    {{240, 126}, -14, -13},
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

// What a control shows on the screen: its commonest colour (its background) and every
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

// The form's background is the desktop's menu colour, which shows through the row
// headers; the grid's own colours are the scenarios' to read.
TEST_F(LayoutTest, TheFormIsTheMenuColour) {
    EXPECT_EQ(GetClassLongPtrW(main, GCLP_HBRBACKGROUND), COLOR_MENU + 1);
    EXPECT_EQ(paintedOf(main, where({ctl::lblColor, 2})).background, GetSysColor(COLOR_MENU));
}

// A player who turns high contrast on while the game runs sees the grid in the scheme's
// colours, a card in the deck, one in the hand and one played each in a pair of its own;
// turned off, the grid has its own colours again.
TEST_F(LayoutTest, InHighContrastTheGridTakesTheSchemesColours) {
    willDraw({41});
    buttonClick(slotButton(0));  // H 7 played, C 2 drawn into the hand
    const auto expectPair = [&](int card, int back, int ink, const char* what) {
        const Painted painted = paintedOf(main, where(grid(card)));
        EXPECT_EQ(painted.background, GetSysColor(back)) << what;
        EXPECT_TRUE(painted.has(GetSysColor(ink))) << what;
    };
    {
        const PretendHighContrast contrast;
        pump();
        expectPair(1, COLOR_WINDOW, COLOR_WINDOWTEXT, "SA, in the deck");
        expectPair(41, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, "C 2, in the hand");
        expectPair(20, COLOR_WINDOW, COLOR_GRAYTEXT, "H 7, played");
        EXPECT_NE(GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_WINDOWTEXT));
    }
    pump();
    const Painted deck = paintedOf(main, where(grid(1)));
    EXPECT_EQ(deck.background, 0x00FFFFFFu);
    EXPECT_TRUE(deck.has(0x00FF0000u)) << "SA is blue again";
}

// To every other DPI in turn, as a window dragged across monitors, then home: the client
// area, every control's place (scaled from where it stood, within a pixel of rounding)
// and the labels' fonts follow.
TEST_F(LayoutTest, MovingToAnotherDpiLaysTheWindowOutAgain) {
    const std::vector<ControlId> all = runtime.controls();
    std::vector<RECT> home;
    for (ControlId id : all) {
        home.push_back(where(id));
    }
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
        for (std::size_t c = 0; c < all.size(); ++c) {
            const RECT got = where(all[c]);
            const RECT& was = home[c];
            const auto within = [&](LONG figure, LONG before) {
                const LONG scaled = MulDiv(before, dpi, expectedDpi());
                return figure >= scaled - 1 && figure <= scaled + 1;
            };
            EXPECT_TRUE(within(got.left, was.left) && within(got.top, was.top) &&
                        within(got.right - got.left, was.right - was.left) &&
                        within(got.bottom - got.top, was.bottom - was.top))
                << controlText(all[c]) << " at " << dpi << " dpi: " << got.left << "," << got.top
                << " " << got.right - got.left << "x" << got.bottom - got.top;
        }
        EXPECT_EQ(fontOf(runtime, grid(1)).lfHeight, kScales[i].cellFont) << dpi << " dpi";
        EXPECT_EQ(fontOf(runtime, {ctl::lblColor, 0}).lfHeight, kScales[i].headerFont)
            << dpi << " dpi";
    }
}

TEST_F(LayoutTest, RunTimeErrorIsShownBeforeTheProgramEnds) {
    MessageBoxCloser closer;
    win32::showRuntimeError(reportOf(RuntimeError::Overflow, "16-bit integer"));
    ASSERT_EQ(closer.seen().size(), 1u);
    const BoxShown& box = closer.seen().front();
    EXPECT_EQ(box.title, u"Vop");
    EXPECT_EQ(box.owner, main);
    ASSERT_FALSE(box.texts.empty());
    EXPECT_EQ(box.texts.back(), u"Run-time error '6':\n\nOverflow");
}

}  // namespace
}  // namespace vop::test
