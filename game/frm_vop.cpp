// Start-up, the deal, the play and the commands of Vop.
#include "game/frm_vop.h"

#include "cards/card_name.h"

namespace vop {

namespace {

constexpr Twips kGridTop = 480;
constexpr Twips kGridLeft = 75;
constexpr Twips kGridPitch = 120;
constexpr double kDrawScale = 52000.0;  // 1000 turns of the deck per unit of the sequence

}  // namespace

bool sharesRankOrSuit(const clsCard& card, Int16 number, Int16 color) {
    return card.Number == number || card.color == color;
}

Text countCaption(Int16 count) {
    return u"Vop:\u73FE\u5728" + decimalText(count) + u"\u679A";
}

void frmVop::Form_Load() {
    // The grid and the card table are built in one pass over suits and ranks.
    for (Int16 s = 0; s <= 3; s = add16(s, 1)) {
        const Twips top = kGridTop + s * kGridPitch;
        for (Int16 r = 1; r <= kRanks; r = add16(r, 1)) {
            const Int16 n = add16(mul16(s, kRanks), r);
            rt_.load(lblExist(n));
            rt_.setVisible(lblExist(n), true);
            rt_.setFontSize(lblExist(n), 5);
            rt_.setTop(lblExist(n), top);
            rt_.setLeft(lblExist(n), kGridLeft + r * kGridPitch);
            rt_.setCaption(lblExist(n), gridRankText(r));
            clsCard& card = cards_.create(n);
            card.ID = n;
            card.color = s;
            card.Number = r;
            card.Status = 0;
        }
    }
    newGame();
}

void frmVop::newGame() {
    remainCount_ = kDeckSize;
    playedCount_ = 0;
    rt_.setFormCaption(countCaption(0));
    for (Int16 n = 1; n <= kDeckSize; n = add16(n, 1)) {
        cards_(n).Status = 0;
        rt_.setEnabled(lblExist(n), true);
        rt_.setForeColor(lblExist(n), kBlue);
    }
    rt_.setCaption(btnGround, Text());
    groundCard_ = 0;
    rt_.randomize();
    for (Int16 i = 0; i < kHandSize; i = add16(i, 1)) {
        const Int16 n = drawFromDeck();
        rt_.setTag(btnCard(i), decimalText(n));
        rt_.setCaption(btnCard(i), setCap(cards_(n)));
        rt_.setEnabled(btnCard(i), true);
        markDrawn(n);
    }
}

Int16 frmVop::drawCard() {
    const float r = rt_.rnd();
    const Int32 k = roundToInteger(static_cast<double>(r) * kDrawScale);
    return toInt16(k % kDeckSize + 1);
}

Int16 frmVop::drawFromDeck() {
    if (remainCount_ <= 0) {
        // Drawing from an empty deck would never end; the rules never ask for it.
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange, "draw from an empty deck");
    }
    Int16 n = drawCard();
    while (cards_(n).Status != 0) {
        n = drawCard();  // the same sequence, no re-seeding
    }
    return n;
}

void frmVop::markDrawn(Int16 n) {
    cards_(n).Status = 1;
    rt_.setForeColor(lblExist(n), kRed);
    remainCount_ = sub16(remainCount_, 1);
}

void frmVop::btnCard_Click(Int16 Index) {
    rt_.setFocus(btnFocus);
    rt_.randomize();

    const clsCard& played = cards_(textToInteger(rt_.tag(btnCard(Index))));
    const Int16 playedId = played.ID;
    const Int16 playedColor = played.color;
    const Int16 playedNumber = played.Number;

    if (!rt_.caption(btnCard(Index)).empty()) {
        playedCount_ = add16(playedCount_, 1);
    }
    rt_.setFormCaption(countCaption(playedCount_));

    if (remainCount_ != 0) {
        const Int16 n = drawFromDeck();
        rt_.setTag(btnCard(Index), decimalText(n));
        rt_.setCaption(btnCard(Index), setCap(cards_(n)));
        markDrawn(n);
    } else {
        // The emptied slot keeps the played card in its Tag.
        rt_.setCaption(btnCard(Index), Text());
        bool allEmpty = true;
        for (Int16 i = 0; i < kHandSize; i = add16(i, 1)) {
            if (!rt_.caption(btnCard(i)).empty()) {
                allEmpty = false;
            }
        }
        if (allEmpty) {
            rt_.msgBox(Text(kWinPrompt));
            if (rt_.ended()) {
                return;
            }
            newGame();
        }
    }

    // Every slot, emptied ones too, is rated against the card just played.
    for (Int16 i = 0; i < kHandSize; i = add16(i, 1)) {
        const clsCard& card = cards_(textToInteger(rt_.tag(btnCard(i))));
        rt_.setEnabled(btnCard(i), sharesRankOrSuit(card, playedNumber, playedColor));
    }
    rt_.setEnabled(lblExist(playedId), false);
    rt_.setCaption(btnGround, setCap(cards_(playedId)));
    groundCard_ = playedId;
}

void frmVop::cmdPlay_Click(Int16 Index) {
    rt_.setFocus(btnFocus);
    if (Index == 0) {
        newGame();
    } else if (Index == 1) {
        rt_.end();
    }
}

void frmVop::btnGround_GotFocus() {
    rt_.setFocus(btnFocus);
}

void frmVop::click(ControlId id) {
    if (id.name == &ctl::btnCard) {
        btnCard_Click(id.index);
    } else if (id.name == &ctl::cmdPlay) {
        cmdPlay_Click(id.index);
    }
}

void frmVop::gotFocus(ControlId id) {
    if (id == btnGround) {
        btnGround_GotFocus();
    }
}

}  // namespace vop
