// The monkey: seeded random walks of clicks, double clicks, drags and keys over the game's
// window, on whichever backend the driver stands for, with the invariant checker judging
// the game after every action and the "Win" box closed every way a player closes it.
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
    long long closedByKey = 0;
    long long closedByMouse = 0;
    MonkeyStats& operator+=(const MonkeyStats& other);
    std::string summary() const;
};

// One program run from start-up, `events` actions each checked, then "E", which must end
// it. The same source and seed give the same walk on the same backend.
MonkeyStats runMonkey(Source source, std::uint64_t seed, long long events);

}  // namespace vop::reliability
