// The form runtime shown in a web page: the window is a box of fixed size in the page,
// each button a real <button>, each label an element with a name and no behaviour, and
// the message box a modal <dialog>. The page's side is web/web_window.js.
#pragma once

#include <optional>
#include <string>

#include "form/form_runtime.h"

namespace vop {

class WebRuntime final : public FormRuntime {
  public:
    // One window per page: the page's events reach the runtime made last.
    WebRuntime(const FormDef& form, RandomSource& random);
    ~WebRuntime() override;

    // What the page's events report, by the controls' places (web/web_window.js).
    void pageClicked(std::size_t place);
    void pageFocused(std::size_t place);
    // Tab or Shift+Tab from the control at `from` (none: from outside the window).
    void pageTabbed(std::optional<std::size_t> from, bool backwards);
    void pageClosed() { end(); }

    // The control that has the page's keyboard focus, if a control of the window has it.
    std::optional<ControlId> pageFocus() const;
    // The page says the program has ended ("E", or the page was closed).
    bool pageShowsEnded() const;

  protected:
    void createWindow() override;
    void createControl(ControlId id) override;
    void showWindow() override;
    void showFormCaption() override;
    void show(ControlId id, Shown what) override;
    void moveFocus(ControlId id) override;
    void showMessageBox(const Text& prompt, const Text& title) override;
    void quit() override;
    Text userLanguage() const override;
    void showSpoken(ControlId id, bool name, bool description) override;

  private:
    int at(ControlId id) const { return static_cast<int>(place(id)); }
};

// A colour of the window definition as CSS writes it: "#0000ff", or a system colour's name.
std::string cssColor(ColorValue value);

}  // namespace vop
