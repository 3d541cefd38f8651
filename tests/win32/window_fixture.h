// The real Win32 window of the game, started in this process with a scripted deal,
// driven by window messages through the runtime's dialog loop and read back via Win32.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/game_fixture.h"
#include "game/frm_vop.h"
#include "win32/child_ids.h"
#include "win32/wide_text.h"
#include "win32/win32_runtime.h"

namespace vop::test {

// The DPI the test run expects Windows to report: 96 unless VOP_DPI says otherwise.
int expectedDpi();

inline Text textOf(HWND window) {
    return win32::windowText(window);
}

// A control's rectangle in the client coordinates of its window.
RECT placeOf(HWND control);

// What a message box showed when it was found open.
struct BoxShown {
    HWND box = nullptr;
    HWND owner = nullptr;
    Text title;
    std::vector<Text> texts;  // the text controls
    bool icon = false;
    bool ownerEnabled = true;
};

// Watches this thread for message boxes from a timer, which the box's own modal loop
// runs, notes what each one shows and closes it with its OK button.
class MessageBoxCloser {
  public:
    MessageBoxCloser();
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    const std::vector<BoxShown>& seen() const { return seen_; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK inspect(HWND window, LPARAM self);

    UINT_PTR timer_ = 0;
    std::vector<BoxShown> seen_;
};

class Win32WindowTest : public ::testing::Test {
  protected:
    // Starts the game with the first hand drawn from these card numbers; the window
    // must come up, or the test fails here.
    void startWith(const std::vector<int>& draws);
    void willDraw(const std::vector<int>& draws);

    HWND ctl(ControlId id) const;
    // Where a control is in the client area: a button's window, or a label (which the form
    // paints) as a screen reader finds it.
    RECT where(ControlId id) const;
    HWND focusButton() const { return ctl({ctl::btnFocus}); }
    HWND slotButton(int i) const { return ctl(slot(i)); }
    Text caption(ControlId id) const { return textOf(ctl(id)); }

    // Delivers every waiting message through the runtime's dialog loop.
    void pump();
    // Pumps until the condition holds; false if it still does not after five seconds.
    bool pumpUntil(const std::function<bool()>& done);
    // A key pressed and released on the focused control, as the keyboard delivers it.
    void press(UINT key, bool shift = false);
    void buttonClick(HWND button);

    ScriptedRandom random;
    Win32Runtime runtime{vopWindow(), random, GetModuleHandleW(nullptr)};
    frmVop game{runtime};
    HWND main = nullptr;
};

}  // namespace vop::test
