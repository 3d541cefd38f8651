// What a screen reader says of the game's controls: cards in words, and each card's
// place as the game holds it, so that nothing is told by colour or greying alone.
#include "game/frm_vop.h"
#include "game/word_tables.h"

namespace vop {

Int16 frmVop::cardHeldBy(Int16 i) const {
    if (rt_.caption(btnCard(i)).empty()) {
        return 0;
    }
    return toInt16(textToInteger(rt_.tag(btnCard(i))));
}

Text frmVop::cardWords(Int16 n) const {
    const SpokenWords& words = spokenWords(rt_.language());
    const clsCard& card = cards_(n);
    if (card.Number < 1 || card.Number > kRanks || card.color < 0 || card.color >= kSuits) {
        return Text(words.unknownCard);
    }
    return fill(words.card, {words.ranks[static_cast<std::size_t>(card.Number - 1)],
                             words.suits[static_cast<std::size_t>(card.color)]});
}

Text frmVop::tableWords() const {
    const SpokenWords& words = spokenWords(rt_.language());
    int playable = 0;
    for (Int16 i = 0; i < kHandSize; i = add16(i, 1)) {
        playable += cardHeldBy(i) != 0 && rt_.enabled(btnCard(i)) ? 1 : 0;
    }
    const Text ground = groundCard_ != 0 ? cardWords(groundCard_) : Text(words.none);
    return fill(words.table, {ground, decimalText(playedCount_), decimalText(playable)});
}

Text frmVop::spokenName(ControlId id) const {
    const SpokenWords& words = spokenWords(rt_.language());
    if (id.name == &ctl::btnCard) {
        const Int16 n = cardHeldBy(id.index);
        return n != 0 ? cardWords(n) : Text(words.empty);
    }
    if (id == btnGround) {
        return fill(words.ground, {groundCard_ != 0 ? cardWords(groundCard_) : Text(words.none)});
    }
    if (id.name == &ctl::cmdPlay) {
        return Text(id.index == 0 ? words.newGame : words.end);
    }
    if (id.name == &ctl::lblColor && id.index >= 0 && id.index < kSuits) {
        return Text(words.suits[static_cast<std::size_t>(id.index)]);
    }
    if (id.name == &ctl::lblExist && id.index >= 1) {
        const clsCard& card = cards_(id.index);
        bool inHand = false;
        for (Int16 i = 0; i < kHandSize; i = add16(i, 1)) {
            inHand = inHand || cardHeldBy(i) == card.ID;
        }
        const std::u16string_view where = inHand             ? words.inHand
                                          : card.Status == 0 ? words.inDeck
                                                             : words.played;
        return fill(where, {cardWords(card.ID)});
    }
    if (id == btnFocus) {
        // The focus rests here after every play, "N" and the "Win" box: what a screen
        // reader says of it is the table as the play left it.
        return tableWords();
    }
    return {};
}

Text frmVop::spokenDescription(ControlId id) const {
    if (id.name != &ctl::btnCard) {
        return {};
    }
    const SpokenWords& words = spokenWords(rt_.language());
    return Text(rt_.enabled(id) ? words.canPlay : words.cannotPlay);
}

}  // namespace vop
