// Seeded random walks of mouse and keyboard over the game's real Win32 window, the
// invariant checker run after every input.
#pragma once

#include <cstdint>
#include <string>

#include "support/monkey.h"

namespace vop::test::monkey {

using reliability::Source;

// How a walk ends. None closes the window from the test; the others end with "E",
// which ends the whole program with status 0, so they run in a child process.
enum class Finale : std::uint8_t { None, EByMouse, EBySpace, EByEnter };

struct WalkStats {
    long long events = 0;   // what the player did: clicks, drags, double clicks, key presses
    long long inputs = 0;   // their halves (button down, up; key down, held, up), each checked
    long long dropped = 0;  // inputs the system gave to no window of the game
    long long games = 0;    // deals: start-up, "N" and the deal after each win
    long long exhaustions = 0;
    long long wins = 0;
    long long closedByKey = 0;
    long long closedByMouse = 0;
    long long slotClicks = 0;       // mouse clicks on an enabled slot, each checked to be a play
    std::uint64_t fingerprint = 0;  // the game's state after every input, hashed

    WalkStats& operator+=(const WalkStats& other);
    std::string summary() const;
};

// One program run: start-up, then at least `events` player actions, then the finale.
// The same source and seed give the same walk.
WalkStats runWalk(Source source, std::uint64_t seed, long long events,
                  Finale finale = Finale::None);

}  // namespace vop::test::monkey
