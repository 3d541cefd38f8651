// The Win32 form runtime: builds the window from its definition, shows the
// runtime's state in it and reports clicks and focus changes back to the game.
#include "win32/win32_runtime.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "win32/child_ids.h"
#include "win32/error_box.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace vop {

using namespace win32;

namespace {

// The buttons stay in front of what the form paints (the labels) wherever they overlap.
constexpr DWORD kFixedFrame =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_NOTIFY | BS_MULTILINE;

HBRUSH classBrush(ColorValue color) {
    if (isSystemColor(color)) {
        return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>((color & 0xFF) + 1));
    }
    return CreateSolidBrush(color);  // lives as long as the window class
}

void registerWindowClass(HINSTANCE instance, const wchar_t* name, ColorValue backColor) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc)) {
        return;
    }
    wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Win32Runtime::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VOP));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VOP), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_ARROW));
    wc.hbrBackground = classBrush(backColor);
    wc.lpszClassName = name;
    if (RegisterClassExW(&wc) == 0) {
        raiseRuntimeError(RuntimeError::ObjectNotSet, "cannot register the window class");
    }
}

}  // namespace

Win32Runtime::Win32Runtime(const FormDef& form, RandomSource& random, HINSTANCE instance,
                           int showCommand)
    : FormRuntime(form, random),
      instance_(instance),
      showCommand_(showCommand),
      className_(form.name.begin(), form.name.end()) {
    tellScreenReaders();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    registerWindowClass(instance_, className_.c_str(), form.backColor);
}

Win32Runtime::~Win32Runtime() {
    if (hwnd_ != nullptr) {
        destroyedByOwner_ = true;
        DestroyWindow(hwnd_);
    }
    DeleteObject(buttonFont_);
}

int Win32Runtime::run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        dispatch(msg);
    }
    return static_cast<int>(msg.wParam);
}

void Win32Runtime::dispatch(MSG& msg) {
    if (hwnd_ != nullptr && enterOnButton(msg)) {
        return;
    }
    if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

HWND Win32Runtime::control(ControlId id) const {
    return hwnd_ != nullptr ? GetDlgItem(hwnd_, dialogId(places(), id)) : nullptr;
}

// --- Building the window.

void Win32Runtime::createWindow() {
    const DWORD style = kFixedFrame;
    dpi_ = systemDpi();
    const SIZE client{pixelsX(form().clientWidth, dpi_), pixelsY(form().clientHeight, dpi_)};
    const SIZE frame = frameSizeFor(client, style, 0, dpi_);
    if (!Create(className_.c_str(), wide(formCaption()), style, WS_EX_CONTROLPARENT, frame.cx,
                frame.cy, instance_)) {
        raiseRuntimeError(RuntimeError::ObjectNotSet, "cannot create the window");
    }
    readers_.attach(hwnd_);
    // Created on the primary monitor's DPI; the monitor it landed on decides.
    dpi_ = windowDpi(hwnd_);
    readers_.setDpi(dpi_);
    painter_.readContrast();
    const LOGFONTW buttonFace = messageFont(dpi_);
    buttonFont_ = CreateFontIndirectW(&buttonFace);
    fitFrame({}, false);
    installRuntimeErrorBox(hwnd_);
}

void Win32Runtime::createControl(ControlId id) {
    if (get(id).def->kind == ControlKind::Label) {
        // A label takes no focus and raises no event the game handles: the form paints
        // it, and it needs no window of its own.
        repaintLabel(id);
        return;
    }
    // Until the window first shows, Form_Load is still setting up the game: each button is
    // made once, as it will first be seen, by showWindow.
    if (shown_) {
        createButton(id);
    }
}

void Win32Runtime::createButton(ControlId id) {
    const ControlState& s = get(id);
    const PixelRect r = pixelRect(id, dpi_);
    DWORD style = kButtonStyle;
    if (s.def->tabStop) {
        style |= WS_TABSTOP;
    }
    if (s.visible) {
        style |= WS_VISIBLE;
    }
    if (!s.enabled) {
        style |= WS_DISABLED;
    }
    const HWND child = CreateWindowExW(
        0, L"BUTTON", wide(s.caption), style, r.left, r.top, r.width, r.height, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(dialogId(places(), id))), instance_, nullptr);
    if (child == nullptr) {
        raiseRuntimeError(RuntimeError::ObjectNotSet, "cannot create a control");
    }
    SetWindowSubclass(child, &Win32Runtime::ButtonProc, 0, 0);
    if (IsWindowVisible(hwnd_)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
    }
}

void Win32Runtime::showWindow() {
    const std::vector<ControlId> order = buttonsByTabIndex();
    if (!shown_) {
        shown_ = true;
        // Made in tab order, the buttons are already in the z-order it needs.
        for (ControlId id : order) {
            createButton(id);
        }
    }
    applyTabOrder(order);
    showFocusMarks();
    ShowWindow(hwnd_, showCommand_);
    // The buttons take their font once the window is on the screen and before anything
    // is painted: making the font ready for text is the slowest part of their start, and
    // the window can show meanwhile.
    for (ControlId id : order) {
        SendMessageW(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
    }
    UpdateWindow(hwnd_);
}

void Win32Runtime::applyTabOrder(const std::vector<ControlId>& order) {
    HWND above = nullptr;
    for (ControlId id : order) {
        const HWND child = control(id);
        if (GetWindow(child, GW_HWNDPREV) != above) {
            SetWindowPos(child, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        above = child;
    }
}

void Win32Runtime::repaintLabel(ControlId id) {
    const auto [was, now] = labelMoved(id, dpi_);
    // Before the window first shows, its first paint shows every label as it is then: a
    // rectangle marked for each of Form_Load's hundreds of changes would only cost time.
    if (shown_ && hwnd_ != nullptr) {
        for (const PixelRect& r : {was, now}) {  // where it was, and where it is
            const RECT touched{r.left, r.top, r.right(), r.bottom()};
            InvalidateRect(hwnd_, &touched, TRUE);
        }
    }
}

void Win32Runtime::OnPaint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(hwnd_, &ps);
    painter_.paint(dc, ps.rcPaint, dpi_);
    EndPaint(hwnd_, &ps);
}

void Win32Runtime::fitFrame(POINT topLeft, bool move) {
    const SIZE want{pixelsX(form().clientWidth, dpi_), pixelsY(form().clientHeight, dpi_)};
    frameSize_ = frameSizeFor(want, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                              static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    RECT got{};
    GetClientRect(hwnd_, &got);
    if (move || got.right != want.cx || got.bottom != want.cy) {  // else it is made right
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0 : SWP_NOMOVE);
        SetWindowPos(hwnd_, nullptr, topLeft.x, topLeft.y, frameSize_.cx, frameSize_.cy, flags);
        GetClientRect(hwnd_, &got);
    }
    // Should the frame differ from what Windows predicted, correct it once by the difference.
    if (got.right != want.cx || got.bottom != want.cy) {
        frameSize_.cx += want.cx - got.right;
        frameSize_.cy += want.cy - got.bottom;
        SetWindowPos(hwnd_, nullptr, 0, 0, frameSize_.cx, frameSize_.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

void Win32Runtime::layOutControls() {
    for (ControlId id : controls()) {
        show(id, Shown::Geometry);
        if (const HWND button = shownControl(id)) {
            SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), TRUE);
        }
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// --- Showing the runtime's state.

void Win32Runtime::showFormCaption() {
    if (hwnd_ != nullptr) {
        SetWindowTextW(hwnd_, wide(formCaption()));
    }
}

HWND Win32Runtime::shownControl(ControlId id) const {
    // Until the window shows, a control is made as it is then (showWindow); once the
    // window is gone there is nothing to show, and a null window would mean the desktop.
    return shown_ ? control(id) : nullptr;
}

void Win32Runtime::show(ControlId id, Shown what) {
    if (isLabel(id)) {
        repaintLabel(id);
        if (what == Shown::Enabled && shown_) {
            readers_.tellState(id);
        }
    } else if (const HWND button = shownControl(id)) {
        showButton(button, id, what);
    }
}

void Win32Runtime::showButton(HWND button, ControlId id, Shown what) {
    const ControlState& s = get(id);
    switch (what) {
        case Shown::Caption:
            SetWindowTextW(button, wide(s.caption));
            break;
        case Shown::Enabled:
            EnableWindow(button, s.enabled ? TRUE : FALSE);
            InvalidateRect(button, nullptr, TRUE);
            break;
        case Shown::Visible:
            ShowWindow(button, s.visible ? SW_SHOWNA : SW_HIDE);
            break;
        case Shown::Geometry: {
            const PixelRect r = pixelRect(id, dpi_);
            SetWindowPos(button, nullptr, r.left, r.top, r.width, r.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case Shown::Font:
            break;  // buttons keep the message font of their DPI
        case Shown::ForeColor:
            InvalidateRect(button, nullptr, TRUE);
            break;
    }
}

void Win32Runtime::moveFocus(ControlId id) {
    const HWND target = control(id);
    if (inFocusChange_ || !shown_) {
        // Windows is still handing the focus to another control, or the control is
        // not made yet: finish that first.
        PostMessageW(hwnd_, kMoveFocusMessage, static_cast<WPARAM>(dialogId(places(), id)), 0);
        return;
    }
    SetFocus(target);
}

Text Win32Runtime::userLanguage() const {
    // The language of Windows' own menus and dialogs, which the player reads.
    wchar_t name[16] = {};
    const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, name, 16) > 0) {
        return Text(reinterpret_cast<const char16_t*>(name));
    }
    return u"en";
}

void Win32Runtime::showMessageBox(const Text& prompt, const Text& title) {
    MessageBoxW(hwnd_, wide(prompt), wide(title), MB_OK);
}

void Win32Runtime::quit() {
    if (closed_) {
        PostQuitMessage(0);  // the window is gone: run() returns and the program ends
        return;
    }
    if (endExitsProcess_) {
        // End: nothing more of the game runs, not even the rest of the click handler.
        ExitProcess(0);
    }
    ShowWindow(hwnd_, SW_HIDE);
    PostQuitMessage(0);
}

// --- Messages.

LRESULT Win32Runtime::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            return OnCommand(wParam, lParam);
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_GETOBJECT:
            // A screen reader asks for the form: its buttons, and the labels it paints.
            if (const LRESULT object = readers_.formObject(wParam, lParam)) {
                return object;
            }
            break;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            OnColoursChanged(msg == WM_SYSCOLORCHANGE);
            break;
        case WM_DPICHANGED:
            return OnDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_ACTIVATE:
            // The focus goes back where it was; only where there is none to restore
            // may Windows pick a control itself.
            if (OnActivate(wParam)) {
                return 0;
            }
            break;
        case WM_CHANGEUISTATE:
        case WM_UPDATEUISTATE:
            return DefWindowProcW(hwnd_, msg, keepFocusMarks(wParam), lParam);
        case kMoveFocusMessage:
            if (const HWND target = GetDlgItem(hwnd_, static_cast<int>(wParam))) {
                SetFocus(target);
            }
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_NCDESTROY:
            readers_.detach();
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT Win32Runtime::OnCommand(WPARAM wParam, LPARAM lParam) {
    const std::optional<ControlId> id = controlFor(places(), LOWORD(wParam));
    if (!id || lParam == 0) {
        return 0;  // Enter and Escape with no default or cancel button, and menus: nothing
    }
    switch (HIWORD(wParam)) {
        case BN_CLICKED:
            raiseClick(*id);
            break;
        case BN_SETFOCUS: {
            const bool outer = inFocusChange_;
            inFocusChange_ = true;
            raiseGotFocus(*id);
            inFocusChange_ = outer;
            break;
        }
        default:
            break;
    }
    return 0;
}

LRESULT Win32Runtime::OnDpiChanged(WPARAM wParam, const RECT& suggested) {
    dpi_ = {LOWORD(wParam), HIWORD(wParam)};
    readers_.setDpi(dpi_);
    painter_.dropFonts();
    const HFONT oldButtonFont = buttonFont_;
    const LOGFONTW buttonFace = messageFont(dpi_);
    buttonFont_ = CreateFontIndirectW(&buttonFace);
    fitFrame({suggested.left, suggested.top}, true);
    layOutControls();
    DeleteObject(oldButtonFont);  // only now that no button uses it any more
    return 0;
}

void Win32Runtime::OnGetMinMaxInfo(MINMAXINFO& info) const {
    if (frameSize_.cx <= 0) {
        return;
    }
    // The frame is fixed: Windows' minimum tracking size must not widen it.
    info.ptMinTrackSize = {frameSize_.cx, frameSize_.cy};
    info.ptMaxTrackSize = {frameSize_.cx, frameSize_.cy};
}

bool Win32Runtime::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        // Kept so that the focus comes back where it was, after the message box too.
        const HWND focus = GetFocus();
        focusBeforeDeactivation_ = IsChild(hwnd_, focus) ? focus : nullptr;
        return false;
    }
    if (!IsWindow(focusBeforeDeactivation_)) {
        return false;
    }
    SetFocus(focusBeforeDeactivation_);
    return true;
}

void Win32Runtime::OnColoursChanged(bool colours) {
    // A label takes the high-contrast scheme's colours, or its own again; the buttons and
    // the form's background follow the system's colours themselves.
    if (painter_.readContrast() || colours) {
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void Win32Runtime::OnDestroy() {
    removeRuntimeErrorBox(hwnd_);
    if (!destroyedByOwner_) {
        // Closing the window ends the program, also from behind the message box: the
        // game, back from the box, finds it ended and deals nothing into a lost window.
        closed_ = true;
        end();
    }
}

// --- The keyboard and the buttons.

LRESULT CALLBACK Win32Runtime::ButtonProc(HWND button, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclass, DWORD_PTR /*data*/) {
    switch (msg) {
        case WM_GETOBJECT:
            // A screen reader asks for the button: it gets the game's words for it.
            if (win32::ScreenReaders* readers = win32::ScreenReaders::of(GetParent(button))) {
                if (const LRESULT object = readers->buttonObject(button, wParam, lParam)) {
                    return object;
                }
            }
            break;
        case WM_LBUTTONDBLCLK:
            // A button that reports its focus (BS_NOTIFY) turns the second press of a
            // double click into BN_DOUBLECLICKED and never presses: a quick player's
            // second card would be lost. Every press is a press.
            return DefSubclassProc(button, WM_LBUTTONDOWN, wParam, lParam);
        case BM_SETSTYLE:
            // Tab in a dialog makes the focused push button the default for the
            // moment; the game has no default button, Enter is handled on its own.
            if ((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_PUSHBUTTON;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, &Win32Runtime::ButtonProc, subclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(button, msg, wParam, lParam);
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

// --- Screen readers.

void Win32Runtime::showSpoken(ControlId id, bool name, bool description) {
    // The words are asked for anew each time; a listening screen reader is told that
    // they changed, as a grid label's state or a slot's playability goes with the game.
    // While the window first shows, a screen reader asks for all its words anyway.
    if (!starting() && shown_) {
        readers_.tellWords(id, shownControl(id), name, description);
    }
}

}  // namespace vop
