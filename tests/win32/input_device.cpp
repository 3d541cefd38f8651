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

LPARAM keyBits(UINT key, Input::Kind kind) {
    LPARAM bits = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16 | 1;
    if (kind == Input::Kind::KeyUp) {
        bits |= 1 << 30 | static_cast<LPARAM>(1u << 31);  // down before, and going up
    }
    return bits;
}

void holdShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    keys[VK_LSHIFT] = keys[VK_SHIFT];
    SetKeyboardState(keys);
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

void InputDevice::post(const Input& input) {
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
    const Input input = queue_.front();
    queue_.pop_front();
    deliver(input);
}

HWND InputDevice::openBox() const {
    if (!runtime_.inMessageBox()) {
        return nullptr;
    }
    BoxSearch search{runtime_.Window(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &findBox, reinterpret_cast<LPARAM>(&search));
    return search.box;
}

HWND InputDevice::mouseTarget(POINT at) const {
    // The system's own hit test: hidden and disabled controls and the labels (which
    // answer HTTRANSPARENT) let the click through to the window behind them.
    const HWND target = WindowFromPoint(at);
    if (!ours(target)) {
        return nullptr;  // beside the window: another program's or the desktop's
    }
    const HWND root = GetAncestor(target, GA_ROOT);
    if (!IsWindowEnabled(root) || !IsWindowEnabled(target)) {
        return nullptr;  // a window disabled by a modal box only beeps
    }
    const LRESULT hit = SendMessageW(
        target, WM_NCHITTEST, 0, MAKELPARAM(static_cast<SHORT>(at.x), static_cast<SHORT>(at.y)));
    return hit == HTCLIENT ? target : nullptr;  // the frame is the window manager's
}

void InputDevice::deliver(const Input& input) {
    MSG msg{};
    msg.time = GetTickCount();
    if (input.mouse()) {
        // The button pressed keeps the mouse until released.
        const HWND target = input.kind == Input::Kind::Release && ours(GetCapture())
                                ? GetCapture()
                                : mouseTarget(input.at);
        if (target == nullptr) {
            return;
        }
        POINT client = input.at;
        ScreenToClient(target, &client);
        const bool doubleClicks = (GetClassLongPtrW(target, GCL_STYLE) & CS_DBLCLKS) != 0;
        msg.hwnd = target;
        msg.message = input.kind == Input::Kind::Release                       ? WM_LBUTTONUP
                      : input.kind == Input::Kind::DoublePress && doubleClicks ? WM_LBUTTONDBLCLK
                                                                               : WM_LBUTTONDOWN;
        msg.wParam = input.kind == Input::Kind::Release ? 0 : MK_LBUTTON;
        msg.lParam = MAKELPARAM(static_cast<SHORT>(client.x), static_cast<SHORT>(client.y));
        msg.pt = input.at;
        route(msg);
        return;
    }
    const HWND target = GetFocus() != nullptr ? GetFocus() : GetActiveWindow();
    if (!ours(target)) {
        return;
    }
    msg.hwnd = target;
    msg.message = input.kind == Input::Kind::KeyUp ? WM_KEYUP : WM_KEYDOWN;
    msg.wParam = input.key;
    msg.lParam = keyBits(input.key, input.kind);
    holdShift(input.shift);
    route(msg);
    holdShift(false);
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
