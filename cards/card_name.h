// Short names of cards ("SA", "H 7", "DT") and the rank letters of the grid.
#pragma once

#include <string_view>

#include "base/text.h"
#include "cards/cls_card.h"

namespace vop {

// Each suit's letter, by suit index: the first letter of a card's name, and the header
// of its row in the grid.
inline constexpr std::u16string_view kSuitLetters[kSuits] = {u"S", u"H", u"D", u"C"};

// The name a hand slot or the ground shows: suit letter, then rank text.
Text setCap(const clsCard& tCard);

// A grid label's caption: "A", "2".."9", "T", "J", "Q", "K".
Text gridRankText(Int16 rank);

}  // namespace vop
