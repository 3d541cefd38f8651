// The monkey's walk on the real window: its state, shared by the files that run it
// (monkey_walk.cpp), choose its moves (monkey_moves.cpp) and play rigged deals to the
// end (monkey_rigged.cpp).
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>

#include "game/frm_vop.h"
#include "monkey_input.h"
#include "monkey_walk.h"
#include "support/invariant_checker.h"
#include "support/random_sources.h"
#include "window/win32/win32_runtime.h"

namespace vop::test::monkey {

using reliability::RiggedRandom;
using reliability::SplitMix;

constexpr ControlId kNew{ctl::cmdPlay, 0};
constexpr ControlId kEnd{ctl::cmdPlay, 1};
constexpr ControlId kGround{ctl::btnGround};
constexpr int kMostAimPresses = 16;  // Tab presses to reach a button, at most

inline ControlId slot(std::uint32_t i) {
    return {ctl::btnCard, static_cast<Int16>(i)};
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

// Space and Enter click the focused button.
inline bool clicksFocused(UINT key) {
    return key == VK_SPACE || key == VK_RETURN;
}

// The rule of play, from card numbers alone: the same rank or the same suit.
inline bool follows(Int16 card, Int16 ground) {
    return (card - 1) % kRanks == (ground - 1) % kRanks ||
           (card - 1) / kRanks == (ground - 1) / kRanks;
}

std::unique_ptr<RandomSource> makeSource(Source source, std::uint64_t seed);

// One walk: the game's window in this process, the player's moves, the checks.
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
    int pressedSlot_ = -1;               // the enabled hand slot the mouse went down on
    int playExpected_ = -1;              // the slot whose click the last release completed
    int aimSlot_ = -1;                   // a slot the keyboard is tabbing to
    int aimPresses_ = 0;
    WalkStats stats_;
    std::deque<std::string> trace_;
    bool traceAll_ = std::getenv("VOP_MONKEY_TRACE") != nullptr;  // every action, as it goes
    long long inputsAtWatch_ = -1;
    ULONGLONG lastProgress_ = 0;
};

}  // namespace vop::test::monkey
