// The game played on its Win32 window: the deal, plays by mouse and by Space, the
// Tab order and focus parking, the "Win" box, "N" and closing the window.
#include <algorithm>

#include "window_fixture.h"

namespace vop::test {
namespace {

// H 7, H 2, S 7, C 9, DK: after H 7 is played only H 2 and S 7 (and a heart or a 7) match.
class PlayTest : public Win32WindowTest {
  protected:
    void SetUp() override { startWith({20, 15, 7, 48, 39}); }

    std::vector<bool> slotsEnabled() const {
        std::vector<bool> on;
        for (int i = 0; i < 5; ++i) {
            on.push_back(IsWindowEnabled(slotButton(i)) != FALSE);
        }
        return on;
    }
    bool focusIs(HWND control) {
        return pumpUntil([&] { return GetFocus() == control; });
    }

    // After H 7 from slot 0, refilled with C 2.
    void expectHearts7Played() {
        EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57281\u679A");
        EXPECT_EQ(caption({ctl::btnGround}), u"H 7");
        EXPECT_EQ(caption(slot(0)), u"C 2");
        EXPECT_EQ(slotsEnabled(), (std::vector<bool>{false, true, true, false, false}));
        EXPECT_FALSE(IsWindowEnabled(ctl(grid(20))));
        EXPECT_TRUE(focusIs(focusButton()));
    }
};

TEST_F(PlayTest, StartUpShowsTheDealWithTheFocusParked) {
    EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57280\u679A");  // the caption comes back intact
    const Text names[] = {u"H 7", u"H 2", u"S 7", u"C 9", u"DK"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(caption(slot(i)), names[i]);
        EXPECT_TRUE(IsWindowEnabled(slotButton(i)));
    }
    EXPECT_EQ(caption({ctl::btnGround}), u"");
    EXPECT_EQ(caption({ctl::cmdPlay, 0}), u"N");
    EXPECT_EQ(caption({ctl::cmdPlay, 1}), u"E");
    const Text ranks[] = {u"A", u"2", u"3", u"4", u"5", u"6", u"7",
                          u"8", u"9", u"T", u"J", u"Q", u"K"};
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(caption({ctl::lblColor, static_cast<std::int16_t>(s)}), Text(1, u"SHDC"[s]));
        for (int r = 1; r <= 13; ++r) {
            EXPECT_EQ(caption(grid(s * 13 + r)), ranks[r - 1]);
            EXPECT_TRUE(IsWindowEnabled(ctl(grid(s * 13 + r))));
        }
    }
    EXPECT_EQ(GetFocus(), focusButton());
}

TEST_F(PlayTest, TabVisitsHandAndCommandsAndPassesTheGroundBy) {
    const HWND order[] = {slotButton(0),         slotButton(1), slotButton(2),
                          slotButton(3),         slotButton(4), ctl({ctl::cmdPlay, 0}),
                          ctl({ctl::cmdPlay, 1})};
    for (HWND next : order) {
        press(VK_TAB);
        EXPECT_TRUE(focusIs(next)) << "Tab went to id " << GetDlgCtrlID(GetFocus());
    }
    press(VK_TAB);  // round to btnFocus: the ground is no tab stop
    EXPECT_TRUE(focusIs(focusButton()));
    press(VK_TAB);
    EXPECT_TRUE(focusIs(slotButton(0)));
    press(VK_TAB, true);
    EXPECT_TRUE(focusIs(focusButton()));
    press(VK_TAB, true);  // Shift+Tab from the parked focus reaches "E"
    EXPECT_TRUE(focusIs(ctl({ctl::cmdPlay, 1})));
    EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57280\u679A") << "moving the focus plays nothing";
}

TEST_F(PlayTest, ClickOnTheGroundPassesTheFocusOnAfterTheFocusChange) {
    const HWND ground = ctl({ctl::btnGround});
    SendMessageW(ground, BM_CLICK, 0, 0);
    // Handed on by a posted message, not from inside Windows' own focus change.
    EXPECT_EQ(GetFocus(), ground);
    EXPECT_TRUE(focusIs(focusButton()));
    EXPECT_EQ(caption({ctl::btnGround}), u"") << "the ground has no click of its own";
}

TEST_F(PlayTest, MouseClickPlaysTheCard) {
    willDraw({41});
    mouseClick(slotButton(0));
    expectHearts7Played();
}

TEST_F(PlayTest, EveryPressOfADoubleClickIsAClick) {
    willDraw({17, 41});  // H 7 is refilled with H 4, which matches and is played in turn
    mouseDoubleClick(slotButton(0));
    EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57282\u679A");
    EXPECT_EQ(caption({ctl::btnGround}), u"H 4");
    willDraw({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});  // "N" twice: two deals
    mouseDoubleClick(ctl({ctl::cmdPlay, 0}));
    EXPECT_EQ(random.left(), 0u);
    EXPECT_EQ(caption(slot(4)), u"ST");
}

TEST_F(PlayTest, SpacePlaysTheFocusedCard) {
    willDraw({41});
    press(VK_TAB);
    ASSERT_TRUE(focusIs(slotButton(0)));
    press(VK_SPACE);
    expectHearts7Played();
}

TEST_F(PlayTest, DisabledSlotCannotBePlayed) {
    willDraw({41});
    mouseClick(slotButton(0));
    ASSERT_FALSE(IsWindowEnabled(slotButton(3)));  // C 9 does not match H 7
    buttonClick(slotButton(3));
    mouseClick(slotButton(3));
    EXPECT_EQ(caption({ctl::btnGround}), u"H 7");
    EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57281\u679A");
    EXPECT_EQ(caption(slot(3)), u"C 9");
    // Tab passes over the disabled slots 0, 3 and 4.
    press(VK_TAB);
    EXPECT_TRUE(focusIs(slotButton(1)));
    press(VK_TAB);
    EXPECT_TRUE(focusIs(slotButton(2)));
    press(VK_TAB);
    EXPECT_TRUE(focusIs(ctl({ctl::cmdPlay, 0})));
}

TEST_F(PlayTest, NDealsANewGame) {
    willDraw({41});
    mouseClick(slotButton(0));
    willDraw({1, 2, 3, 4, 5});
    mouseClick(ctl({ctl::cmdPlay, 0}));
    EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57280\u679A");
    EXPECT_EQ(caption({ctl::btnGround}), u"");
    EXPECT_EQ(caption(slot(4)), u"S 5");
    EXPECT_EQ(slotsEnabled(), std::vector<bool>(5, true));
    EXPECT_TRUE(IsWindowEnabled(ctl(grid(20))));
    EXPECT_TRUE(focusIs(focusButton()));
}

TEST_F(PlayTest, ClosingTheWindowEndsTheMessageLoop) {
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(pumpUntil([&] { return quitPosted; }));
    EXPECT_EQ(quitCode, 0u);
}

// A whole game: slot 0 plays SA, then every refill, each matching the card before it
// (spades up, hearts down, diamonds up, clubs down to 5); then the clubs A to 4.
class WinTest : public Win32WindowTest {};

TEST_F(WinTest, EmptyingTheHandShowsWinThenDealsAgain) {
    startWith({1, 40, 41, 42, 43});
    for (int n = 2; n <= 13; ++n) {
        willDraw({n});
    }
    for (int n = 26; n >= 14; --n) {
        willDraw({n});
    }
    for (int n = 27; n <= 39; ++n) {
        willDraw({n});
    }
    for (int n = 52; n >= 44; --n) {
        willDraw({n});
    }
    for (int play = 1; play <= 48; ++play) {
        ASSERT_TRUE(IsWindowEnabled(slotButton(0))) << "play " << play;
        buttonClick(slotButton(0));
    }
    EXPECT_EQ(caption(slot(0)), u"");
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(IsWindowEnabled(slotButton(i)));
        buttonClick(slotButton(i));
    }
    willDraw({1, 2, 3, 4, 5});  // the next deal
    MessageBoxCloser closer;
    buttonClick(slotButton(4));

    ASSERT_EQ(closer.seen().size(), 1u) << "exactly one box";
    const BoxShown& box = closer.seen().front();
    EXPECT_EQ(box.title, u"Vop");
    EXPECT_NE(std::find(box.texts.begin(), box.texts.end(), u"Win"), box.texts.end());
    EXPECT_EQ(box.buttons.size(), 1u);
    EXPECT_FALSE(box.icon);
    EXPECT_EQ(box.owner, main);
    EXPECT_FALSE(box.ownerEnabled) << "the box is modal to the window";
    EXPECT_EQ(box.ownerTitle, u"Vop:\u73FE\u572852\u679A");

    // The new hand, rated against the winning C 4, which stays on the ground.
    EXPECT_EQ(textOf(main), u"Vop:\u73FE\u57280\u679A");
    EXPECT_EQ(caption({ctl::btnGround}), u"C 4");
    EXPECT_EQ(caption(slot(3)), u"S 4");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(IsWindowEnabled(slotButton(i)) != FALSE, i == 3) << "slot " << i;
    }
    EXPECT_FALSE(IsWindowEnabled(ctl(grid(43))));
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == focusButton(); }));
}

// Closing the window behind the "Win" box ends the program: no new deal follows, and
// nothing is drawn into a window that is gone.
TEST_F(WinTest, ClosingTheWindowBehindWinEndsTheGame) {
    startWith(winnableDraws());
    for (int play = 1; play <= 48; ++play) {
        buttonClick(slotButton(0));
    }
    for (int i = 1; i <= 3; ++i) {
        buttonClick(slotButton(i));
    }
    willDraw({1, 2, 3, 4, 5});
    MessageBoxCloser closer(MessageBoxCloser::Close::Window);
    buttonClick(slotButton(4));
    ASSERT_EQ(closer.seen().size(), 1u);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(random.left(), 5u) << "a new game was dealt after the window closed";
    EXPECT_TRUE(pumpUntil([&] { return quitPosted; }));
}

}  // namespace
}  // namespace vop::test
