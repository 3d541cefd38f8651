// One card of the single deck: four public fields and no code of its own; the deck's
// size and shape, and a card number's suit and rank.
#pragma once

#include "base/checked_int.h"

namespace vop {

class clsCard {
  public:
    Int16 ID = 0;      // card number 1..52: suit index x 13 + rank
    Int16 color = 0;   // suit index 0..3: spades, hearts, diamonds, clubs
    Int16 Number = 0;  // rank 1..13: ace .. king
    Int16 Status = 0;  // 0 in the deck, 1 drawn (in a hand slot or played)
};

constexpr int kDeckSize = 52;
constexpr int kSuits = 4;
constexpr int kRanks = 13;

// A card number is its suit index x 13 + its rank.
constexpr Int16 suitOf(Int32 cardNumber) {
    return static_cast<Int16>((cardNumber - 1) / kRanks);
}
constexpr Int16 rankOf(Int32 cardNumber) {
    return static_cast<Int16>((cardNumber - 1) % kRanks + 1);
}

}  // namespace vop
