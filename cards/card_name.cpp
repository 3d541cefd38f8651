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
    Text suit;
    switch (tCard.color) {
        case 0:
            suit = u"S";
            break;
        case 1:
            suit = u"H";
            break;
        case 2:
            suit = u"D";
            break;
        case 3:
            suit = u"C";
            break;
        default:
            break;  // no suit letter
    }
    const char16_t* letter = rankLetter(tCard.Number);
    if (letter != nullptr) {
        return suit + letter;
    }
    return suit + signedText(tCard.Number);
}

Text suitWord(Int16 color) {
    static constexpr const char16_t* kWords[] = {u"spades", u"hearts", u"diamonds", u"clubs"};
    return color >= 0 && color < 4 ? kWords[color] : u"";
}

Text cardWords(const clsCard& card) {
    static constexpr const char16_t* kRanks[] = {u"Ace",  u"Two",   u"Three", u"Four", u"Five",
                                                 u"Six",  u"Seven", u"Eight", u"Nine", u"Ten",
                                                 u"Jack", u"Queen", u"King"};
    if (card.Number < 1 || card.Number > 13 || suitWord(card.color).empty()) {
        return u"Unknown card";
    }
    return Text(kRanks[card.Number - 1]) + u" of " + suitWord(card.color);
}

Text gridRankText(Int16 rank) {
    const char16_t* letter = rankLetter(rank);
    if (letter != nullptr) {
        return letter;
    }
    return decimalText(rank);
}

}  // namespace vop
