// The monkey's walks: the window started with a seeded deal, the moves delivered, the
// invariant checker and the window's own checks after every input, the "Win" box.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "monkey_walker.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"

namespace vop::test::monkey {

namespace {

constexpr long kMostMessages = 200000;  // in one pump: a queue that never empties is a fault
constexpr int kMostBoxActions = 40;
constexpr long long kPaintEvery = 32;  // batches of input between repaints
constexpr ULONGLONG kStallMs = 20000;
constexpr UINT_PTR kBoxTimer = 0x564F;
constexpr POINT kWindowAt{200, 150};
constexpr std::size_t kTraceLength = 40;

Walk* current = nullptr;

void reportCurrent() {
    if (current != nullptr) {
        current->report();
    }
}

std::uint64_t mix(std::uint64_t hash, long long value) {
    return (hash ^ static_cast<std::uint64_t>(value)) * 0x100000001B3ULL;  // FNV-1a
}

BOOL CALLBACK noteStaticText(HWND child, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (_wcsicmp(cls, L"Static") == 0 && win32::windowText(child) == u"Win") {
        *reinterpret_cast<bool*>(found) = true;
    }
    return TRUE;
}

}  // namespace

std::unique_ptr<RandomSource> makeSource(Source source, std::uint64_t seed) {
    switch (source) {
        case Source::Uniform:
            return std::make_unique<reliability::UniformRandom>(seed);
        case Source::Adversarial:
            return std::make_unique<reliability::AdversarialRandom>(seed);
        case Source::Rigged:
            break;
    }
    return std::make_unique<RiggedRandom>(seed);
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
    const std::optional<ControlId> id = win32::controlFor(runtime_.places(), GetDlgCtrlID(focus));
    if (!id || runtime_.get(*id).def->kind != ControlKind::CommandButton) {
        return;
    }
    if (*id == kGround) {
        broken("the ground button kept the focus");
    }
    if (runtime_.focus() != id) {
        broken("the focus is on " + controlText(*id) + " but the game has not been told");
    }
}

void Walk::beforeInput(HWND target, const Input& input) {
    // A press on an enabled hand slot, released over it, is a click, and a click on an
    // enabled slot plays its card: the checker is told to expect exactly that play.
    const std::optional<ControlId> slotId =
        GetParent(target) == main_ ? win32::controlFor(runtime_.places(), GetDlgCtrlID(target))
                                   : std::nullopt;
    const bool onSlot = slotId && slotId->name == &ctl::btnCard;
    if (input.kind == Input::Kind::Press || input.kind == Input::Kind::DoublePress) {
        pressedSlot_ = onSlot && runtime_.enabled(*slotId) ? slotId->index : -1;
    } else if (input.kind == Input::Kind::Release) {
        POINT at = input.at;
        ScreenToClient(target, &at);
        RECT inside{};
        GetClientRect(target, &inside);
        playExpected_ =
            onSlot && slotId->index == pressedSlot_ && PtInRect(&inside, at) ? pressedSlot_ : -1;
        pressedSlot_ = -1;
    }
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
    const std::optional<ControlId> id = win32::controlFor(runtime_.places(), GetDlgCtrlID(target));
    if (id && id->name == &ctl::btnCard) {
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
    if (playExpected_ >= 0 && delivery.input->kind == Input::Kind::Release) {
        checker_.afterPlay(static_cast<Int16>(playExpected_));
        ++stats_.slotClicks;
    } else {
        checker_.check();
    }
    playExpected_ = -1;
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

void Walk::checkBoxText(HWND box) const {
    bool says = false;
    EnumChildWindows(box, &noteStaticText, reinterpret_cast<LPARAM>(&says));
    if (!says || GetDlgItem(box, IDOK) == nullptr) {
        broken("a box without \"Win\" and an OK button opened over the game");
    }
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
    } else if (const auto id = win32::controlFor(runtime_.places(), GetDlgCtrlID(delivery.target));
               id && GetParent(delivery.target) == main_) {
        line += ": to " + controlText(*id);
    } else {
        line += ": to the box";
    }
    if (delivery.closedBox) {
        line += ", which closed the box";
    }
    remember(std::move(line));
}

WalkStats& WalkStats::operator+=(const WalkStats& other) {
    events += other.events;
    inputs += other.inputs;
    dropped += other.dropped;
    games += other.games;
    exhaustions += other.exhaustions;
    wins += other.wins;
    closedByKey += other.closedByKey;
    closedByMouse += other.closedByMouse;
    slotClicks += other.slotClicks;
    fingerprint = mix(fingerprint, static_cast<long long>(other.fingerprint));
    return *this;
}

std::string WalkStats::summary() const {
    return std::to_string(events) + " events (" + std::to_string(inputs) + " inputs, " +
           std::to_string(dropped) + " beside the game), " + std::to_string(games) + " games, " +
           std::to_string(exhaustions) + " empty decks, " + std::to_string(wins) +
           " wins, \"Win\" closed " + std::to_string(closedByKey) + " times by key and " +
           std::to_string(closedByMouse) + " by mouse, " + std::to_string(slotClicks) +
           " clicks on playable slots";
}

WalkStats runWalk(Source source, std::uint64_t seed, long long events, Finale finale) {
    Walk walk(source, seed);
    return walk.run(events, finale);
}

}  // namespace vop::test::monkey
