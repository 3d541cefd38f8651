// Deals the tests script: the random value that draws a given card, cards by name, and
// one deal that can be won.
#pragma once

#include <string_view>
#include <vector>

#include "cards/cls_card.h"

namespace vop::test {

// The random value that draws card n (k = n - 1, well away from any rounding tie).
inline float valueFor(int n) {
    return static_cast<float>((n - 1) / 52000.0);
}

// Card number from suit letter and rank: card('H', 7) is 20.
inline int card(char suit, int rank) {
    return static_cast<int>(std::string_view("SHDC").find(suit)) * kRanks + rank;
}

// A deal that can be won: spades up, hearts down, diamonds up, clubs down, so every
// card follows the one before it.
inline std::vector<int> winnableChain() {
    std::vector<int> chain;
    for (int r = 1; r <= 13; ++r)
        chain.push_back(card('S', r));
    for (int r = 13; r >= 1; --r)
        chain.push_back(card('H', r));
    for (int r = 1; r <= 13; ++r)
        chain.push_back(card('D', r));
    for (int r = 13; r >= 1; --r)
        chain.push_back(card('C', r));
    return chain;
}

// The draws of the winnable game: the hand (the chain's first card in slot 0 and its
// last four in slots 1 to 4), then the 47 refills of slot 0 in chain order. Playing
// slot 0 48 times and then slots 1 to 4 wins.
inline std::vector<int> winnableDraws() {
    const std::vector<int> chain = winnableChain();
    std::vector<int> draws = {chain[0], chain[48], chain[49], chain[50], chain[51]};
    draws.insert(draws.end(), chain.begin() + 1, chain.begin() + 48);
    return draws;
}

}  // namespace vop::test
