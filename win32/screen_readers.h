// What screen readers are told of the game's window through MSAA: the form's object, with
// the labels it paints as its children; each button's object, in the game's words; and
// the WinEvents that say which words changed.
#pragma once

#include <windows.h>

#include <optional>

#include "form/form_runtime.h"

namespace vop::win32 {

class ScreenReaders {
  public:
    explicit ScreenReaders(const FormRuntime& runtime) : runtime_(runtime) {}
    ~ScreenReaders();
    ScreenReaders(const ScreenReaders&) = delete;
    ScreenReaders& operator=(const ScreenReaders&) = delete;

    // The form's window while it lives, and the resolution its labels are painted at.
    void attach(HWND form);
    void detach();
    void setDpi(Dpi dpi) { dpi_ = dpi; }

    // The answers to WM_GETOBJECT for the form and for one of its buttons; 0 where the
    // game has none (Windows then answers with its own).
    LRESULT formObject(WPARAM flags, LPARAM object);
    LRESULT buttonObject(HWND button, WPARAM flags, LPARAM object);

    // Where a screen reader finds a control: a label is a child element of the form's
    // object, a button is its own window's object (CHILDID_SELF).
    LONG childId(ControlId id) const;
    // Tells listening screen readers what changed of a control: its words, or a label's
    // state (a button's window tells its own).
    void tellWords(ControlId id, HWND button, bool name, bool description) const;
    void tellState(ControlId id) const;

    // What the game's accessible objects ask, through the form's window; null once the
    // window or its game is gone.
    static ScreenReaders* of(HWND form);
    int labelCount() const { return static_cast<int>(runtime_.labels().size()); }
    bool label(int index, LabelView& view) const;
    // The game's words for a button: its name, or what it does now.
    std::optional<Text> wordsFor(HWND button, bool description) const;

  private:
    // COM is started on the first question, on the window's thread, and ended with it.
    bool comStarted();

    const FormRuntime& runtime_;
    HWND form_ = nullptr;
    Dpi dpi_;
    bool comReady_ = false;
};

}  // namespace vop::win32
