// The player's mouse and keyboard, resolved against the windows as they are when taken.
#include "input_device.h"

#include <cwchar>

namespace vop::test {

namespace {

constexpr UINT kTakeInput = WM_APP + 40;
constexpr const wchar_t* kInputClass = L"VopInputDevice";

bool ours(HWND window) {
    return window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

LPARAM keyBits(UINT key, InputEvent::Kind kind) {
    LPARAM bits = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16 | 1;
    if (kind != InputEvent::Kind::KeyDown) {
        bits |= 1 << 30;  // the key was down before: a held key's repeat, or its release
    }
    if (kind == InputEvent::Kind::KeyUp) {
        bits |= static_cast<LPARAM>(1u << 31);
    }
    return bits;
}

void holdModifiers(bool shift, bool alt) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_LSHIFT] = keys[VK_SHIFT];
    keys[VK_MENU] = alt ? 0x80 : 0;
    keys[VK_LMENU] = keys[VK_MENU];
    SetKeyboardState(keys);
}

// The mouse messages come in threes per button (down, up, double click), left, right
// and middle in turn, both for the client area and for the frame.
UINT mouseMessage(UINT first, const InputEvent& input, bool doubleClick) {
    const UINT which = input.kind == InputEvent::Kind::Release ? 1U : doubleClick ? 2U : 0U;
    return first + 3U * static_cast<UINT>(input.button) + which;
}

WPARAM buttonHeld(const InputEvent& input) {
    if (input.kind == InputEvent::Kind::Release) {
        return 0;
    }
    switch (input.button) {
        case InputEvent::Mouse::Left:
            return MK_LBUTTON;
        case InputEvent::Mouse::Right:
            return MK_RBUTTON;
        case InputEvent::Mouse::Middle:
            break;
    }
    return MK_MBUTTON;
}

// Windows' own loop for moving a window by its title bar holds the mouse until the
// button comes up.
bool inMoveLoop() {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    return GetGUIThreadInfo(GetCurrentThreadId(), &gui) && (gui.flags & GUI_INMOVESIZE) != 0;
}

struct BoxSearch {
    HWND owner;
    HWND box;
};

BOOL CALLBACK findBox(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<BoxSearch*>(search);
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (std::wcscmp(cls, L"#32770") == 0 && GetWindow(window, GW_OWNER) == s.owner) {
        s.box = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

InputDevice::InputDevice(Win32Runtime& runtime) : runtime_(runtime) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, kInputClass, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &InputDevice::proc;
        wc.hInstance = instance;
        wc.lpszClassName = kInputClass;
        RegisterClassExW(&wc);
    }
    window_ = CreateWindowExW(0, kInputClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

InputDevice::~InputDevice() {
    DestroyWindow(window_);  // inputs still posted to it are thrown away with it
}

void InputDevice::post(const InputEvent& input) {
    queue_.push_back(input);
    PostMessageW(window_, kTakeInput, 0, 0);
}

LRESULT CALLBACK InputDevice::proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kTakeInput) {
        auto* self = reinterpret_cast<InputDevice*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr) {
            self->takeNext();
        }
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void InputDevice::takeNext() {
    if (queue_.empty()) {
        return;
    }
    // Taken off the queue first: a box that opens on this input takes the next ones.
    const InputEvent input = queue_.front();
    queue_.pop_front();
    if (input.mouse()) {
        deliverMouse(input);
    } else {
        deliverKey(input);
    }
}

HWND InputDevice::openBox() const {
    if (!runtime_.inMessageBox()) {
        return nullptr;
    }
    BoxSearch search{runtime_.Window(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &findBox, reinterpret_cast<LPARAM>(&search));
    return search.box;
}

void InputDevice::deliverMouse(const InputEvent& input) {
    MSG msg{};
    msg.time = GetTickCount();
    msg.pt = input.at;
    // The window that pressed keeps the mouse until the button is released.
    const HWND capture = GetCapture();
    if (input.kind == InputEvent::Kind::Release && ours(capture)) {
        POINT client = input.at;
        ScreenToClient(capture, &client);
        const LPARAM at = MAKELPARAM(static_cast<SHORT>(client.x), static_cast<SHORT>(client.y));
        const UINT message = mouseMessage(WM_LBUTTONDOWN, input, false);
        if (inMoveLoop()) {
            PostMessageW(capture, message, 0, at);  // for the loop that waits for it
            return;
        }
        msg.hwnd = capture;
        msg.message = message;
        msg.lParam = at;
        route(msg);
        return;
    }
    // The system's own hit test: hidden and disabled controls and the labels, which
    // have no window, let the click through to the window behind them.
    const HWND target = WindowFromPoint(input.at);
    if (!ours(target)) {
        return;  // beside the window: another program's or the desktop's
    }
    if (!IsWindowEnabled(GetAncestor(target, GA_ROOT)) || !IsWindowEnabled(target)) {
        return;  // a window disabled by a modal box only beeps
    }
    const LRESULT hit =
        SendMessageW(target, WM_NCHITTEST, 0,
                     MAKELPARAM(static_cast<SHORT>(input.at.x), static_cast<SHORT>(input.at.y)));
    msg.hwnd = target;
    if (hit == HTCLIENT) {
        POINT client = input.at;
        ScreenToClient(target, &client);
        const bool doubleClicks = (GetClassLongPtrW(target, GCL_STYLE) & CS_DBLCLKS) != 0;
        msg.message = mouseMessage(WM_LBUTTONDOWN, input,
                                   input.kind == InputEvent::Kind::DoublePress && doubleClicks);
        msg.wParam = buttonHeld(input);
        msg.lParam = MAKELPARAM(static_cast<SHORT>(client.x), static_cast<SHORT>(client.y));
    } else if (hit > HTNOWHERE) {
        // The frame: its title bar, borders and boxes, told in screen pixels.
        msg.message =
            mouseMessage(WM_NCLBUTTONDOWN, input, input.kind == InputEvent::Kind::DoublePress);
        msg.wParam = static_cast<WPARAM>(hit);
        msg.lParam = MAKELPARAM(static_cast<SHORT>(input.at.x), static_cast<SHORT>(input.at.y));
    } else {
        return;
    }
    route(msg);
}

void InputDevice::deliverKey(const InputEvent& input) {
    const HWND target = GetFocus() != nullptr ? GetFocus() : GetActiveWindow();
    if (!ours(target)) {
        return;
    }
    MSG msg{};
    msg.time = GetTickCount();
    msg.hwnd = target;
    const bool up = input.kind == InputEvent::Kind::KeyUp;
    // With Alt held a key is the system's: WM_SYSKEYDOWN, its context bit set.
    msg.message = input.alt ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
    msg.wParam = input.key;
    msg.lParam = keyBits(input.key, input.kind) | (input.alt ? 1 << 29 : 0);
    holdModifiers(input.shift, input.alt);
    route(msg);
    holdModifiers(false, false);
}

void InputDevice::route(MSG& msg) {
    // The loop running now is the box's while the game shows one, else the game's.
    if (const HWND box = openBox()) {
        if (!IsDialogMessageW(box, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return;
    }
    runtime_.dispatch(msg);
}

}  // namespace vop::test
