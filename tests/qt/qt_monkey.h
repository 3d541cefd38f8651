// A seeded random walk of mouse and keys over the real Qt window, the invariants checked
// after every event and between any two inputs.
#pragma once

#include <cstdint>
#include <string>

namespace vop::monkey {

// What a walk ran. Games count every deal: start-up, "N" and the deal after a win.
struct QtMonkeyStats {
    long long events = 0;
    long long checks = 0;  // of the invariants: after each event and between any two inputs
    long long plays = 0;   // events meant to play a card, by mouse or key
    long long games = 0;
    long long exhaustions = 0;
    long long wins = 0;
    long long boxesByKey = 0;
    long long boxesByMouse = 0;
    long long repeats = 0;   // bursts of one input queued faster than it is handled
    long long programs = 0;  // windows started
    long long ends = 0;      // of them, ended by "E"
    std::string summary() const;
};

// Runs `events` events from start-up on; "E" now and then ends the program, and the walk
// goes on in a fresh window. The same seed always gives the same walk. A broken invariant,
// or an event whose effect is not the one the game promises, ends the process with a
// message naming it, the seed and the event.
QtMonkeyStats runQtMonkey(std::uint64_t seed, long long events);

}  // namespace vop::monkey
