// A form runtime with no window: the game runs in memory, driven and read by tests,
// the monkey, the fuzzer and the benchmarks.
#pragma once

#include <functional>
#include <vector>

#include "form/form_runtime.h"

namespace vop {

class MemoryRuntime final : public FormRuntime {
  public:
    MemoryRuntime(const FormDef& form, RandomSource& random) : FormRuntime(form, random) {}

    // A mouse click as the platform delivers it: an enabled, visible button first
    // takes the focus, then raises Click. Anything else receives nothing.
    void click(ControlId id);
    // The button pressed, but the mouse let go outside it: the focus and no Click.
    void pressOff(ControlId id);
    // Tab and Shift+Tab: the next or previous control in tab order that can take the focus.
    void pressTab(bool backwards = false);
    // Space or Enter: the focused button raises Click.
    void pressFocused();
    // The player closes the window: the program ends.
    void close() { end(); }

    // The language the player reads, as the platform would tell it; set before start.
    void setUserLanguage(const Text& language) { language_ = language; }

    // Runs while the message box is open (the box is closed when it returns).
    std::function<void(const Text& prompt)> onMessageBox;

    const std::vector<Text>& messages() const { return messages_; }
    const Text& lastMessageTitle() const { return lastTitle_; }
    bool shown() const { return shown_; }
    bool quitCalled() const { return quit_; }

  protected:
    void createWindow() override {}
    void createControl(ControlId) override {}
    void showWindow() override { shown_ = true; }
    void showFormCaption() override {}
    void show(ControlId, Shown) override {}
    void moveFocus(ControlId id) override { raiseGotFocus(id); }
    void showMessageBox(const Text& prompt, const Text& title) override;
    void quit() override { quit_ = true; }
    Text userLanguage() const override { return language_; }

  private:
    // An enabled, visible button of a running window, with no box open: a mouse press reaches it.
    bool takesPress(ControlId id) const;

    std::vector<Text> messages_;
    Text lastTitle_;
    Text language_ = u"en";
    bool shown_ = false;
    bool quit_ = false;
};

}  // namespace vop
