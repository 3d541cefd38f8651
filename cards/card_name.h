// Short names of cards ("SA", "H 7", "DT") and the rank letters of the grid.
#pragma once

#include "cards/cls_card.h"
#include "window/text.h"

namespace vop {

// The name a hand slot or the ground shows: suit letter, then rank text.
Text setCap(const clsCard& tCard);

// A grid label's caption: "A", "2".."9", "T", "J", "Q", "K".
Text gridRankText(Int16 rank);

// The card as a screen reader says it: "Seven of hearts".
Text cardWords(const clsCard& card);

// A suit in words, as a row header is read: "spades", "hearts", "diamonds", "clubs".
Text suitWord(Int16 color);

}  // namespace vop
