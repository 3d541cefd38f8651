// How the keyboard and screen readers reach the game's controls: Enter on a focused
// button, focus marks that always show, and the controls' names for MSAA.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>

#include "window/win32/com_functions.h"
#include "window/win32/control_ids.h"
#include "window/win32/win32_runtime.h"

namespace vop {

using namespace win32;

namespace {

// The runtime behind a game window, or null for any other window.
Win32Runtime* runtimeOf(HWND window) {
    return window != nullptr ? static_cast<Win32Runtime*>(GetPropW(window, kRuntimeProperty))
                             : nullptr;
}

}  // namespace

Win32Runtime* Win32Runtime::ownerOf(HWND control) {
    return IsWindow(control) ? runtimeOf(GetParent(control)) : nullptr;
}

int Win32Runtime::labelCountOf(HWND form) {
    const Win32Runtime* runtime = runtimeOf(form);
    return runtime != nullptr ? static_cast<int>(runtime->labels().size()) : 0;
}

bool Win32Runtime::labelViewOf(HWND form, int index, LabelView& view) {
    const Win32Runtime* runtime = runtimeOf(form);
    if (runtime == nullptr || index < 0 || index >= static_cast<int>(runtime->labels().size())) {
        return false;
    }
    view = runtime->labelView(index, runtime->dpi_);
    return true;
}

LONG Win32Runtime::accessibleChildId(ControlId id) const {
    return isLabel(id) && hwnd_ != nullptr ? labelChildId(hwnd_, labelIndex(id)) : CHILDID_SELF;
}

LRESULT Win32Runtime::OnGetObject(WPARAM wParam, LPARAM lParam) {
    // A screen reader asks for the form: its buttons, and the labels it paints.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) {
        return 0;
    }
    if (!comReady_) {
        comReady_ = SUCCEEDED(comInitializeEx(COINIT_APARTMENTTHREADED));
    }
    return comReady_ ? accessibleFormFor(hwnd_, wParam, &labelCountOf, &labelViewOf) : 0;
}

bool Win32Runtime::spokenOf(HWND control, Spoken& spoken) {
    const Win32Runtime* runtime = ownerOf(control);
    if (runtime == nullptr) {
        return false;
    }
    const std::optional<ControlId> id = controlFor(runtime->places(), GetDlgCtrlID(control));
    if (!id || !runtime->exists(*id)) {
        return false;
    }
    const bool button = runtime->get(*id).def->kind == ControlKind::CommandButton;
    spoken.role = button ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
    spoken.name = runtime->spokenName(*id);
    spoken.description = runtime->spokenDescription(*id);
    return true;
}

void Win32Runtime::listenToControl(HWND control) {
    SetWindowSubclass(control, &Win32Runtime::ControlProc, 0, 0);
}

LRESULT CALLBACK Win32Runtime::ControlProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclass, DWORD_PTR /*data*/) {
    switch (msg) {
        case WM_GETOBJECT:
            // A screen reader asks for the control: it gets the game's words for it.
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
                Win32Runtime* runtime = ownerOf(control);
                if (runtime != nullptr && !runtime->comReady_) {
                    runtime->comReady_ = SUCCEEDED(comInitializeEx(COINIT_APARTMENTTHREADED));
                }
                if (runtime != nullptr && runtime->comReady_) {
                    if (const LRESULT object = accessibleObjectFor(control, wParam, &spokenOf)) {
                        return object;
                    }
                }
            }
            break;
        case WM_LBUTTONDBLCLK:
            // A button that reports its focus (BS_NOTIFY) turns the second press of a
            // double click into BN_DOUBLECLICKED and never presses: a quick player's
            // second card would be lost. Every press is a press.
            return DefSubclassProc(control, WM_LBUTTONDOWN, wParam, lParam);
        case BM_SETSTYLE:
            // Tab in a dialog makes the focused push button the default for the
            // moment; the game has no default button, Enter is handled on its own.
            if ((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_PUSHBUTTON;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, &Win32Runtime::ControlProc, subclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(control, msg, wParam, lParam);
}

bool Win32Runtime::enterOnButton(const MSG& msg) {
    // Enter clicks the focused button itself, as Space does: no button of the game is
    // the window's default button, so the dialog manager would only send IDOK.
    // A held key's repeats click nothing more.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || (msg.lParam & (1 << 30)) != 0) {
        return false;
    }
    if (msg.hwnd != GetFocus() || GetParent(msg.hwnd) != hwnd_) {
        return false;
    }
    const std::optional<ControlId> id = controlFor(places(), GetDlgCtrlID(msg.hwnd));
    if (!id || !exists(*id) || get(*id).def->kind != ControlKind::CommandButton ||
        !IsWindowEnabled(msg.hwnd)) {
        return false;
    }
    SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(msg.hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(msg.hwnd));
    return true;
}

void Win32Runtime::showFocusMarks() {
    // Windows hides focus rectangles until the first key press; a keyboard player
    // should see where the focus is from the start.
    SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

WPARAM Win32Runtime::keepFocusMarks(WPARAM uiState) const {
    // A mouse click asks to hide them again; the request for the rest goes through.
    const WORD flags = HIWORD(uiState);
    switch (LOWORD(uiState)) {
        case UIS_INITIALIZE:
            return MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS);
        case UIS_SET:
            return MAKEWPARAM(UIS_SET, flags & ~UISF_HIDEFOCUS);
        default:
            return uiState;
    }
}

void Win32Runtime::showSpoken(ControlId id, bool name, bool description) {
    // The words are asked for anew each time; a listening screen reader is told that
    // they changed, as a grid label's state or a slot's playability goes with the game.
    if (starting()) {
        return;  // a screen reader asks for the words of a window that has just shown
    }
    HWND window = shownControl(id);
    LONG child = CHILDID_SELF;
    if (isLabel(id) && shown_ && hwnd_ != nullptr) {
        window = hwnd_;  // a label is a child element of the form's object
        child = accessibleChildId(id);
    }
    if (window == nullptr) {
        return;
    }
    if (name) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, child);
    }
    if (description) {
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, child);
    }
}

}  // namespace vop
