// The keyboard as Windows has it: Enter from the keypad, focus marks that show, no
// default button, CapsLock and NumLock that change nothing; and the "Win" box as a
// Windows message box. Tab, Space and Enter in play, held or not, are the conformance
// scenarios'.
#include "window_fixture.h"

namespace vop::test {
namespace {

const Text kStartTitle = u"Vop:\u73FE\u57280\u679A";

class KeyboardTest : public Win32WindowTest {
  protected:
    std::vector<HWND> buttons() const {
        std::vector<HWND> all{focusButton(), ctl({ctl::btnGround}), ctl({ctl::cmdPlay, 0}),
                              ctl({ctl::cmdPlay, 1})};
        for (int i = 0; i < 5; ++i) {
            all.push_back(slotButton(i));
        }
        return all;
    }
    bool focusIs(HWND control) {
        return pumpUntil([&] { return GetFocus() == control; });
    }
    // Tab from the parked focus until the button has it; false if it never does.
    bool tabTo(HWND button) {
        for (int presses = 0; presses < 12; ++presses) {
            if (GetFocus() == button) {
                return true;
            }
            press(VK_TAB);
        }
        return GetFocus() == button;
    }
    // A key as the numeric keypad sends it (the extended-key flag set).
    void pressKeypad(UINT key) {
        const HWND target = GetFocus();
        const LPARAM flags =
            static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16 | 1 | (1 << 24);
        PostMessageW(target, WM_KEYDOWN, key, flags);
        PostMessageW(target, WM_KEYUP, key, flags | (1 << 30) | (1u << 31));
        pump();
    }
    // CapsLock and NumLock toggled on (or off), as the keyboard's lights would show.
    void setLocks(bool on) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CAPITAL] = on ? 1 : 0;
        keys[VK_NUMLOCK] = on ? 1 : 0;
        SetKeyboardState(keys);
    }
    void expectNoDefaultButton() {
        for (HWND b : buttons()) {
            const LONG_PTR style = GetWindowLongPtrW(b, GWL_STYLE);
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "id " << GetDlgCtrlID(b);
            EXPECT_EQ(SendMessageW(b, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0)
                << "id " << GetDlgCtrlID(b);
        }
        EXPECT_NE(HIWORD(SendMessageW(main, DM_GETDEFID, 0, 0)), DC_HASDEFID);
    }
    // The button as it paints itself, pixel by pixel.
    std::vector<COLORREF> picture(HWND button) {
        RECT r{};
        GetClientRect(button, &r);
        const HDC screen = GetDC(button);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < r.bottom; ++y) {
            for (int x = 0; x < r.right; ++x) {
                pixels.push_back(GetPixel(dc, x, y));
            }
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(button, screen);
        return pixels;
    }
};

class KeyboardDealTest : public KeyboardTest {
  protected:
    // H 7, H 2, S 7, C 9, DK; H 7 is followed by C 2.
    void SetUp() override { startWith({20, 15, 7, 48, 39}); }
    void expectHearts7Played() {
        EXPECT_EQ(caption({ctl::btnGround}), u"H 7");
        EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57281\u679A");
        EXPECT_EQ(caption(slot(0)), u"C 2");
        EXPECT_TRUE(focusIs(focusButton()));
    }
};

TEST_F(KeyboardDealTest, KeypadEnterPlaysTheFocusedCardToo) {
    willDraw({41});
    ASSERT_TRUE(tabTo(slotButton(0)));
    pressKeypad(VK_RETURN);
    expectHearts7Played();
}

TEST_F(KeyboardDealTest, NoButtonEverBecomesTheDefault) {
    expectNoDefaultButton();
    for (int i = 0; i < 9; ++i) {
        press(VK_TAB);
        expectNoDefaultButton();
    }
    willDraw({41});
    ASSERT_TRUE(tabTo(slotButton(0)));
    press(VK_SPACE);
    expectNoDefaultButton();
    ASSERT_TRUE(tabTo(slotButton(1)));
    press(VK_TAB, true);
    expectNoDefaultButton();
}

TEST_F(KeyboardDealTest, FocusMarkShowsOnTheFocusedButtonFromTheStart) {
    // Before any key: Windows would otherwise hide focus rectangles until one is pressed.
    EXPECT_EQ(SendMessageW(main, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
    for (HWND b : buttons()) {
        EXPECT_EQ(SendMessageW(b, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0)
            << "id " << GetDlgCtrlID(b);
    }
    const HWND second = slotButton(1);
    const std::vector<COLORREF> unfocused = picture(second);
    SetFocus(second);
    pump();
    ASSERT_NE(SendMessageW(second, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
    EXPECT_NE(picture(second), unfocused) << "the focused slot looks no different";

    // A mouse click asks Windows to hide focus marks again: they stay.
    SendMessageW(second, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    SendMessageW(main, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    pump();
    EXPECT_EQ(SendMessageW(second, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
    EXPECT_NE(picture(second), unfocused);
}

TEST_F(KeyboardDealTest, CapsLockAndNumLockChangeNothing) {
    setLocks(true);
    for (UINT key : {UINT{VK_CAPITAL}, UINT{VK_NUMLOCK}, UINT{'N'}, UINT{'E'}, UINT{VK_NUMPAD5}}) {
        press(key);
        EXPECT_EQ(GetFocus(), focusButton()) << "key " << key;
        EXPECT_EQ(textOf(main), kStartTitle) << "key " << key;
        EXPECT_EQ(caption({ctl::btnGround}), u"") << "key " << key;
    }
    EXPECT_EQ(caption({ctl::cmdPlay, 0}), u"N");
    EXPECT_EQ(caption({ctl::cmdPlay, 1}), u"E");
    // Tab, Shift+Tab and Enter do what they do with the locks off.
    press(VK_TAB);
    EXPECT_TRUE(focusIs(slotButton(0)));
    press(VK_TAB, true);
    EXPECT_TRUE(focusIs(focusButton()));
    willDraw({41});
    ASSERT_TRUE(tabTo(slotButton(0)));
    press(VK_RETURN);
    expectHearts7Played();
    setLocks(false);
}

// The winnable deal played out: the "Win" box as Windows shows it, and the window after it.
class WinBoxTest : public KeyboardTest {};

TEST_F(WinBoxTest, IsModalToTheWindowWithoutAnIconAndLeavesNoDefaultButton) {
    startWith(test::winnableDraws());
    for (int play = 1; play <= 48; ++play) {
        buttonClick(slotButton(0));
    }
    for (int i = 1; i <= 3; ++i) {
        buttonClick(slotButton(i));
    }
    willDraw({1, 2, 3, 4, 5});  // the next deal
    MessageBoxCloser closer;
    buttonClick(slotButton(4));
    ASSERT_EQ(closer.seen().size(), 1u);
    const BoxShown& box = closer.seen().front();
    EXPECT_EQ(box.owner, main);
    EXPECT_FALSE(box.ownerEnabled) << "the box is modal to the window";
    EXPECT_FALSE(box.icon);
    expectNoDefaultButton();
}

}  // namespace
}  // namespace vop::test
