// What the conformance scenarios and the monkey do to the game's window and read back
// from it, the same on every backend: the in-memory runtime, the Qt window, the Win32
// window and the web page. Each backend's tests define makeDriver.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/random_source.h"
#include "game/frm_vop.h"
#include "support/pixels.h"

namespace vop::test {

// Keys as the player presses them on whatever has the focus. Other: a key the game
// gives no meaning to.
enum class Key : std::uint8_t { Tab, ShiftTab, Space, Enter, Escape, Other };

// The mouse buttons nothing of the game answers to.
enum class Button : std::uint8_t { Right, Middle };

// Where a click lands that hits no control: the window's background between the
// buttons, or its frame (the title bar, where the window has one of its own).
enum class Spot : std::uint8_t { Background, Frame };

// How the player closes the "Win" box: a key, a mouse click on its OK button, or
// closing the game's window behind it.
enum class BoxClose : std::uint8_t { Enter, Space, Escape, MouseOnOk, CloseWindow };

// One input of a burst: a left click on a control, or a key.
struct Input {
    bool isKey = false;
    ControlId id = {};
    Key key = Key::Tab;
};

// What a message box showed while it was open.
struct SeenBox {
    std::string title;
    std::string text;
    int buttons = 0;
};

class Driver {
  public:
    // The draws the game's random source hands out; for the scenarios it is scripted.
    explicit Driver(RandomSource& random) : random_(random) {}
    virtual ~Driver() = default;
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Builds the window and starts the game.
    virtual void start() = 0;

    // The scenarios' draws: the next value the game draws is the one that draws the card;
    // and how many of them the game has not drawn yet.
    virtual void draw(int card);
    virtual std::size_t drawsLeft() const;

    // What the player does, delivered as the platform delivers it. A click is a press and
    // release of the left button in the middle of the control; dragOff a press there,
    // released outside it.
    virtual void click(ControlId id) = 0;
    // A click that follows a click on the same control at once: the platform reports its
    // press as the second of a double click.
    virtual void secondClick(ControlId id) = 0;
    void doubleClick(ControlId id) {
        click(id);
        secondClick(id);
    }
    virtual void dragOff(ControlId id) = 0;
    // A press and release of another mouse button on the control.
    virtual void clickWith(ControlId id, Button button) = 0;
    virtual void clickOn(Spot spot) = 0;
    virtual void press(Key key) = 0;
    // The key held down: the platform repeats its press `repeats` times, then it is let go.
    virtual void hold(Key key, int repeats) = 0;
    // The inputs queued at once, as a quick hand makes them, before the window has handled
    // the first.
    virtual void burst(const std::vector<Input>& inputs) = 0;
    // The player closes the game's window (the frame's close box).
    virtual void closeWindow() = 0;

    // What the window shows now, read back from the window itself.
    virtual std::string title() const = 0;
    virtual std::string caption(ControlId id) const = 0;
    virtual bool enabled(ControlId id) const = 0;
    // How the control looks to the player, read from the pixels the window drew there
    // (lookOf): "blue", "red", "grey" (greyed out), or "blank".
    virtual std::string look(ControlId id) const = 0;
    // Where the control is: its place in the window's client area, in pixels as the window
    // is drawn at pixelsPerInch().
    virtual PixelRect place(ControlId id) const = 0;
    virtual int pixelsPerInch() const { return 96; }
    // The control with the keyboard focus, if a control of the window has it.
    virtual std::optional<ControlId> focus() const = 0;
    // What a screen reader hears of a control.
    virtual std::string spokenName(ControlId id) const = 0;
    virtual std::string spokenDescription(ControlId id) const = 0;
    // The language the window's player reads, as the platform tells it ("ja-JP", "en").
    virtual std::string language() const;
    // The program has ended ("E", or the window closed).
    virtual bool ended() const = 0;

    // The game behind the window, for the invariant checker; none where the game runs in
    // another process (the browser's page).
    virtual const frmVop* game() const { return nullptr; }
    virtual const FormRuntime* runtime() const { return nullptr; }

    // Called when a message box opens during an action, with what it shows; it may act on
    // the window behind the box, and says how the box is then closed. By default: Enter.
    std::function<BoxClose(const SeenBox& box)> onBox;

  protected:
    // For drivers: what to do with a box that has opened.
    BoxClose boxOpened(const SeenBox& box) { return onBox ? onBox(box) : BoxClose::Enter; }

    RandomSource& random_;
};

// The backend's driver around a new game whose draws come from random.
std::unique_ptr<Driver> makeDriver(RandomSource& random);

// "btnCard(2)", "btnFocus": a control of the game's window by the name the game gives it.
std::optional<ControlId> controlNamed(std::string_view name);

}  // namespace vop::test
