// Checks, after every event, that the game's state is one the rules of Vop can reach.
#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string>

#include "game/frm_vop.h"

namespace vop {

// The rule of play, from card numbers alone: the same rank or the same suit.
bool follows(Int16 card, Int16 ground);

// Writes "Vop: invariant broken: <what>" to stderr and ends the program with status 1.
[[noreturn]] void invariantBroken(const std::string& what);

// Runs after the message, before the program ends; a fuzzer aborts here so that the
// input which broke the game is kept. If it returns, the program ends all the same.
using InvariantFailureAction = void (*)();
void setInvariantFailureAction(InvariantFailureAction action);

// Watches one game from start-up on. It reads only the window's public fields and the
// runtime's control state, so it serves any backend. After every event the driver calls
// the after* function that names what it did, or check() when it cannot tell; a state
// the rules cannot reach ends the program through invariantBroken.
class InvariantChecker {
  public:
    InvariantChecker(const frmVop& game, const FormRuntime& runtime);

    // The program has started: the first deal is on the table.
    void afterStart();
    // "N" was clicked.
    void afterNewGame();
    // Hand slot `slot` took a click (it was enabled just before).
    void afterPlay(Int16 slot);
    // An event the game does not act on: a click on a disabled control, Tab, a focus move.
    void afterIgnored();
    // Several events at once (input queued faster than the window handles it), `wins` of
    // them winning a game: the state must be one the rules reach, whichever they were.
    void afterSeveral(long long wins);
    // Any event; what happened is worked out from the state. While the "Win" box is
    // open this checks the moment of the win.
    void check();
    // The "Win" box is open: the last card has gone and the new deal has not come yet.
    void whileWinShown();

    // What the checker has seen, for drivers to report and to cross-check.
    long long deals() const { return deals_; }
    long long wins() const { return wins_; }
    long long exhaustions() const { return exhaustions_; }

  private:
    // The game as the window shows it. Card numbers are 1..52; 0 means none.
    struct Snapshot {
        std::array<Int16, 5> tag{};
        std::array<bool, 5> filled{};
        std::array<bool, 5> enabled{};
        Int16 ground = 0;
        Int16 playedCount = 0;
        Int16 remainCount = 0;
        std::bitset<53> inDeck;
        std::bitset<53> red;
        std::bitset<53> labelEnabled;
        // The game never changes remainCount alone (every draw lands in a slot), so that
        // member is never the first to differ; its compare is there for a stray write.
        bool operator==(const Snapshot&) const = default;
        int filledCount() const;
        bool inFilledSlot(Int16 n) const;
    };

    Snapshot read() const;
    void checkCounts(const Snapshot& s) const;
    void checkHand(const Snapshot& s) const;
    void checkGrid(const Snapshot& s) const;
    void checkGround(const Snapshot& s) const;
    void checkFreshDeal(const Snapshot& s) const;
    void checkPlay(const Snapshot& before, const Snapshot& now, Int16 slot);
    void checkUnchanged(const Snapshot& before, const Snapshot& now) const;
    // The grid's disabled labels: the played cards and the card that won last.
    void checkDisabledLabels(const Snapshot& s) const;
    void checkFocusParked() const;
    void accept(const Snapshot& now);
    const Snapshot& previous(const char* event) const;

    const frmVop& game_;
    const FormRuntime& runtime_;
    const std::array<Text, 53> names_;  // every card's name, by number
    std::optional<Snapshot> last_;
    Int16 winner_ = 0;  // the card that won the previous game, for the whole next game
    long long deals_ = 0;
    long long wins_ = 0;
    long long exhaustions_ = 0;
};

}  // namespace vop
