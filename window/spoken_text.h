// What a screen reader says for each control: cards in words and the grid's states,
// so that nothing in the game is told by colour alone.
#pragma once

#include "window/form_runtime.h"

namespace vop {

// "Seven of hearts", "Ace of spades"; card numbers 1..52.
Text cardWords(Int32 cardNumber);

// The card a shown name stands for ("H 7" -> 20, "CK" -> 52), or 0 for anything else.
Int32 cardNumberOfName(TextView name);

// Accessible name: hand slots and the ground say their card or "Empty"; grid labels
// their card and state ("Ace of spades, in the deck" / "in the hand" / "played");
// row headers their suit; "N" and "E" what they do; the hidden focus button "Table".
Text spokenName(const FormRuntime& runtime, ControlId id);

// Accessible description: whether a hand slot can be played now.
Text spokenDescription(const FormRuntime& runtime, ControlId id);

}  // namespace vop
