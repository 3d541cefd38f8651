// The Win32 window as a backend of the conformance scenarios and the monkey: the game's
// real window in this process, played with input as Windows delivers it (InputDevice)
// and read back from the window itself and through MSAA, as a screen reader reads it.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <climits>

#include "input_device.h"
#include "msaa.h"
#include "support/driver.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"

namespace vop::test {
namespace {

// Where every game's window stands: clear of the "Win" box, which Windows centres on the
// screen, so that a click behind the box lands on the window, as the player aimed it.
constexpr POINT kWindowAt{40, 40};
constexpr long kMostMessages = 200000;   // in one action: a queue that never empties is a fault
constexpr ULONGLONG kBoxCloseMs = 5000;  // for the box to go once the player closed it

std::string textOf(HWND window) {
    return toUtf8(win32::windowText(window));
}

POINT middleOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// COM for this thread, for as long as the window's accessible objects are asked for.
struct ComApartment {
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

class Win32Driver final : public Driver {
  public:
    explicit Win32Driver(RandomSource& random) : runtime_(vopWindow(), random, instance()) {
        // "E" ends the game and closes the window; the test process goes on.
        runtime_.setEndExitsProcess(false);
        watching = this;
        timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Win32Driver::tick);
    }
    ~Win32Driver() override {
        KillTimer(nullptr, timer_);
        watching = nullptr;
        pump();  // nothing of this game is left for the next one's loops, its end included
    }
    Win32Driver(const Win32Driver&) = delete;
    Win32Driver& operator=(const Win32Driver&) = delete;

    void start() override {
        runtime_.start(game_);
        SetWindowPos(runtime_.Window(), nullptr, kWindowAt.x, kWindowAt.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pump();
    }

    void click(ControlId id) override { mouse(id, Input::Kind::Press); }
    void secondClick(ControlId id) override { mouse(id, Input::Kind::DoublePress); }
    void dragOff(ControlId id) override {
        RECT window{};
        GetWindowRect(runtime_.Window(), &window);
        const POINT at = middleOf(runtime_.control(id));
        act({{Input::Kind::Press, at}, {Input::Kind::Release, {window.right + 40, at.y}}});
    }
    void press(Key key) override {
        static constexpr UINT kKeys[] = {VK_TAB, VK_TAB, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_F5};
        keystroke(kKeys[static_cast<int>(key)], key == Key::ShiftTab);
    }
    void closeWindow() override {
        PostMessageW(runtime_.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the frame's close box
        act({});
    }

    std::string title() const override { return textOf(runtime_.Window()); }
    std::string caption(ControlId id) const override { return shown(id).caption; }
    bool enabled(ControlId id) const override { return shown(id).enabled; }
    std::optional<ControlId> focus() const override {
        const HWND focus = GetFocus();
        if (focus == nullptr || GetParent(focus) != runtime_.Window()) {
            return std::nullopt;  // on the "Win" box, or in no window of the game
        }
        return win32::controlFor(runtime_.places(), GetDlgCtrlID(focus));
    }
    std::string spokenName(ControlId id) const override { return spoken(id, false); }
    std::string spokenDescription(ControlId id) const override { return spoken(id, true); }
    bool ended() const override { return runtime_.ended(); }

    const frmVop& game() const override { return game_; }
    const FormRuntime& runtime() const override { return runtime_; }

  private:
    static HINSTANCE instance() { return GetModuleHandleW(nullptr); }

    void mouse(ControlId id, Input::Kind press) {
        const POINT at = middleOf(runtime_.control(id));
        act({{press, at}, {Input::Kind::Release, at}});
    }
    void keystroke(UINT key, bool shift) {
        act({{Input::Kind::KeyDown, {}, key, shift}, {Input::Kind::KeyUp, {}, key, shift}});
    }

    // The inputs, queued at once as a player's hand makes them, then every message they
    // bring about handled, a box opened on the way and closed included.
    void act(std::initializer_list<Input> inputs) {
        if (!runtime_.inMessageBox()) {
            box_ = nullptr;  // the last box has gone
        }
        for (const Input& input : inputs) {
            device_.post(input);
        }
        pump();
    }

    void pump() {
        MSG msg{};
        for (long taken = 0; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++taken) {
            if (taken == kMostMessages) {
                ADD_FAILURE() << "the window's message queue never empties";
                return;
            }
            if (msg.message != WM_QUIT) {  // the program's end: ended() says so
                runtime_.dispatch(msg);
            }
        }
    }

    // What a control shows: its caption and whether it is enabled. A button is read from
    // its window; a label, which the form paints, as a screen reader finds it.
    struct Shown {
        std::string caption;
        bool enabled = false;
    };
    Shown shown(ControlId id) const {
        if (const HWND control = runtime_.control(id)) {
            return {textOf(control), IsWindowEnabled(control) != FALSE};
        }
        const Reached label(runtime_, id);
        return {toUtf8(label.value()), label.enabled()};
    }

    // What a screen reader hears, asked the way screen readers ask.
    std::string spoken(ControlId id, bool description) const {
        const Reached reached(runtime_, id);
        if (!reached.found()) {
            return "(no accessible object)";
        }
        return toUtf8(description ? reached.description() : reached.name());
    }

    // The "Win" box runs a modal loop of its own, which gives a timer's tick when it
    // has nothing else to do: then the player reads the box, and closes it.
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (watching != nullptr) {
            watching->watchBox();
        }
    }

    void watchBox() {
        const HWND box = device_.openBox();
        if (box == nullptr || !IsWindowVisible(box)) {
            return;
        }
        if (box == box_) {
            if (GetTickCount64() > closeBy_) {
                ADD_FAILURE() << "the \"Win\" box stayed open after the player closed it";
                closeBy_ = ULLONG_MAX;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            return;
        }
        box_ = box;
        closeBy_ = ULLONG_MAX;  // while the player acts behind the box
        const BoxClose way = boxOpened(seen(box));
        closeBy_ = GetTickCount64() + kBoxCloseMs;
        switch (way) {
            case BoxClose::Enter:
            case BoxClose::Space:
            case BoxClose::Escape: {
                const UINT key = way == BoxClose::Enter   ? VK_RETURN
                                 : way == BoxClose::Space ? VK_SPACE
                                                          : VK_ESCAPE;
                device_.post({Input::Kind::KeyDown, {}, key});
                device_.post({Input::Kind::KeyUp, {}, key});
                break;
            }
            case BoxClose::MouseOnOk: {
                const POINT at = middleOf(GetDlgItem(box, IDOK));
                device_.post({Input::Kind::Press, at});
                device_.post({Input::Kind::Release, at});
                break;
            }
            case BoxClose::CloseWindow:
                PostMessageW(runtime_.Window(), WM_CLOSE, 0, 0);  // as from the taskbar
                break;
        }
    }

    static SeenBox seen(HWND box) {
        SeenBox shows{textOf(box), "", 0};
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[16] = {};
            GetClassNameW(child, cls, 16);
            if (!IsWindowVisible(child)) {
                continue;
            }
            if (_wcsicmp(cls, L"Button") == 0) {
                ++shows.buttons;
            } else if (_wcsicmp(cls, L"Static") == 0) {
                shows.text += textOf(child);
            }
        }
        return shows;
    }

    static inline Win32Driver* watching = nullptr;  // the driver whose box the timer watches

    ComApartment com_;
    Win32Runtime runtime_;
    frmVop game_{runtime_};
    InputDevice device_{runtime_};
    UINT_PTR timer_ = 0;
    HWND box_ = nullptr;  // the box the player has read
    ULONGLONG closeBy_ = ULLONG_MAX;
};

}  // namespace

std::unique_ptr<Driver> makeDriver(RandomSource& random) {
    return std::make_unique<Win32Driver>(random);
}

}  // namespace vop::test
