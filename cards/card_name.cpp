// Card names.
#include "cards/card_name.h"

namespace vop {

namespace {

// Ace, ten and the faces have letters; every other rank is left to the caller.
const char16_t* rankLetter(Int16 rank) {
    switch (rank) {
        case 1:
            return u"A";
        case 10:
            return u"T";
        case 11:
            return u"J";
        case 12:
            return u"Q";
        case 13:
            return u"K";
        default:
            return nullptr;
    }
}

}  // namespace

Text setCap(const clsCard& tCard) {
    // A suit index outside 0..3 has no letter.
    Text suit = tCard.color >= 0 && tCard.color < kSuits ? Text(kSuitLetters[tCard.color]) : Text();
    const char16_t* letter = rankLetter(tCard.Number);
    if (letter != nullptr) {
        return suit + letter;
    }
    return suit + signedText(tCard.Number);
}

Text gridRankText(Int16 rank) {
    const char16_t* letter = rankLetter(rank);
    if (letter != nullptr) {
        return letter;
    }
    return decimalText(rank);
}

}  // namespace vop
