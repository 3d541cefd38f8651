// The player's mouse and keyboard on the game's window: inputs queued like the system's
// input queue, each given to the window under the pointer or to the focus only when a
// loop takes it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>

#include "win32/win32_runtime.h"

namespace vop::test {

// One half of what a player does: a mouse button going down or up, a key going down,
// repeating while held, or up. Mouse positions are in screen pixels.
struct InputEvent {
    enum class Kind : std::uint8_t { Press, DoublePress, Release, KeyDown, KeyRepeat, KeyUp };
    enum class Mouse : std::uint8_t { Left, Right, Middle };
    Kind kind = Kind::Press;
    POINT at{};
    UINT key = 0;
    bool shift = false;
    Mouse button = Mouse::Left;

    bool mouse() const { return kind <= Kind::Release; }
};

// Inputs are posted to a window of their own and resolved only when some message loop
// (the game's, the "Win" box's modal one, or the one Windows runs while a title bar is
// held) takes them: a click goes to the window under the pointer then, or to the one that
// holds the mouse capture, to its client area or to its frame as the window's own hit
// test says; a key goes to the focus then. Each is then handed to the dialog manager of
// the loop that took it, as the system does with real input. So inputs queued before a
// box opens reach the box, and nothing reaches the game's window while the box disables it.
class InputDevice {
  public:
    explicit InputDevice(Win32Runtime& runtime);
    ~InputDevice();
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    void post(const InputEvent& input);
    std::size_t waiting() const { return queue_.size(); }

    // The "Win" box while the game shows it, or null.
    HWND openBox() const;

  private:
    static LRESULT CALLBACK proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void takeNext();
    void deliverMouse(const InputEvent& input);
    void deliverKey(const InputEvent& input);
    void route(MSG& msg);

    Win32Runtime& runtime_;
    HWND window_ = nullptr;
    std::deque<InputEvent> queue_;
};

}  // namespace vop::test
