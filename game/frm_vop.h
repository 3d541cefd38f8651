// The game's window module: start-up, dealing, playing a card and the commands.
#pragma once

#include "cards/card_table.h"
#include "form/form_runtime.h"
#include "game/vop_window.h"

namespace vop {

// The hand: one card in each slot btnCard(0) to btnCard(4).
constexpr Int16 kHandSize = ctl::btnCard.elements;

// The window's caption for a count of played cards: "Vop:現在" count "枚".
Text countCaption(Int16 count);

// What the box says once the hand and the deck are empty.
inline constexpr std::u16string_view kWinPrompt = u"Win";

// The rule of play: a card may follow the ground card if it shares its rank or its suit.
bool sharesRankOrSuit(const clsCard& card, Int16 number, Int16 color);

class frmVop final : public FormModule {
  public:
    explicit frmVop(FormRuntime& runtime) : rt_(runtime) {}

    // Events, as the runtime raises them.
    void Form_Load() override;
    void btnCard_Click(Int16 Index);
    void cmdPlay_Click(Int16 Index);
    void btnGround_GotFocus();

    // A card number 1..52 from the next random value; may name a drawn card.
    Int16 drawCard();

    // The window's fields, read by tests and the invariant checker.
    const CardTable& cards() const { return cards_; }
    Int16 remainCount() const { return remainCount_; }
    Int16 playedCount() const { return playedCount_; }

    // What a screen reader says of each control, from the game's own state: the cards
    // the slots hold, each card in the deck, in the hand or played, and where the focus
    // rests between plays, the table as it stands, said as a status (frm_vop_spoken.cpp).
    Text spokenName(ControlId id) const override;
    SpokenRole spokenRole(ControlId id) const override;
    Text spokenFormName() const override;

  private:
    void click(ControlId id) override;
    void gotFocus(ControlId id) override;

    // The card hand slot i holds: 0 for an emptied slot (whose Tag still names the
    // card played from it).
    Int16 cardHeldBy(Int16 i) const;
    // The card's words, and the table's: the ground, the count, what can be played.
    Text cardWords(Int16 n) const;
    Text tableWords() const;

    void newGame();
    // Draws until a card still in the deck comes up.
    Int16 drawFromDeck();
    // The card leaves the deck: drawn, shown red in the grid, one fewer left.
    void markDrawn(Int16 n);

    static ControlId btnCard(Int16 i) { return {ctl::btnCard, i}; }
    static ControlId lblExist(Int16 n) { return {ctl::lblExist, n}; }
    static constexpr ControlId btnFocus{ctl::btnFocus};
    static constexpr ControlId btnGround{ctl::btnGround};

    FormRuntime& rt_;
    CardTable cards_;
    Int16 remainCount_ = 0;
    Int16 playedCount_ = 0;
    // The card btnGround shows (0: none), so that a screen reader is told the card and
    // not its short name read back.
    Int16 groundCard_ = 0;
};

}  // namespace vop
