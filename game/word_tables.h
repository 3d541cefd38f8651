// Every word a screen reader says of the game, one table per language.
#pragma once

#include <array>
#include <initializer_list>
#include <string_view>

#include "base/text.h"
#include "cards/cls_card.h"

namespace vop {

// In the patterns, {0}, {1} and {2} stand for what each names.
struct SpokenWords {
    std::array<std::u16string_view, kRanks> ranks;  // ace first
    std::array<std::u16string_view, kSuits> suits;  // by suit index; a row header's words
    std::u16string_view card;                       // {0} the rank, {1} the suit
    std::u16string_view inDeck;                     // {0} the card
    std::u16string_view inHand;
    std::u16string_view played;
    std::u16string_view empty;   // a slot without a card
    std::u16string_view none;    // the ground before the first play
    std::u16string_view ground;  // {0} the card or none
    // Where the focus rests between plays: {0} the ground, {1} cards played, {2} playable.
    std::u16string_view table;
    std::u16string_view newGame;
    std::u16string_view end;
    std::u16string_view canPlay;
    std::u16string_view cannotPlay;
    std::u16string_view unknownCard;
};

// The words for the player's language, as a tag ("ja-JP", "ja_JP.UTF-8", "en"): Japanese
// for Japanese, English for every other.
const SpokenWords& spokenWords(TextView language);

// The pattern with each {n} replaced by the n-th text.
Text fill(std::u16string_view pattern, std::initializer_list<TextView> texts);

}  // namespace vop
