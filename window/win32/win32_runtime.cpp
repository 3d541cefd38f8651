// The Win32 form runtime: builds frmVop's window from its definition, shows the
// runtime's state in it and reports clicks and focus changes back to the game.
#include "window/win32/win32_runtime.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "window/win32/com_functions.h"
#include "window/win32/control_ids.h"
#include "window/win32/error_box.h"
#include "window/win32/label_font.h"
#include "window/win32/resource.h"
#include "window/win32/wide_text.h"

namespace vop {

using namespace win32;

namespace {

constexpr DWORD kFixedFrame = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_NOTIFY | BS_MULTILINE;
constexpr DWORD kLabelStyle = WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX;
constexpr ColorValue kButtonText = kSystemColorFlag | COLOR_BTNTEXT;

HBRUSH classBrush(ColorValue color) {
    if (isSystemColor(color)) {
        return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>((color & 0xFF) + 1));
    }
    return CreateSolidBrush(color);  // lives as long as the window class
}

void registerWindowClass(HINSTANCE instance, ColorValue backColor) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kWindowClass, &wc)) {
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
    wc.lpszClassName = kWindowClass;
    if (RegisterClassExW(&wc) == 0) {
        raiseRuntimeError(RuntimeError::ObjectNotSet, "cannot register the window class");
    }
}

// The title bar's and the task switcher's icon, at the sizes Windows asks for.
void setIcon(HWND window, HINSTANCE instance, WPARAM which, int widthMetric, int heightMetric) {
    const HANDLE icon =
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_VOP), IMAGE_ICON, GetSystemMetrics(widthMetric),
                   GetSystemMetrics(heightMetric), LR_SHARED);
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

Win32Runtime::Win32Runtime(const FormDef& form, RandomSource& random, HINSTANCE instance,
                           int showCommand)
    : FormRuntime(form, random), instance_(instance), showCommand_(showCommand) {
    tellScreenReaders();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    registerWindowClass(instance_, form.backColor);
}

Win32Runtime::~Win32Runtime() {
    if (hwnd_ != nullptr) {
        destroyedByOwner_ = true;
        DestroyWindow(hwnd_);
    }
    for (const auto& [height, font] : labelFonts_) {
        DeleteObject(font);
    }
    DeleteObject(buttonFont_);
    for (const auto& [color, brush] : brushes_) {
        DeleteObject(brush);
    }
    if (comReady_) {
        comUninitialize();
    }
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
    if (!Create(kWindowClass, wide(formCaption()), style, WS_EX_CONTROLPARENT, frame.cx, frame.cy,
                instance_)) {
        raiseRuntimeError(RuntimeError::ObjectNotSet, "cannot create the window");
    }
    // Created on the primary monitor's DPI; the monitor it landed on decides.
    dpi_ = windowDpi(hwnd_);
    setIcon(hwnd_, instance_, ICON_BIG, SM_CXICON, SM_CYICON);
    setIcon(hwnd_, instance_, ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
    const LOGFONTW buttonFace = messageFont(dpi_);
    buttonFont_ = CreateFontIndirectW(&buttonFace);
    fitFrame({}, false);
    installRuntimeErrorBox(hwnd_, Text(form().appTitle));
}

void Win32Runtime::createControl(ControlId id) {
    // Until the window first shows, Form_Load is still placing, captioning and
    // colouring the controls it loads: each is made once, as it will first be seen,
    // by showWindow. Moving 52 hidden labels about one call at a time costs start-up.
    if (shown_) {
        createChild(id);
    }
}

void Win32Runtime::createChild(ControlId id) {
    const ControlState& s = get(id);
    const bool button = s.def->kind == ControlKind::CommandButton;
    DWORD style = button ? kButtonStyle : kLabelStyle;
    if (button && s.def->tabStop) {
        style |= WS_TABSTOP;
    }
    if (s.visible) {
        style |= WS_VISIBLE;
    }
    if (!s.enabled) {
        style |= WS_DISABLED;
    }
    const HWND child = CreateWindowExW(
        0, button ? L"BUTTON" : L"STATIC", wide(s.caption), style, pixelsX(s.left, dpi_),
        pixelsY(s.top, dpi_), pixelsX(s.width, dpi_), pixelsY(s.height, dpi_), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(dialogId(places(), id))), instance_, nullptr);
    if (child == nullptr) {
        raiseRuntimeError(RuntimeError::ObjectNotSet, "cannot create a control");
    }
    listenToControl(child);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(id)), FALSE);
}

void Win32Runtime::showWindow() {
    const std::vector<ControlId> order = tabOrdered();
    if (!shown_) {
        shown_ = true;
        // Made in tab order, the controls are already in the z-order it needs.
        for (ControlId id : order) {
            createChild(id);
        }
    }
    applyTabOrder(order);
    showFocusMarks();
    ShowWindow(hwnd_, showCommand_);
    UpdateWindow(hwnd_);
}

std::vector<ControlId> Win32Runtime::tabOrdered() const {
    std::vector<ControlId> order = controls();
    std::stable_sort(order.begin(), order.end(), [this](ControlId a, ControlId b) {
        const ControlDef& da = *get(a).def;
        const ControlDef& db = *get(b).def;
        const bool labelA = da.kind == ControlKind::Label;
        const bool labelB = db.kind == ControlKind::Label;
        if (labelA != labelB) {
            return labelB;
        }
        return !labelA && da.tabIndex < db.tabIndex;
    });
    return order;
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

void Win32Runtime::fitFrame(POINT topLeft, bool move) {
    const SIZE want{pixelsX(form().clientWidth, dpi_), pixelsY(form().clientHeight, dpi_)};
    frameSize_ = frameSizeFor(want, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                              static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0 : SWP_NOMOVE);
    SetWindowPos(hwnd_, nullptr, topLeft.x, topLeft.y, frameSize_.cx, frameSize_.cy, flags);
    // Should the frame differ from what Windows predicted, correct it once by the difference.
    RECT got{};
    GetClientRect(hwnd_, &got);
    if (got.right != want.cx || got.bottom != want.cy) {
        frameSize_.cx += want.cx - got.right;
        frameSize_.cy += want.cy - got.bottom;
        SetWindowPos(hwnd_, nullptr, 0, 0, frameSize_.cx, frameSize_.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

void Win32Runtime::layOutControls() {
    for (ControlId id : controls()) {
        showGeometry(id);
        SendMessageW(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(id)), TRUE);
    }
}

HFONT Win32Runtime::fontFor(ControlId id) {
    const ControlState& s = get(id);
    if (s.def->font.isDefault()) {
        return buttonFont_;
    }
    const LOGFONTW lf = labelLogFont(s.def->font, s.fontSize, dpi_.y);
    for (const auto& [height, font] : labelFonts_) {
        if (height == lf.lfHeight) {
            return font;
        }
    }
    const HFONT font = CreateFontIndirectW(&lf);
    labelFonts_.emplace_back(lf.lfHeight, font);
    return font;
}

HBRUSH Win32Runtime::brushFor(ColorValue color) {
    if (isSystemColor(color)) {
        return GetSysColorBrush(static_cast<int>(color & 0xFF));
    }
    for (const auto& [known, brush] : brushes_) {
        if (known == color) {
            return brush;
        }
    }
    const HBRUSH brush = CreateSolidBrush(color);
    brushes_.emplace_back(color, brush);
    return brush;
}

COLORREF Win32Runtime::colorRef(ColorValue color) const {
    return isSystemColor(color) ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
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

void Win32Runtime::showCaption(ControlId id) {
    if (const HWND child = shownControl(id)) {
        SetWindowTextW(child, wide(caption(id)));
    }
}

void Win32Runtime::showEnabled(ControlId id) {
    if (const HWND child = shownControl(id)) {
        EnableWindow(child, enabled(id) ? TRUE : FALSE);
        InvalidateRect(child, nullptr, TRUE);
    }
}

void Win32Runtime::showVisible(ControlId id) {
    if (const HWND child = shownControl(id)) {
        ShowWindow(child, visible(id) ? SW_SHOWNA : SW_HIDE);
    }
}

void Win32Runtime::showGeometry(ControlId id) {
    if (const HWND child = shownControl(id)) {
        const ControlState& s = get(id);
        SetWindowPos(child, nullptr, pixelsX(s.left, dpi_), pixelsY(s.top, dpi_),
                     pixelsX(s.width, dpi_), pixelsY(s.height, dpi_),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Runtime::showFont(ControlId id) {
    if (const HWND child = shownControl(id)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(id)), TRUE);
    }
}

void Win32Runtime::showForeColor(ControlId id) {
    if (const HWND child = shownControl(id)) {
        InvalidateRect(child, nullptr, TRUE);
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
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
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

LRESULT Win32Runtime::OnCtlColorStatic(HDC dc, HWND label) {
    const std::optional<ControlId> id = controlFor(places(), GetDlgCtrlID(label));
    if (!id || !exists(*id)) {
        return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(label));
    }
    const ControlState& s = get(*id);
    // A label without a BackColor of its own shows the window's colour behind it.
    const ColorValue back = s.def->hasBackColor ? s.def->backColor : form().backColor;
    const ColorValue fore = s.hasForeColor ? s.foreColor : kButtonText;
    SetTextColor(dc, s.enabled ? colorRef(fore) : GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, colorRef(back));
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(brushFor(back));
}

LRESULT Win32Runtime::OnDpiChanged(WPARAM wParam, const RECT& suggested) {
    dpi_ = {LOWORD(wParam), HIWORD(wParam)};
    const HFONT oldButtonFont = buttonFont_;
    std::vector<std::pair<int, HFONT>> oldLabelFonts;
    oldLabelFonts.swap(labelFonts_);
    const LOGFONTW buttonFace = messageFont(dpi_);
    buttonFont_ = CreateFontIndirectW(&buttonFace);
    fitFrame({suggested.left, suggested.top}, true);
    layOutControls();
    // Only now that no control uses them any more.
    DeleteObject(oldButtonFont);
    for (const auto& [height, font] : oldLabelFonts) {
        DeleteObject(font);
    }
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

void Win32Runtime::OnDestroy() {
    removeRuntimeErrorBox(hwnd_);
    if (!destroyedByOwner_) {
        // Closing the window ends the program, also from behind the "Win" box: the
        // game, back from the box, finds it ended and deals nothing into a lost window.
        closed_ = true;
        end();
    }
}

}  // namespace vop
