// The form runtime on the native Windows API: one top-level window with a BUTTON child
// for each button of the window definition and the labels painted by the window itself,
// run by a dialog-style message loop.
#pragma once

#include <windows.h>

#include <string>

#include "form/form_runtime.h"
#include "win32/base_window.h"
#include "win32/dpi.h"
#include "win32/label_painter.h"
#include "win32/screen_readers.h"

namespace vop {

class Win32Runtime final : public FormRuntime, public win32::BaseWindow<Win32Runtime> {
  public:
    // showCommand is how the program was asked to show its window (wWinMain's nCmdShow).
    Win32Runtime(const FormDef& form, RandomSource& random, HINSTANCE instance,
                 int showCommand = SW_SHOWNORMAL);
    ~Win32Runtime();

    // Delivers messages until the window is closed; the program's exit status.
    int run();
    // One message through the dialog manager, so that Tab, Shift+Tab and Space
    // work as in a dialog box.
    void dispatch(MSG& msg);

    // End ends the process at once, as the program must. A test that drives the window in
    // its own process turns that off: End then closes the window and run() returns, and
    // the runtime lets no further event reach the game either way.
    void setEndExitsProcess(bool exits) { endExitsProcess_ = exits; }

    // A button's window; labels have none (the form paints them).
    HWND control(ControlId id) const;
    // Where a screen reader finds a label: its child id in the form's MSAA object.
    LONG accessibleChildId(ControlId id) const { return readers_.childId(id); }
    // The font a label is painted in at the window's DPI.
    HFONT labelFont(ControlId id) { return painter_.fontFor(id, dpi_); }
    Dpi dpi() const { return dpi_; }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

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
    // What the game's buttons do beyond a standard BUTTON (the control's subclass).
    static LRESULT CALLBACK ButtonProc(HWND button, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR subclass, DWORD_PTR data);
    bool enterOnButton(const MSG& msg);
    void showFocusMarks();
    WPARAM keepFocusMarks(WPARAM uiState) const;

    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    LRESULT OnDpiChanged(WPARAM wParam, const RECT& suggested);
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    // True when it gave the focus back to the control that had it.
    bool OnActivate(WPARAM wParam);
    // The system's colours or the player's high-contrast choice changed.
    void OnColoursChanged(bool colours);
    void OnDestroy();

    // The control's window, where the runtime's changes are to be shown now, or null.
    HWND shownControl(ControlId id) const;
    // Makes a button's window as the runtime's state says it is now.
    void createButton(ControlId id);
    void showButton(HWND button, ControlId id, Shown what);
    bool isLabel(ControlId id) const { return labelIndex(id) >= 0; }
    // Repaints what a change to a label touched: where it was, and where it is.
    void repaintLabel(ControlId id);
    // Sizes the frame so that the client area is exactly the definition's, at dpi_.
    void fitFrame(POINT topLeft, bool move);
    // Places every control and gives it its font again, after a DPI change.
    void layOutControls();
    // Tab order is z-order: the buttons by TabIndex.
    void applyTabOrder(const std::vector<ControlId>& order);

    HINSTANCE instance_;
    int showCommand_;
    std::wstring className_;  // the form's name: one window class per form
    Dpi dpi_;
    SIZE frameSize_{0, 0};
    HWND focusBeforeDeactivation_ = nullptr;
    bool inFocusChange_ = false;
    bool destroyedByOwner_ = false;
    bool closed_ = false;  // the player closed the window
    bool endExitsProcess_ = true;
    bool shown_ = false;  // the window has shown, its controls are made
    HFONT buttonFont_ = nullptr;
    win32::LabelPainter painter_{*this};
    win32::ScreenReaders readers_{*this};
};

}  // namespace vop
