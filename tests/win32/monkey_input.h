// The monkey's mouse and keyboard: inputs queued like the system's input queue, each
// given to the window under the pointer or to the focus only when a loop takes it.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

#include "window/win32/win32_runtime.h"

namespace vop::test::monkey {

// One half of what a player does: a button going down or up, a key going down, held
// or up. Mouse positions are in screen pixels.
struct Input {
    enum class Kind : std::uint8_t { Press, DoublePress, Release, KeyDown, KeyHeld, KeyUp };
    Kind kind = Kind::Press;
    POINT at{};
    UINT key = 0;
    bool shift = false;

    bool mouse() const { return kind <= Kind::Release; }
};

// What became of one input once a loop took it.
struct Delivery {
    const Input* input = nullptr;
    HWND target = nullptr;   // null: the system delivered it nowhere (see dropped)
    bool dropped = false;    // outside the game's windows, on a frame or a disabled window
    bool closedBox = false;  // the "Win" box went away on this input
};

// Inputs are posted to a window of their own and resolved only when some message loop
// (the game's, or the "Win" box's modal one) takes them: a click goes to the window
// under the pointer then, or to the one that holds the mouse capture; a key goes to
// the focus then. Each is then handed to the dialog manager of the loop that took it,
// as the system does with real input. So inputs queued before a box opens reach the
// box, and nothing reaches the game's window while the box disables it.
class InputDevice {
  public:
    explicit InputDevice(Win32Runtime& runtime);
    ~InputDevice();
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    void post(const Input& input);
    std::size_t waiting() const { return queue_.size(); }

    // Called for each input after it has been handled, and before a target is handed
    // an input (to let the rigged deal know which card is about to be played).
    std::function<void(const Delivery&)> delivered;
    std::function<void(HWND target, const Input& input)> aboutToDeliver;

    // The "Win" box while the game shows it, or null.
    HWND openBox() const;

  private:
    static LRESULT CALLBACK proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void takeNext();
    Delivery deliver(const Input& input);
    HWND mouseTarget(POINT at, bool& dropped) const;
    void route(MSG& msg);

    Win32Runtime& runtime_;
    HWND window_ = nullptr;
    std::deque<Input> queue_;
};

}  // namespace vop::test::monkey
