// The Win32 window as a backend of the conformance scenarios and the monkey: the game's
// real window in this process, played with input as Windows delivers it (InputDevice)
// and read back from the window itself: its pixels, its child windows, and MSAA, as a
// screen reader reads it.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <vector>

#include "input_device.h"
#include "msaa.h"
#include "support/driver.h"
#include "win32/child_ids.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace vop::test {
namespace {

// Where every game's window stands: clear of the "Win" box, which Windows centres on the
// screen, so that a click behind the box lands on the window, as the player aimed it.
constexpr POINT kWindowAt{40, 40};
constexpr long kMostMessages = 200000;  // in one action: a queue that never empties is a fault
constexpr ULONGLONG kLetGoMs = 5000;    // for a box or a held title bar to go once let go
constexpr UINT kKeys[] = {VK_TAB, VK_TAB, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_F5};

std::string textOf(HWND window) {
    return toUtf8(win32::windowText(window));
}

POINT middleOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

RECT clientRectOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

InputEvent keyInput(InputEvent::Kind kind, Key key) {
    return {kind, {}, kKeys[static_cast<int>(key)], key == Key::ShiftTab};
}

// The client area of a window as it is on the screen, each pixel 0xRRGGBB.
Picture photograph(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(window, &client);
    Picture picture{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(window);
    const HDC copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < picture.width * picture.height; ++i) {
        picture.pixels.push_back(pixels[i] & 0xFFFFFFU);
    }
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(window, screen);
    return picture;
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
    explicit Win32Driver(RandomSource& random)
        : Driver(random), runtime_(vopWindow(), random, instance()) {
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
        shot_.reset();
        runtime_.start(game_);
        SetWindowPos(form(), nullptr, kWindowAt.x, kWindowAt.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pump();
    }

    void click(ControlId id) override {
        mouse(id, InputEvent::Kind::Press, InputEvent::Mouse::Left);
    }
    void secondClick(ControlId id) override {
        mouse(id, InputEvent::Kind::DoublePress, InputEvent::Mouse::Left);
    }
    void dragOff(ControlId id) override {
        RECT window{};
        GetWindowRect(form(), &window);
        const POINT at = onScreen(id);
        act({{InputEvent::Kind::Press, at},
             {InputEvent::Kind::Release, {window.right + 40, at.y}}});
    }
    void clickWith(ControlId id, Button button) override {
        mouse(id, InputEvent::Kind::Press,
              button == Button::Right ? InputEvent::Mouse::Right : InputEvent::Mouse::Middle);
    }
    // The background between the ground and the first slot; the title bar, which the
    // window's frame holds outside its client area.
    void clickOn(Spot spot) override {
        const POINT at = spot == Spot::Background ? background() : titleBar();
        act({{InputEvent::Kind::Press, at}, {InputEvent::Kind::Release, at}});
    }
    void press(Key key) override {
        act({keyInput(InputEvent::Kind::KeyDown, key), keyInput(InputEvent::Kind::KeyUp, key)});
    }
    // As the keyboard repeats a held key: more key-downs, each marked as down before.
    void hold(Key key, int repeats) override {
        std::vector<InputEvent> inputs{keyInput(InputEvent::Kind::KeyDown, key)};
        inputs.insert(inputs.end(), static_cast<std::size_t>(repeats),
                      keyInput(InputEvent::Kind::KeyRepeat, key));
        inputs.push_back(keyInput(InputEvent::Kind::KeyUp, key));
        act(inputs);
    }
    void burst(const std::vector<test::Input>& inputs) override {
        std::vector<InputEvent> queued;
        for (const test::Input& input : inputs) {
            if (input.isKey) {
                queued.push_back(keyInput(InputEvent::Kind::KeyDown, input.key));
                queued.push_back(keyInput(InputEvent::Kind::KeyUp, input.key));
            } else {
                const POINT at = onScreen(input.id);
                queued.push_back({InputEvent::Kind::Press, at});
                queued.push_back({InputEvent::Kind::Release, at});
            }
        }
        act(queued);
    }
    void closeWindow() override {
        PostMessageW(form(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the frame's close box
        act({});
    }

    std::string title() const override { return textOf(form()); }
    std::string caption(ControlId id) const override { return shown(id).caption; }
    bool enabled(ControlId id) const override { return shown(id).enabled; }
    // The pixels the player sees of the control: its place, less what lies in front of it
    // (the buttons' windows, and the labels made after it, which the form paints over it).
    std::string look(ControlId id) const override {
        const Shot& shot = lastShot();
        const RECT at = clientPlace(id);
        std::vector<RECT> front;
        if (runtime_.control(id) == nullptr) {
            front = shot.buttons;
            // Only a neighbour can lie over it: those the runtime places there are asked
            // where a screen reader finds them.
            const std::vector<ControlId>& made = runtime_.labels();
            const Dpi dpi = win32::windowDpi(form());
            for (auto other = std::find(made.begin(), made.end(), id) + 1; other < made.end();
                 ++other) {
                const PixelRect planned = runtime_.pixelRect(*other, dpi);
                const RECT there{planned.left, planned.top, planned.right(), planned.bottom()};
                RECT overlap{};
                const LONG child = runtime_.accessibleChildId(*other);
                if (IntersectRect(&overlap, &there, &at) && shot.labels->childVisible(child)) {
                    front.push_back(shot.labels->placeOf(child, form()));
                }
            }
        }
        const Picture& window = shot.window;
        Picture seen{0, 1, {}};
        for (int y = std::max(0L, at.top); y < std::min<LONG>(at.bottom, window.height); ++y) {
            for (int x = std::max(0L, at.left); x < std::min<LONG>(at.right, window.width); ++x) {
                const POINT p{x, y};
                const bool hidden = std::any_of(front.begin(), front.end(),
                                                [&](const RECT& r) { return PtInRect(&r, p); });
                if (!hidden) {
                    seen.pixels.push_back(window.at(x, y));
                }
            }
        }
        seen.width = static_cast<int>(seen.pixels.size());
        return lookOf(seen);
    }
    PixelRect place(ControlId id) const override {
        const RECT r = clientPlace(id);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    int pixelsPerInch() const override { return win32::windowDpi(form()).y; }
    std::optional<ControlId> focus() const override {
        const HWND focus = GetFocus();
        if (focus == nullptr || GetParent(focus) != form()) {
            return std::nullopt;  // on the "Win" box, or in no window of the game
        }
        return win32::controlFor(runtime_.places(), GetDlgCtrlID(focus));
    }
    std::string spokenName(ControlId id) const override { return spoken(id, false); }
    std::string spokenDescription(ControlId id) const override { return spoken(id, true); }
    // The language of Windows' menus and dialogs, as a locale name ("ja-JP").
    std::string language() const override {
        wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
        if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                             LOCALE_NAME_MAX_LENGTH, 0) == 0) {
            return "en";
        }
        return toUtf8(Text(reinterpret_cast<const char16_t*>(name)));
    }
    bool ended() const override { return runtime_.ended(); }

    const frmVop* game() const override { return &game_; }
    const FormRuntime* runtime() const override { return &runtime_; }

  private:
    static HINSTANCE instance() { return GetModuleHandleW(nullptr); }
    HWND form() const { return runtime_.Window(); }

    // The window as it showed after the last input: its pixels, where its buttons' windows
    // are, and the form's object that a screen reader asks for its labels.
    struct Shot {
        Picture window;
        std::vector<RECT> buttons;
        std::unique_ptr<Reached> labels;
    };
    const Shot& lastShot() const {
        if (!shot_) {
            shot_ = Shot{photograph(form()),
                         {},
                         std::make_unique<Reached>(runtime_, runtime_.labels().front())};
            for (HWND b = GetWindow(form(), GW_CHILD); b != nullptr;
                 b = GetWindow(b, GW_HWNDNEXT)) {
                if (IsWindowVisible(b)) {
                    shot_->buttons.push_back(clientRectOf(b));
                }
            }
        }
        return *shot_;
    }

    // A button where its window is; a label, which has none, where a screen reader
    // finds it.
    RECT clientPlace(ControlId id) const {
        if (const HWND button = runtime_.control(id)) {
            return clientRectOf(button);
        }
        return lastShot().labels->placeOf(runtime_.accessibleChildId(id), form());
    }
    POINT onScreen(ControlId id) const {
        const RECT r = clientPlace(id);
        POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(form(), &at);
        return at;
    }
    POINT background() const {
        const RECT ground = clientPlace({ctl::btnGround});
        const RECT first = clientPlace({ctl::btnCard, 0});
        POINT at{(ground.right + first.left) / 2, (ground.top + ground.bottom) / 2};
        ClientToScreen(form(), &at);
        return at;
    }
    // A point of the title bar between its icon and its boxes, as Windows' hit test
    // finds it.
    POINT titleBar() const {
        RECT frame{};
        GetWindowRect(form(), &frame);
        POINT client{0, 0};
        ClientToScreen(form(), &client);
        const LONG y = (frame.top + client.y) / 2;
        for (LONG x = (frame.left + frame.right) / 2; x > frame.left; --x) {
            if (SendMessageW(form(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCAPTION) {
                return {x, y};
            }
        }
        ADD_FAILURE() << "the window has no title bar to click";
        return {frame.left, frame.top};
    }

    void mouse(ControlId id, InputEvent::Kind press, InputEvent::Mouse button) {
        const POINT at = onScreen(id);
        act({{press, at, 0, false, button}, {InputEvent::Kind::Release, at, 0, false, button}});
    }

    // The inputs, queued at once as a player's hand makes them, then every message they
    // bring about handled, a box opened on the way and closed included.
    void act(const std::vector<InputEvent>& inputs) {
        if (!runtime_.inMessageBox()) {
            box_ = nullptr;  // the last box has gone
        }
        shot_.reset();
        for (const InputEvent& input : inputs) {
            device_.post(input);
        }
        pump();
        shot_.reset();
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

    // The modal loops Windows runs (the "Win" box's, the one while a title bar is held)
    // give a timer's tick when they have nothing else to do: then the player reads the
    // box, and closes it.
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (watching != nullptr) {
            watching->watch();
        }
    }

    void watch() {
        if (GetCapture() == form() && !runtime_.inMessageBox()) {
            // Held by the title bar: the release queued behind the press lets it go.
            if (heldSince_ == 0) {
                heldSince_ = GetTickCount64();
            } else if (GetTickCount64() > heldSince_ + kLetGoMs) {
                ADD_FAILURE() << "the title bar kept the mouse after it was let go";
                PostMessageW(form(), WM_KEYDOWN, VK_ESCAPE, 0);
            }
            return;
        }
        heldSince_ = 0;
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
        closeBy_ = GetTickCount64() + kLetGoMs;
        switch (way) {
            case BoxClose::Enter:
            case BoxClose::Space:
            case BoxClose::Escape: {
                const Key key = way == BoxClose::Enter   ? Key::Enter
                                : way == BoxClose::Space ? Key::Space
                                                         : Key::Escape;
                device_.post(keyInput(InputEvent::Kind::KeyDown, key));
                device_.post(keyInput(InputEvent::Kind::KeyUp, key));
                break;
            }
            case BoxClose::MouseOnOk: {
                const POINT at = middleOf(GetDlgItem(box, IDOK));
                device_.post({InputEvent::Kind::Press, at});
                device_.post({InputEvent::Kind::Release, at});
                break;
            }
            case BoxClose::CloseWindow:
                PostMessageW(form(), WM_CLOSE, 0, 0);  // as from the taskbar
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

    static inline Win32Driver* watching = nullptr;  // the driver whose loops the timer watches

    ComApartment com_;
    Win32Runtime runtime_;
    frmVop game_{runtime_};
    InputDevice device_{runtime_};
    UINT_PTR timer_ = 0;
    HWND box_ = nullptr;  // the box the player has read
    ULONGLONG closeBy_ = ULLONG_MAX;
    ULONGLONG heldSince_ = 0;
    mutable std::optional<Shot> shot_;  // taken when first needed after an input
};

}  // namespace

std::unique_ptr<Driver> makeDriver(RandomSource& random) {
    return std::make_unique<Win32Driver>(random);
}

}  // namespace vop::test
