// Driving the game's Win32 window from the test thread.
#include "window_fixture.h"

#include "msaa.h"

#include <cstdlib>

namespace vop::test {

namespace {
MessageBoxCloser* activeCloser = nullptr;

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}
// One control of a message box: its text or its icon.
BOOL CALLBACK noteBoxChild(HWND child, LPARAM seen) {
    auto& box = *reinterpret_cast<BoxShown*>(seen);
    if (!IsWindowVisible(child)) {
        return TRUE;
    }
    const std::wstring cls = classOf(child);
    if (_wcsicmp(cls.c_str(), L"Static") == 0) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            box.icon = box.icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else {
            box.texts.push_back(textOf(child));
        }
    }
    return TRUE;
}
}  // namespace

int expectedDpi() {
    const char* value = std::getenv("VOP_DPI");
    return value != nullptr ? std::atoi(value) : 96;
}

RECT placeOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

MessageBoxCloser::MessageBoxCloser() {
    activeCloser = this;
    timer_ = SetTimer(nullptr, 0, 10, &MessageBoxCloser::tick);
}

MessageBoxCloser::~MessageBoxCloser() {
    KillTimer(nullptr, timer_);
    activeCloser = nullptr;
}

void CALLBACK MessageBoxCloser::tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeCloser != nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), &MessageBoxCloser::inspect,
                          reinterpret_cast<LPARAM>(activeCloser));
    }
}

BOOL CALLBACK MessageBoxCloser::inspect(HWND window, LPARAM self) {
    auto& closer = *reinterpret_cast<MessageBoxCloser*>(self);
    if (classOf(window) != L"#32770" || !IsWindowVisible(window)) {
        return TRUE;
    }
    for (const BoxShown& box : closer.seen_) {
        if (box.box == window) {
            return TRUE;  // already closing
        }
    }
    BoxShown box;
    box.box = window;
    box.owner = GetWindow(window, GW_OWNER);
    box.title = textOf(window);
    box.ownerEnabled = box.owner != nullptr && IsWindowEnabled(box.owner);
    EnumChildWindows(window, &noteBoxChild, reinterpret_cast<LPARAM>(&box));
    closer.seen_.push_back(box);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return TRUE;
}

void Win32WindowTest::startWith(const std::vector<int>& draws) {
    willDraw(draws);
    runtime.start(game);
    main = runtime.Window();
    ASSERT_NE(main, nullptr) << "the game's window was not created";
    ASSERT_TRUE(IsWindowVisible(main));
    pump();
}

void Win32WindowTest::willDraw(const std::vector<int>& draws) {
    for (int n : draws) {
        random.push(valueFor(n));
    }
}

HWND Win32WindowTest::ctl(ControlId id) const {
    const HWND control = GetDlgItem(main, win32::dialogId(runtime.places(), id));
    EXPECT_NE(control, nullptr) << controlText(id) << " missing";
    return control;
}

RECT Win32WindowTest::where(ControlId id) const {
    if (const HWND button = runtime.control(id)) {
        return placeOf(button);
    }
    return Reached(runtime, id).place(main);
}

void Win32WindowTest::pump() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            runtime.dispatch(msg);
        }
    }
}

bool Win32WindowTest::pumpUntil(const std::function<bool()>& done) {
    // A bound for a fault, not a guess at the machine's speed: a loaded machine takes its time.
    const ULONGLONG deadline = GetTickCount64() + 60000;
    pump();
    while (!done()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        pump();
    }
    return true;
}

void Win32WindowTest::press(UINT key, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE before = keys[VK_SHIFT];
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const HWND target = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, scan | 1);
    PostMessageW(target, WM_KEYUP, key, scan | 1 | (1 << 30) | (1u << 31));
    pump();
    keys[VK_SHIFT] = before;
    SetKeyboardState(keys);
}

void Win32WindowTest::buttonClick(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    pump();
}

}  // namespace vop::test
