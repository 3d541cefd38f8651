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
    // Where the focus rests between plays: {0} the ground, {1} cards played, {2} the hand.
    std::u16string_view table;
    // The hand within it: the cards Tab reaches, in the order it reaches them ({0}), or
    // nothing to play; then the cards held that cannot be played ({0}).
    std::u16string_view toPlay;
    std::u16string_view nothingToPlay;
    std::u16string_view notToPlay;
    std::u16string_view listSeparator;  // between the cards of a list
    std::u16string_view newGame;
    std::u16string_view end;
    std::u16string_view cannotPlay;  // {0} a card in the hand that cannot be played now
    std::u16string_view unknownCard;
    std::u16string_view window;  // {0} cards played: the window as a screen reader names it
};

// The words for the player's language, as a tag ("ja-JP", "ja_JP.UTF-8", "en"): Japanese
// for Japanese, English for every other.
const SpokenWords& spokenWords(TextView language);

// The pattern with each {n} replaced by the n-th text.
Text fill(std::u16string_view pattern, std::initializer_list<TextView> texts);

}  // namespace vop
