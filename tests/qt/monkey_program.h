// One run of the program in a real Qt window for the monkey: a rigged deal, the game, and
// the invariant checker watching it, with what the player can see read back for the walk.
#pragma once

#include <QPoint>
#include <QWidget>
#include <QWindow>
#include <array>
#include <cstdint>
#include <optional>

#include "game/frm_vop.h"
#include "support/invariant_checker.h"
#include "support/random_sources.h"
#include "window/qt/qt_form_runtime.h"

namespace vop::monkey {

inline constexpr ControlId kFocus{ctl::btnFocus};
inline constexpr ControlId kGround{ctl::btnGround};
inline constexpr ControlId kNew{ctl::cmdPlay, 0};
inline constexpr ControlId kEnd{ctl::cmdPlay, 1};
inline ControlId slot(int i) {
    return {ctl::btnCard, static_cast<Int16>(i)};
}

// What an event may change, as the window shows it, and what the checker has counted.
struct Seen {
    Text caption;
    Text ground;
    std::array<Text, 5> tags;
    std::array<Text, 5> captions;
    std::array<bool, 5> enabled{};
    Int16 played = 0;
    Int16 remain = 0;
    long long deals = 0;
    long long wins = 0;
    bool operator==(const Seen&) const = default;
};

class MonkeyProgram {
  public:
    // The deal is rigged to favour cards that follow the one being played, so that
    // games run to an empty deck and are won.
    explicit MonkeyProgram(std::uint64_t seed);

    // Loads the window and waits (bounded) until it is the active window.
    bool start();

    FormWindow* window() const { return runtime.window(); }
    QWindow* handle() const { return runtime.window()->windowHandle(); }
    QWidget* widget(ControlId id) const { return runtime.widget(id); }
    // The control behind a widget of the window, if it is one.
    std::optional<ControlId> idOf(const QWidget* w) const;
    // The control a mouse press at p (window coordinates) lands on, as Qt routes it.
    std::optional<ControlId> controlAt(QPoint p) const;
    // The control that holds the keyboard focus of the window.
    std::optional<ControlId> focused() const;

    Seen seen() const;
    // The card in a slot's Tag (1..52), and a card's name as the ground shows it.
    Int16 cardIn(int i) const;
    Text nameOf(Int16 card) const;
    bool slotEnabled(int i) const { return runtime.enabled(slot(i)); }
    bool slotFilled(int i) const { return !runtime.caption(slot(i)).empty(); }

    reliability::RiggedRandom random;
    QtFormRuntime runtime{vopWindow(), random};
    frmVop game{runtime};
    InvariantChecker checker{game, runtime};
};

}  // namespace vop::monkey
