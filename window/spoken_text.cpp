// Spoken names of the cards and controls.
#include "window/spoken_text.h"

#include <array>

namespace vop {

namespace {

constexpr std::array<const char16_t*, 4> kSuitWords = {u"spades", u"hearts", u"diamonds", u"clubs"};
constexpr std::array<const char16_t*, 4> kSuitLetters = {u"S", u"H", u"D", u"C"};
constexpr std::array<const char16_t*, 13> kRankWords = {
    u"Ace",   u"Two",  u"Three", u"Four", u"Five",  u"Six", u"Seven",
    u"Eight", u"Nine", u"Ten",   u"Jack", u"Queen", u"King"};
constexpr std::array<char16_t, 13> kRankLetters = {u'A', u'2', u'3', u'4', u'5', u'6', u'7',
                                                   u'8', u'9', u'T', u'J', u'Q', u'K'};

// The grid shows a card's state by colour and greying; this says it in words.
Text gridState(const ControlState& label) {
    if (label.hasForeColor && label.foreColor == kRed) {
        return label.enabled ? u"in the hand" : u"played";
    }
    return u"in the deck";
}

Text slotWords(const FormRuntime& runtime, ControlId id) {
    const Int32 n = cardNumberOfName(runtime.caption(id));
    if (n == 0) {
        return u"Empty";
    }
    return cardWords(n);
}

}  // namespace

Text cardWords(Int32 cardNumber) {
    if (cardNumber < 1 || cardNumber > 52) {
        return u"Unknown card";
    }
    const auto suit = static_cast<std::size_t>((cardNumber - 1) / 13);
    const auto rank = static_cast<std::size_t>((cardNumber - 1) % 13);
    return Text(kRankWords[rank]) + u" of " + kSuitWords[suit];
}

Int32 cardNumberOfName(TextView name) {
    if (name.size() < 2 || name.size() > 3) {
        return 0;
    }
    for (std::size_t s = 0; s < kSuitLetters.size(); ++s) {
        if (name[0] != kSuitLetters[s][0]) {
            continue;
        }
        // Pips carry a space before the digit; letters stand right after the suit.
        const bool pip = name.size() == 3;
        if (pip && name[1] != u' ') {
            return 0;
        }
        const char16_t rank = name.back();
        for (std::size_t r = 0; r < kRankLetters.size(); ++r) {
            const bool isPip = r >= 1 && r <= 8;
            if (kRankLetters[r] == rank && isPip == pip) {
                return static_cast<Int32>(s * 13 + r + 1);
            }
        }
    }
    return 0;
}

Text spokenName(const FormRuntime& runtime, ControlId id) {
    switch (id.name) {
        case Ctl::btnCard:
            return slotWords(runtime, id);
        case Ctl::btnGround:
            return u"Ground: " + slotWords(runtime, id);
        case Ctl::cmdPlay:
            return id.index == 0 ? u"New game" : u"End";
        case Ctl::lblColor:
            if (id.index < 0 || id.index >= 4) {
                return Text();
            }
            return kSuitWords[static_cast<std::size_t>(id.index)];
        case Ctl::lblExist:
            if (id.index < 1) {
                return Text();
            }
            return cardWords(id.index) + u", " + gridState(runtime.get(id));
        case Ctl::btnFocus:
            // Holds the focus between plays: named for the table, not its hidden caption.
            return u"Table";
    }
    return Text();
}

Text spokenDescription(const FormRuntime& runtime, ControlId id) {
    if (id.name != Ctl::btnCard) {
        return Text();
    }
    return runtime.enabled(id) ? u"Can be played" : u"Cannot be played";
}

}  // namespace vop
