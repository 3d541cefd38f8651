// What the conformance scenarios and the monkey do to the game's window and read back
// from it, the same on every backend: the in-memory runtime, the Qt window, the Win32
// window. Each backend's tests define makeDriver.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "game/frm_vop.h"
#include "window/random_source.h"

namespace vop::test {

// Keys as the player presses them on whatever has the focus. Other: a key the game
// gives no meaning to.
enum class Key : std::uint8_t { Tab, ShiftTab, Space, Enter, Escape, Other };

// How the player closes the "Win" box: a key, a mouse click on its OK button, or
// closing the game's window behind it.
enum class BoxClose : std::uint8_t { Enter, Space, Escape, MouseOnOk, CloseWindow };

// What a message box showed while it was open.
struct SeenBox {
    std::string title;
    std::string text;
    int buttons = 0;
};

class Driver {
  public:
    virtual ~Driver() = default;

    // Builds the window and starts the game; the random source the driver was made with
    // hands out the draws.
    virtual void start() = 0;

    // What the player does, delivered as the platform delivers it. A click is a press and
    // release in the middle of the control; dragOff a press there, released outside it.
    virtual void click(ControlId id) = 0;
    // A click that follows a click on the same control at once: the platform reports its
    // press as the second of a double click.
    virtual void secondClick(ControlId id) = 0;
    void doubleClick(ControlId id) {
        click(id);
        secondClick(id);
    }
    virtual void dragOff(ControlId id) = 0;
    virtual void press(Key key) = 0;
    // The player closes the game's window (the frame's close box).
    virtual void closeWindow() = 0;

    // What the window shows now, read back from the window itself.
    virtual std::string title() const = 0;
    virtual std::string caption(ControlId id) const = 0;
    virtual bool enabled(ControlId id) const = 0;
    // The control with the keyboard focus, if a control of the window has it.
    virtual std::optional<ControlId> focus() const = 0;
    // What a screen reader hears of a control.
    virtual std::string spokenName(ControlId id) const = 0;
    virtual std::string spokenDescription(ControlId id) const = 0;
    // The program has ended ("E", or the window closed).
    virtual bool ended() const = 0;

    // The game behind the window, for the invariant checker.
    virtual const frmVop& game() const = 0;
    virtual const FormRuntime& runtime() const = 0;

    // Called when a message box opens during an action, with what it shows; it may act on
    // the window behind the box, and says how the box is then closed. By default: Enter.
    std::function<BoxClose(const SeenBox& box)> onBox;

  protected:
    // For drivers: what to do with a box that has opened.
    BoxClose boxOpened(const SeenBox& box) { return onBox ? onBox(box) : BoxClose::Enter; }
};

// The backend's driver around a new game whose draws come from random.
std::unique_ptr<Driver> makeDriver(RandomSource& random);

}  // namespace vop::test
