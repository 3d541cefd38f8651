// What a screen reader says of the game's controls: cards in words, and each card's
// place as the game holds it, so that nothing is told by colour or greying alone.
#include "cards/card_name.h"
#include "game/frm_vop.h"

namespace vop {

Int16 frmVop::cardHeldBy(Int16 i) const {
    if (rt_.caption(btnCard(i)).empty()) {
        return 0;
    }
    Int16 n = 0;
    for (char16_t c : rt_.tag(btnCard(i))) {
        if (c < u'0' || c > u'9' || n > kDeckSize) {
            return 0;
        }
        n = static_cast<Int16>(n * 10 + (c - u'0'));
    }
    return n <= kDeckSize ? n : 0;
}

Text frmVop::spokenName(ControlId id) const {
    if (id.name == &ctl::btnCard) {
        const Int16 n = cardHeldBy(id.index);
        return n != 0 ? cardWords(cards_(n)) : u"Empty";
    }
    if (id == btnGround) {
        // The ground is held only as its caption: the card of that name.
        const Text& shown = rt_.caption(btnGround);
        for (Int16 n = 1; n <= kDeckSize && !shown.empty(); n = add16(n, 1)) {
            if (setCap(cards_(n)) == shown) {
                return u"Ground: " + cardWords(cards_(n));
            }
        }
        return u"Ground: Empty";
    }
    if (id.name == &ctl::cmdPlay) {
        return id.index == 0 ? u"New game" : u"End";
    }
    if (id.name == &ctl::lblColor) {
        return suitWord(id.index);
    }
    if (id.name == &ctl::lblExist && id.index >= 1) {
        const clsCard& card = cards_(id.index);
        for (Int16 i = 0; i < kHandSize; i = add16(i, 1)) {
            if (cardHeldBy(i) == card.ID) {
                return cardWords(card) + u", in the hand";
            }
        }
        return cardWords(card) + (card.Status == 0 ? u", in the deck" : u", played");
    }
    if (id == btnFocus) {
        // Holds the focus between plays: named for the table, not its hidden caption.
        return u"Table";
    }
    return {};
}

Text frmVop::spokenDescription(ControlId id) const {
    if (id.name != &ctl::btnCard) {
        return {};
    }
    return rt_.enabled(id) ? u"Can be played" : u"Cannot be played";
}

}  // namespace vop
