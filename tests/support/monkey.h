// Seeded random walks over the in-memory game, with the invariants checked after every event.
#pragma once

#include <cstdint>
#include <string>

namespace vop::reliability {

enum class Source : std::uint8_t { Uniform, Adversarial, Rigged };
std::string sourceName(Source source);

// What a walk ran. Games count every deal: start-up, "N" and the deal after a win.
struct MonkeyStats {
    long long events = 0;
    long long plays = 0;
    long long games = 0;
    long long exhaustions = 0;
    long long wins = 0;
    MonkeyStats& operator+=(const MonkeyStats& other);
    std::string summary() const;
};

// One program run from start-up to "E": `events` events, each checked. The same source
// and seed always give the same walk.
MonkeyStats runMonkey(Source source, std::uint64_t seed, long long events);

}  // namespace vop::reliability
