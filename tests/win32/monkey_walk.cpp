// The monkey's walks: from a seed, what a player might do next on the real window.
#include "monkey_walk.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "cards/card_name.h"
#include "game/frm_vop.h"
#include "game/invariants.h"
#include "monkey_input.h"
#include "tests/reliability/random_sources.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"
#include "window/win32/win32_runtime.h"

namespace vop::test::monkey {

namespace {

using reliability::AdversarialRandom;
using reliability::RiggedRandom;
using reliability::SplitMix;
using reliability::UniformRandom;

constexpr ControlId kNew{Ctl::cmdPlay, 0};
constexpr ControlId kEnd{Ctl::cmdPlay, 1};
constexpr ControlId kGround{Ctl::btnGround};
constexpr long kMostMessages = 200000;  // in one pump: a queue that never empties is a fault
constexpr int kMostBoxActions = 40;
constexpr long long kPaintEvery = 8;  // batches of input between repaints
constexpr ULONGLONG kStallMs = 20000;
constexpr UINT_PTR kBoxTimer = 0x564F;
constexpr int kMostAimPresses = 16;
constexpr int kAround = 32;
constexpr POINT kWindowAt{200, 150};  // pixels around the window that clicks may land on
constexpr std::size_t kTraceLength = 40;

ControlId slot(std::uint32_t i) {
    return {Ctl::btnCard, static_cast<Int16>(i)};
}

std::unique_ptr<RandomSource> makeSource(Source source, std::uint64_t seed) {
    switch (source) {
        case Source::Uniform:
            return std::make_unique<UniformRandom>(seed);
        case Source::Adversarial:
            return std::make_unique<AdversarialRandom>(seed);
        case Source::Rigged:
            break;
    }
    return std::make_unique<RiggedRandom>(seed);
}

std::uint64_t mix(std::uint64_t hash, long long value) {
    return (hash ^ static_cast<std::uint64_t>(value)) * 0x100000001B3ULL;  // FNV-1a
}

// What a player does in one go; its halves are posted together.
struct Action {
    enum class Kind : std::uint8_t { Click, DoubleClick, Drag, Key };
    Kind kind = Kind::Click;
    POINT from{};
    POINT to{};
    UINT key = 0;
    bool shift = false;
    int held = 0;  // a key's repeats while held down
    const char* what = "";
};

bool clicksFocused(UINT key) {
    return key == VK_SPACE || key == VK_RETURN;
}

bool follows(Int16 card, Int16 ground) {
    return (card - 1) % kRanks == (ground - 1) % kRanks ||
           (card - 1) / kRanks == (ground - 1) / kRanks;
}

class Walk;
Walk* current = nullptr;
void reportCurrent();

class Walk {
  public:
    Walk(Source source, std::uint64_t seed)
        : source_(source), seed_(seed), random_(makeSource(source, seed)), choice_(~seed) {
        if (source == Source::Rigged) {
            static_cast<RiggedRandom&>(*random_).watch(game_);
        }
    }

    WalkStats run(long long events, Finale finale);
    void report() const;

  private:
    [[noreturn]] void broken(const std::string& what) const;
    static void CALLBACK watch(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK mainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    void pump(bool paint = true);
    void checkFocus() const;
    void beforeInput(HWND target, const Input& input);
    void afterInput(const Delivery& delivery);
    void boxIdle(HWND box);
    void note(const Delivery& delivery);
    void remember(std::string line);
    void checkBoxText(HWND box) const;

    void planBatch();
    Action planRigged();
    Action continueAim();
    int winningPlay() const;
    Action planNoise(bool focusMayHaveMoved);
    void planBoxAction(HWND box);
    [[noreturn]] void endWithE(Finale finale);
    void perform(const Action& action);

    HWND ctl(ControlId id) const { return runtime_.control(id); }
    bool chance(std::uint32_t inThousand) { return choice_.chance(inThousand); }
    std::uint32_t below(std::uint32_t bound) { return choice_.below(bound); }
    POINT pointIn(const RECT& r);
    POINT pointIn(HWND window);
    POINT pointAround();
    bool onEnd(POINT at) const;
    HWND randomControl();
    Action click(POINT at, const char* what);
    Action key(UINT vk, bool shift = false, int held = 0);

    Source source_;
    std::uint64_t seed_;
    std::unique_ptr<RandomSource> random_;
    SplitMix choice_;
    Win32Runtime runtime_{vopWindow(), *random_, GetModuleHandleW(nullptr)};
    frmVop game_{runtime_};
    InvariantChecker checker_{game_, runtime_};
    InputDevice device_{runtime_};
    HWND main_ = nullptr;
    bool endAllowed_ = false;
    HWND box_ = nullptr;  // the "Win" box open now
    int boxActions_ = 0;
    long long boxesSeen_ = 0;
    const char* expectClose_ = nullptr;  // the last box action, which must have closed it
    int aimSlot_ = -1;                   // a slot the keyboard is tabbing to
    int aimPresses_ = 0;
    WalkStats stats_;
    std::deque<std::string> trace_;
    bool traceAll_ = std::getenv("VOP_MONKEY_TRACE") != nullptr;  // every action, as it goes
    long long inputsAtWatch_ = -1;
    ULONGLONG lastProgress_ = 0;
};

void reportCurrent() {
    if (current != nullptr) {
        current->report();
    }
}

void Walk::report() const {
    std::fprintf(stderr, "monkey: %s walk, seed %llu, after %lld events and %lld inputs\n",
                 reliability::sourceName(source_).c_str(), static_cast<unsigned long long>(seed_),
                 stats_.events, stats_.inputs);
    for (const std::string& line : trace_) {
        std::fprintf(stderr, "  %s\n", line.c_str());
    }
    std::fflush(stderr);
}

void Walk::broken(const std::string& what) const {
    std::fprintf(stderr, "monkey: %s\n", what.c_str());
    report();
    std::_Exit(1);
}

WalkStats Walk::run(long long events, Finale finale) {
    current = this;
    setInvariantFailureAction(&reportCurrent);
    runtime_.start(game_);
    main_ = runtime_.Window();
    if (main_ == nullptr) {
        broken("the game's window did not come up");
    }
    // Every walk puts the window at the same place, clear of the screen's edges, so
    // that the same seed clicks the same things, the "Win" box included.
    SetWindowPos(main_, nullptr, kWindowAt.x, kWindowAt.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The player's moves on the "Win" box come from the window's own messages.
    SetWindowSubclass(main_, &Walk::mainProc, 1, reinterpret_cast<DWORD_PTR>(this));
    device_.aboutToDeliver = [this](HWND target, const Input& input) {
        beforeInput(target, input);
    };
    device_.delivered = [this](const Delivery& delivery) { afterInput(delivery); };
    // Never sleep-and-hope, never hang: a walk in which no input is taken for
    // kStallMs has stalled, and says where.
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 1000, &Walk::watch);
    pump();
    checker_.check();  // start-up
    for (long long batch = 1; stats_.events < events; ++batch) {
        planBatch();
        pump(batch % kPaintEvery == 0);
    }
    pump();
    if (finale != Finale::None) {
        endWithE(finale);
    }
    KillTimer(nullptr, watchdog);
    RemoveWindowSubclass(main_, &Walk::mainProc, 1);
    if (checker_.wins() != boxesSeen_) {
        broken("the checker saw " + std::to_string(checker_.wins()) + " wins but " +
               std::to_string(boxesSeen_) + " \"Win\" boxes opened");
    }
    stats_.games = checker_.deals();
    stats_.exhaustions = checker_.exhaustions();
    stats_.wins = checker_.wins();
    setInvariantFailureAction(nullptr);
    current = nullptr;
    return stats_;
}

void CALLBACK Walk::watch(HWND, UINT, UINT_PTR, DWORD) {
    if (current == nullptr) {
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (current->inputsAtWatch_ != current->stats_.inputs) {
        current->inputsAtWatch_ = current->stats_.inputs;
        current->lastProgress_ = now;
    } else if (now - current->lastProgress_ > kStallMs) {
        current->broken(
            "no input was taken for " + std::to_string(kStallMs / 1000) + " s" +
            (current->device_.openBox() != nullptr ? " with the \"Win\" box open" : ""));
    }
}

LRESULT CALLBACK Walk::mainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*id*/, DWORD_PTR self) {
    // Windows' message box disables the window it belongs to for as long as it is open.
    // Its modal loop gives a timer's tick only when it has nothing else to do: then
    // the player makes the next move on the box.
    auto& walk = *reinterpret_cast<Walk*>(self);
    if (msg == WM_ENABLE) {
        if (wParam == FALSE) {
            SetTimer(window, kBoxTimer, USER_TIMER_MINIMUM, nullptr);
        } else {
            KillTimer(window, kBoxTimer);
        }
    } else if (msg == WM_TIMER && wParam == kBoxTimer) {
        const HWND box = walk.device_.openBox();
        if (box != nullptr && IsWindowVisible(box) && walk.device_.waiting() == 0) {
            walk.boxIdle(box);
        }
        return 0;
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

void Walk::pump(bool paint) {
    // Windows paints only when nothing else waits; a quick player's next input is
    // usually there first, so the window repaints after several inputs at once.
    const UINT which =
        paint ? PM_REMOVE : PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
    MSG msg{};
    long taken = 0;
    while (PeekMessageW(&msg, nullptr, 0, 0, which)) {
        if (++taken > kMostMessages) {
            broken("the message queue never empties");
        }
        if (msg.message == WM_QUIT) {
            broken("the game's window closed");
        }
        runtime_.dispatch(msg);
    }
    checkFocus();
}

void Walk::checkFocus() const {
    // Once every message is handled, the game knows where the focus is, and the
    // ground never keeps it.
    const HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != main_) {
        return;
    }
    const std::optional<ControlId> id = win32::controlFor(GetDlgCtrlID(focus));
    if (!id || runtime_.get(*id).def->kind != ControlKind::CommandButton) {
        return;
    }
    if (*id == kGround) {
        broken("the ground button kept the focus");
    }
    if (runtime_.focus() != id) {
        broken("the focus is on " + std::string(controlName(id->name)) + "(" +
               std::to_string(id->index) + ") but the game has not been told");
    }
}

void Walk::beforeInput(HWND target, const Input& input) {
    // "E" would end this very process with status 0, as if every check had passed.
    const bool clicks = input.kind == Input::Kind::Release ||
                        (input.kind == Input::Kind::KeyUp && input.key == VK_SPACE) ||
                        (input.kind == Input::Kind::KeyDown && input.key == VK_RETURN);
    if (clicks && target == ctl(kEnd) && !endAllowed_ &&
        (input.mouse() ? GetCapture() == target : GetFocus() == target)) {
        broken("the walk was about to click \"E\" before its end");
    }
    if (source_ != Source::Rigged || GetParent(target) != main_) {
        return;
    }
    const std::optional<ControlId> id = win32::controlFor(GetDlgCtrlID(target));
    if (id && id->name == Ctl::btnCard) {
        static_cast<RiggedRandom&>(*random_).target(
            static_cast<Int16>(textToInteger(runtime_.tag(*id))));
    }
}

void Walk::afterInput(const Delivery& delivery) {
    ++stats_.inputs;
    stats_.dropped += delivery.dropped ? 1 : 0;
    if (delivery.closedBox) {
        ++(delivery.input->mouse() ? stats_.closedByMouse : stats_.closedByKey);
        box_ = nullptr;
        expectClose_ = nullptr;
    }
    checker_.check();
    note(delivery);
    std::uint64_t h = stats_.fingerprint;
    h = mix(h, game_.playedCount());
    h = mix(h, game_.remainCount());
    for (std::uint32_t i = 0; i < 5; ++i) {
        h = mix(h, textToInteger(runtime_.tag(slot(i))) * 2 + (runtime_.enabled(slot(i)) ? 1 : 0));
    }
    for (char16_t c : runtime_.caption(kGround)) {
        h = mix(h, c);
    }
    stats_.fingerprint = h;
}

void Walk::boxIdle(HWND box) {
    if (box != box_) {
        box_ = box;
        boxActions_ = 0;
        expectClose_ = nullptr;
        ++boxesSeen_;
        checkBoxText(box);
    }
    if (expectClose_ != nullptr) {
        broken(std::string("the \"Win\" box stayed open after ") + expectClose_);
    }
    if (++boxActions_ > kMostBoxActions) {
        broken("the \"Win\" box stayed open through " + std::to_string(kMostBoxActions) +
               " actions");
    }
    planBoxAction(box);
}

BOOL CALLBACK noteStaticText(HWND child, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (_wcsicmp(cls, L"Static") == 0 && win32::windowText(child) == u"Win") {
        *reinterpret_cast<bool*>(found) = true;
    }
    return TRUE;
}

void Walk::checkBoxText(HWND box) const {
    bool says = false;
    EnumChildWindows(box, &noteStaticText, reinterpret_cast<LPARAM>(&says));
    if (!says || GetDlgItem(box, IDOK) == nullptr) {
        broken("a box without \"Win\" and an OK button opened over the game");
    }
}

// --- Where the mouse goes.

POINT Walk::pointIn(const RECT& r) {
    // Not on "E" before the walk's end: the top row of the grid lies under the
    // buttons' lower edge, so "E" can cover a point meant for a label.
    const auto width = static_cast<std::uint32_t>(std::max<LONG>(1, r.right - r.left));
    const auto height = static_cast<std::uint32_t>(std::max<LONG>(1, r.bottom - r.top));
    for (int tries = 0; tries < 20; ++tries) {
        const POINT at{r.left + static_cast<LONG>(below(width)),
                       r.top + static_cast<LONG>(below(height))};
        if (endAllowed_ || !onEnd(at)) {
            return at;
        }
    }
    RECT ground{};
    GetWindowRect(ctl(kGround), &ground);
    return {ground.left, ground.top};
}

POINT Walk::pointIn(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return pointIn(r);
}

bool Walk::onEnd(POINT at) const {
    RECT r{};
    GetWindowRect(ctl(kEnd), &r);
    return PtInRect(&r, at) != FALSE;
}

POINT Walk::pointAround() {
    // In and around the window: its frame, the table, the grid, and a margin outside.
    RECT r{};
    GetWindowRect(main_, &r);
    InflateRect(&r, kAround, kAround);
    return pointIn(r);
}

HWND Walk::randomControl() {
    // "N" seldom: each new deal repaints the whole grid, and games should get going.
    const std::uint32_t pick = below(40);
    if (pick < 20) {
        return ctl(slot(pick % 5));
    }
    if (pick < 25) {
        return ctl(pick == 24 && source_ != Source::Rigged ? kNew : kGround);
    }
    if (pick < 35) {
        return ctl({Ctl::lblExist, static_cast<Int16>(1 + below(kDeckSize))});
    }
    return ctl({Ctl::lblColor, static_cast<Int16>(below(4))});
}

Action Walk::click(POINT at, const char* what) {
    Action a;
    a.from = at;
    a.to = at;
    a.what = what;
    return a;
}

Action Walk::key(UINT vk, bool shift, int held) {
    Action a;
    a.kind = Action::Kind::Key;
    a.key = vk;
    a.shift = shift;
    a.held = held;
    a.what = "key";
    return a;
}

// --- What the player does next.

void Walk::planBatch() {
    const bool rigged = source_ == Source::Rigged;
    if (aimSlot_ >= 0 || chance(rigged ? 960 : 850)) {
        perform(rigged ? planRigged() : planNoise(false));
        return;
    }
    // Fast hands: several actions queued before the window sees the first, now and
    // then the same one again and again. A key that moves the focus keeps Space and
    // Enter out of the rest of the batch: they might land on "E".
    const std::uint32_t count = 2 + below(4);
    const bool same = chance(300);
    bool focusMayHaveMoved = false;
    Action action = planNoise(focusMayHaveMoved);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i > 0 && !same) {
            action = planNoise(focusMayHaveMoved);
        }
        if (action.kind == Action::Kind::Key && !clicksFocused(action.key)) {
            focusMayHaveMoved = true;
        }
        perform(action);
    }
}

Action Walk::planRigged() {
    if (aimSlot_ >= 0) {
        return continueAim();
    }
    if (!chance(920)) {
        return chance(40) ? click(pointIn(ctl(kNew)), "\"N\"") : planNoise(false);
    }
    int next = -1;
    if (game_.remainCount() > 0) {
        // A suit the deck has run out of leaves strangers in the hand that the last
        // cards cannot reach: such cards are played first, where they can be.
        std::vector<int> playable;
        int fewest = kDeckSize;
        for (std::uint32_t i = 0; i < 5; ++i) {
            if (!runtime_.enabled(slot(i))) {
                continue;
            }
            const Int16 n = static_cast<Int16>(textToInteger(runtime_.tag(slot(i))));
            int left = 0;
            for (Int16 m = 1; m <= kDeckSize; ++m) {
                left += game_.cards()(m).Status == 0 && (m - 1) / kRanks == (n - 1) / kRanks;
            }
            if (left < fewest) {
                playable.clear();
                fewest = left;
            }
            if (left == fewest) {
                playable.push_back(static_cast<int>(i));
            }
        }
        if (!playable.empty()) {
            next = playable[below(static_cast<std::uint32_t>(playable.size()))];
        }
    } else {
        next = winningPlay();
    }
    if (next < 0) {
        return click(pointIn(ctl(kNew)), "\"N\", the game lost");
    }
    if (chance(850)) {
        return click(pointIn(ctl(slot(static_cast<std::uint32_t>(next)))), "a playable slot");
    }
    aimSlot_ = next;  // by keyboard: Tab to it, then Space or Enter
    aimPresses_ = 0;
    return continueAim();
}

int Walk::winningPlay() const {
    // The deck is empty: a filled slot played empties it, an emptied slot replayed
    // turns the ground to the card it held. The shortest way to an empty hand, if
    // there is one, is found by trying every order of plays breadth first.
    std::array<Int16, 5> tag{};
    unsigned filled = 0;
    for (std::uint32_t i = 0; i < 5; ++i) {
        tag[i] = static_cast<Int16>(textToInteger(runtime_.tag(slot(i))));
        filled |= runtime_.caption(slot(i)).empty() ? 0U : 1U << i;
    }
    struct Step {
        Int16 ground;
        unsigned left;
        int first;  // the play that began the way here
    };
    std::bitset<53 * 32> seen;
    std::deque<Step> open;
    for (int i = 0; i < 5; ++i) {
        if (runtime_.enabled(slot(static_cast<std::uint32_t>(i)))) {
            open.push_back({tag[i], filled & ~(1U << i), i});
        }
    }
    while (!open.empty()) {
        const Step at = open.front();
        open.pop_front();
        if (at.left == 0) {
            return at.first;
        }
        const std::size_t state = static_cast<std::size_t>(at.ground) * 32 + at.left;
        if (seen[state]) {
            continue;
        }
        seen[state] = true;
        for (int i = 0; i < 5; ++i) {
            if (follows(tag[i], at.ground)) {
                open.push_back({tag[i], at.left & ~(1U << i), at.first});
            }
        }
    }
    return -1;
}

Action Walk::continueAim() {
    const HWND target = ctl(slot(static_cast<std::uint32_t>(aimSlot_)));
    if (GetFocus() == target) {
        aimSlot_ = -1;
        return key(chance(500) ? VK_SPACE : VK_RETURN);
    }
    if (++aimPresses_ > kMostAimPresses || !IsWindowEnabled(target)) {
        aimSlot_ = -1;
        return planNoise(false);
    }
    // Back with Shift+Tab from a slot to the right of it; from the parked focus only
    // forward, since Shift+Tab there lands on the ground, which hands the focus back.
    const std::optional<ControlId> at = win32::controlFor(GetDlgCtrlID(GetFocus()));
    return key(VK_TAB, at && at->name == Ctl::btnCard && at->index > aimSlot_);
}

Action Walk::planNoise(bool focusMayHaveMoved) {
    const std::uint32_t pick = below(100);
    if (pick < 28) {
        return click(pointAround(), "in or around the window");
    }
    if (pick < 50) {
        return click(pointIn(randomControl()), "a control");
    }
    if (pick < 54) {
        Action a = click(pointIn(randomControl()), "a control, twice");
        a.kind = Action::Kind::DoubleClick;
        return a;
    }
    if (pick < 58) {
        Action a = click(pointIn(randomControl()), "a control, dragged off");
        a.kind = Action::Kind::Drag;
        a.to = pointAround();
        return a;
    }
    if (pick < 60) {
        // A new game in the middle of one, now and then; rigged walks deal anew by
        // their own rule.
        return source_ != Source::Rigged && chance(250) ? click(pointIn(ctl(kNew)), "\"N\"")
                                                        : key(VK_TAB);
    }
    const std::uint32_t k = below(100);
    if (k < 20) {
        return key(VK_TAB);
    }
    if (k < 32) {
        return key(VK_TAB, true);
    }
    if (k < 70) {
        // Space and Enter click the focused button; never "E" until the walk ends.
        const bool safe = endAllowed_ || (!focusMayHaveMoved && GetFocus() != ctl(kEnd));
        if (!safe) {
            return key(VK_ESCAPE);
        }
        const UINT vk = k < 50 ? VK_SPACE : VK_RETURN;
        return key(vk, false, k % 5 == 0 ? static_cast<int>(1 + below(4)) : 0);
    }
    if (k < 78) {
        return key(VK_ESCAPE);
    }
    const UINT arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
    return key(arrows[k % 4]);
}

void Walk::planBoxAction(HWND box) {
    const HWND ok = GetDlgItem(box, IDOK);
    const std::uint32_t pick = below(100);
    if (pick < 20) {
        // Closed by a key; now and then a second press follows at once and reaches
        // the game's window after the box has gone.
        const std::uint32_t which = below(3);
        const UINT vk = which == 0 ? VK_RETURN : which == 1 ? VK_ESCAPE : VK_SPACE;
        if (vk != VK_SPACE || GetFocus() == ok) {
            expectClose_ = which == 0 ? "Enter" : which == 1 ? "Escape" : "Space";
        }
        perform(key(vk));
        if (chance(250)) {
            perform(key(chance(500) ? VK_RETURN : VK_SPACE));
        }
        return;
    }
    if (pick < 35) {
        expectClose_ = "a click on its OK button";
        perform(click(pointIn(ok), "the box's OK button"));
        return;
    }
    if (pick < 48) {
        perform(click(pointIn(box), "the box"));
    } else if (pick < 62) {
        perform(click(pointAround(), "the window behind the box"));
    } else if (pick < 70) {
        Action a = click(pointIn(ok), "the box's OK button, dragged off");
        a.kind = Action::Kind::Drag;
        a.to = pointAround();
        perform(a);
    } else if (pick < 82) {
        perform(key(VK_TAB, chance(500)));
    } else {
        const UINT arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
        perform(key(arrows[below(4)]));
    }
}

void Walk::perform(const Action& a) {
    ++stats_.events;
    std::string line = std::to_string(stats_.events) + ": ";
    using Kind = Input::Kind;
    switch (a.kind) {
        case Action::Kind::Key: {
            line += "key " + std::to_string(a.key) + (a.shift ? " with Shift" : "") +
                    (a.held > 0 ? ", held" : "");
            Input in{Kind::KeyDown, {}, a.key, a.shift};
            device_.post(in);
            for (int i = 0; i < a.held; ++i) {
                in.kind = Kind::KeyHeld;
                device_.post(in);
            }
            in.kind = Kind::KeyUp;
            device_.post(in);
            break;
        }
        case Action::Kind::DoubleClick:
            device_.post({Kind::Press, a.from});
            device_.post({Kind::Release, a.from});
            device_.post({Kind::DoublePress, a.from});
            device_.post({Kind::Release, a.from});
            line += "double click";
            break;
        case Action::Kind::Click:
        case Action::Kind::Drag:
            device_.post({Kind::Press, a.from});
            device_.post({Kind::Release, a.to});
            line += a.kind == Action::Kind::Click ? "click" : "drag";
            break;
    }
    if (a.kind != Action::Kind::Key) {
        line +=
            " at " + std::to_string(a.from.x) + "," + std::to_string(a.from.y) + " on " + a.what;
    }
    remember(std::move(line));
}

void Walk::remember(std::string line) {
    if (traceAll_) {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
    trace_.push_back(std::move(line));
    if (trace_.size() > kTraceLength) {
        trace_.pop_front();
    }
}

void Walk::note(const Delivery& delivery) {
    static const char* const kinds[] = {"down",     "double down", "up",
                                        "key down", "key held",    "key up"};
    std::string line = "    ";
    line += kinds[static_cast<int>(delivery.input->kind)];
    if (delivery.dropped || delivery.target == nullptr) {
        line += ": to no window of the game";
    } else if (delivery.target == main_) {
        line += ": to the window";
    } else if (const auto id = win32::controlFor(GetDlgCtrlID(delivery.target));
               id && GetParent(delivery.target) == main_) {
        line +=
            ": to " + std::string(controlName(id->name)) + "(" + std::to_string(id->index) + ")";
    } else {
        line += ": to the box";
    }
    if (delivery.closedBox) {
        line += ", which closed the box";
    }
    remember(std::move(line));
}

void Walk::endWithE(Finale finale) {
    // The last move: "E" by the mouse, or Tab to it and Space or Enter.
    endAllowed_ = true;
    const HWND end = ctl(kEnd);
    if (finale != Finale::EByMouse) {
        for (int presses = 0; presses < kMostAimPresses && GetFocus() != end; ++presses) {
            perform(key(VK_TAB));
            pump();
        }
    }
    stats_.games = checker_.deals();
    stats_.exhaustions = checker_.exhaustions();
    stats_.wins = checker_.wins();
    std::printf("monkey walk before \"E\": %s\n", stats_.summary().c_str());
    std::fflush(stdout);
    if (finale == Finale::EByMouse) {
        // "N" covers the top row of "E": aim where "E" itself takes the click.
        POINT at = pointIn(end);
        for (int tries = 0; tries < 50 && WindowFromPoint(at) != end; ++tries) {
            at = pointIn(end);
        }
        perform(click(at, "\"E\""));
    } else {
        perform(key(finale == Finale::EBySpace ? VK_SPACE : VK_RETURN));
    }
    pump();
    broken("\"E\" did not end the program");
}

}  // namespace

WalkStats& WalkStats::operator+=(const WalkStats& other) {
    events += other.events;
    inputs += other.inputs;
    dropped += other.dropped;
    games += other.games;
    exhaustions += other.exhaustions;
    wins += other.wins;
    closedByKey += other.closedByKey;
    closedByMouse += other.closedByMouse;
    fingerprint = mix(fingerprint, static_cast<long long>(other.fingerprint));
    return *this;
}

std::string WalkStats::summary() const {
    return std::to_string(events) + " events (" + std::to_string(inputs) + " inputs, " +
           std::to_string(dropped) + " beside the game), " + std::to_string(games) + " games, " +
           std::to_string(exhaustions) + " empty decks, " + std::to_string(wins) +
           " wins, \"Win\" closed " + std::to_string(closedByKey) + " times by key and " +
           std::to_string(closedByMouse) + " by mouse";
}

WalkStats runWalk(Source source, std::uint64_t seed, long long events, Finale finale) {
    Walk walk(source, seed);
    return walk.run(events, finale);
}

}  // namespace vop::test::monkey
