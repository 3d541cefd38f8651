// The game's invariants, checked against the window after every event.
#include "support/invariant_checker.h"

#include <cstdio>
#include <cstdlib>

#include "cards/card_name.h"

namespace vop {

namespace {

InvariantFailureAction failureAction = nullptr;

constexpr Int16 kDealt = kDeckSize - kHandSize;  // cards left in the deck after a deal

std::string num(long long n) {
    return std::to_string(n);
}
std::string slotName(int i) {
    return "btnCard(" + num(i) + ")";
}
std::string labelName(int n) {
    return "lblExist(" + num(n) + ")";
}
std::string quoted(const Text& text) {
    std::string out(1, '"');
    out += toUtf8(text);
    out += '"';
    return out;
}

// A Tag holds a card number exactly as the game writes it: "1".."52", nothing else.
Int16 cardNumberIn(const Text& tag) {
    if (tag.empty() || tag.size() > 2 || tag[0] == u'0') {
        return 0;
    }
    int n = 0;
    for (char16_t c : tag) {
        if (c < u'0' || c > u'9') {
            return 0;
        }
        n = n * 10 + (c - u'0');
    }
    return n <= kDeckSize ? static_cast<Int16>(n) : 0;
}

std::array<Text, 53> cardNames() {
    std::array<Text, 53> all;
    for (Int16 n = 1; n <= kDeckSize; ++n) {
        clsCard card;
        card.color = suitOf(n);
        card.Number = rankOf(n);
        all[n] = setCap(card);
    }
    return all;
}

}  // namespace

// A card's rank and suit follow from its number alone; the checker does not trust the table.
bool follows(Int16 card, Int16 ground) {
    return rankOf(card) == rankOf(ground) || suitOf(card) == suitOf(ground);
}

void invariantBroken(const std::string& what) {
    std::fprintf(stderr, "Vop: invariant broken: %s\n", what.c_str());
    std::fflush(stderr);
    if (failureAction != nullptr) {
        failureAction();
    }
    std::_Exit(1);
}

void setInvariantFailureAction(InvariantFailureAction action) {
    failureAction = action;
}

int InvariantChecker::Snapshot::filledCount() const {
    int count = 0;
    for (bool f : filled) {
        count += f ? 1 : 0;
    }
    return count;
}

bool InvariantChecker::Snapshot::inFilledSlot(Int16 n) const {
    for (int i = 0; i < kHandSize; ++i) {
        if (filled[i] && tag[i] == n) {
            return true;
        }
    }
    return false;
}

InvariantChecker::InvariantChecker(const frmVop& game, const FormRuntime& runtime)
    : game_(game), runtime_(runtime), names_(cardNames()) {}

InvariantChecker::Snapshot InvariantChecker::read() const {
    Snapshot s;
    s.playedCount = game_.playedCount();
    s.remainCount = game_.remainCount();
    for (Int16 i = 0; i < kHandSize; ++i) {
        const ControlId id{ctl::btnCard, i};
        s.tag[i] = cardNumberIn(runtime_.tag(id));
        if (s.tag[i] == 0) {
            invariantBroken(slotName(i) + ".Tag is " + quoted(runtime_.tag(id)) +
                            ", not a card number 1..52");
        }
        s.filled[i] = !runtime_.caption(id).empty();
        s.enabled[i] = runtime_.enabled(id);
    }
    const Text& ground = runtime_.caption({ctl::btnGround});
    for (Int16 n = 1; n <= kDeckSize && !ground.empty(); ++n) {
        if (names_[n] == ground) {
            s.ground = n;
        }
    }
    if (!ground.empty() && s.ground == 0) {
        invariantBroken("btnGround shows " + quoted(ground) + ", which names no card");
    }
    for (Int16 n = 1; n <= kDeckSize; ++n) {
        const clsCard& card = game_.cards()(n);
        if (card.ID != n || card.color != suitOf(n) || card.Number != rankOf(n)) {
            invariantBroken("cards(" + num(n) + ") is no longer card " + num(n) + " (ID " +
                            num(card.ID) + ", color " + num(card.color) + ", Number " +
                            num(card.Number) + ")");
        }
        if (card.Status != 0 && card.Status != 1) {
            invariantBroken("cards(" + num(n) + ").Status is " + num(card.Status));
        }
        s.inDeck[n] = card.Status == 0;
        const ControlState& label = runtime_.get({ctl::lblExist, n});
        if (label.foreColor != kRed && label.foreColor != kBlue) {
            invariantBroken(labelName(n) + " is neither blue nor red");
        }
        s.red[n] = label.foreColor == kRed;
        s.labelEnabled[n] = label.enabled;
    }
    return s;
}

void InvariantChecker::checkCounts(const Snapshot& s) const {
    // The game only counts up from 0, in checked steps: a count below 0 takes a stray
    // write to the window's fields, which no test can make without one.
    if (s.playedCount < 0 || s.playedCount > kDeckSize) {
        invariantBroken("playedCount is " + num(s.playedCount) + ", outside 0..52");
    }
    if (runtime_.formCaption() != countCaption(s.playedCount)) {
        invariantBroken("the caption reads " + quoted(runtime_.formCaption()) +
                        " but playedCount is " + num(s.playedCount));
    }
    if (static_cast<std::size_t>(s.remainCount) != s.inDeck.count()) {
        invariantBroken("remainCount is " + num(s.remainCount) + " but " +
                        num(static_cast<long long>(s.inDeck.count())) + " cards have Status 0");
    }
    // Each of the first 47 plays of a game draws one card; later plays draw none.
    const int expected = s.playedCount < kDealt ? kDealt - s.playedCount : 0;
    if (s.remainCount != expected) {
        invariantBroken("remainCount is " + num(s.remainCount) + " after " + num(s.playedCount) +
                        " plays");
    }
}

void InvariantChecker::checkHand(const Snapshot& s) const {
    for (int i = 0; i < kHandSize; ++i) {
        const Int16 n = s.tag[i];
        const Text& caption = runtime_.caption({ctl::btnCard, static_cast<Int16>(i)});
        if (!s.filled[i]) {
            if (s.remainCount != 0) {
                invariantBroken(slotName(i) + " is empty while " + num(s.remainCount) +
                                " cards are left in the deck");
            }
            // The deck is empty here (checkCounts holds remainCount to the cards with
            // Status 0), so only a filled slot can still hold the card.
            if (s.inFilledSlot(n)) {
                invariantBroken("empty " + slotName(i) + " keeps card " + num(n) +
                                " in its Tag, which has not been played");
            }
            continue;
        }
        if (caption != names_[n]) {
            invariantBroken(slotName(i) + " shows " + quoted(caption) + " but its Tag is card " +
                            num(n) + " (" + toUtf8(names_[n]) + ")");
        }
        if (s.inDeck[n]) {
            invariantBroken("card " + num(n) + " is both in the deck (Status 0) and in " +
                            slotName(i));
        }
        for (int j = 0; j < i; ++j) {
            if (s.filled[j] && s.tag[j] == n) {
                invariantBroken("card " + num(n) + " is in both " + slotName(j) + " and " +
                                slotName(i));
            }
        }
    }
    // Every card that left the deck is in the hand or has been played, once.
    int played = 0;
    for (Int16 n = 1; n <= kDeckSize; ++n) {
        played += !s.inDeck[n] && !s.inFilledSlot(n) ? 1 : 0;
    }
    if (played != s.playedCount) {
        invariantBroken(num(played) + " cards have been played but playedCount is " +
                        num(s.playedCount));
    }
}

void InvariantChecker::checkGrid(const Snapshot& s) const {
    for (Int16 n = 1; n <= kDeckSize; ++n) {
        if (s.red[n] == s.inDeck[n]) {
            invariantBroken(labelName(n) + (s.red[n] ? " is red but card " : " is blue but card ") +
                            num(n) + (s.inDeck[n] ? " is in the deck" : " has left the deck"));
        }
    }
}

void InvariantChecker::checkFreshDeal(const Snapshot& s) const {
    if (s.playedCount != 0) {
        invariantBroken("the ground is empty after " + num(s.playedCount) + " plays");
    }
    for (int i = 0; i < kHandSize; ++i) {
        if (!s.enabled[i]) {
            invariantBroken(slotName(i) + " is disabled on a fresh deal");
        }
    }
    for (Int16 n = 1; n <= kDeckSize; ++n) {
        if (!s.labelEnabled[n]) {
            invariantBroken(labelName(n) + " is disabled on a fresh deal");
        }
    }
}

void InvariantChecker::checkGround(const Snapshot& s) const {
    if (s.ground == 0) {
        checkFreshDeal(s);
        return;
    }
    const bool played = !s.inDeck[s.ground] && !s.inFilledSlot(s.ground);
    if (s.playedCount > 0 && !played) {
        invariantBroken("the ground shows " + toUtf8(names_[s.ground]) +
                        ", which has not been played");
    }
    if (s.playedCount == 0 && s.ground != winner_) {
        invariantBroken("the ground shows " + toUtf8(names_[s.ground]) +
                        " before the first play of a game");
    }
    for (int i = 0; i < kHandSize; ++i) {
        const bool playable = follows(s.tag[i], s.ground);
        if (s.enabled[i] != playable) {
            invariantBroken(slotName(i) + (s.enabled[i] ? " is enabled" : " is disabled") +
                            " though " + toUtf8(names_[s.tag[i]]) +
                            (playable ? " follows " : " does not follow ") +
                            toUtf8(names_[s.ground]));
        }
    }
}

void InvariantChecker::checkDisabledLabels(const Snapshot& s) const {
    for (Int16 n = 1; n <= kDeckSize; ++n) {
        const bool played = !s.inDeck[n] && !s.inFilledSlot(n);
        if (!s.labelEnabled[n] && !played && n != winner_) {
            invariantBroken(labelName(n) + " is disabled but card " + num(n) +
                            " is neither played nor the card that won last");
        }
        if (s.labelEnabled[n] && played) {
            invariantBroken("card " + num(n) + " has been played but " + labelName(n) +
                            " is still enabled");
        }
    }
}

void InvariantChecker::checkFocusParked() const {
    if (runtime_.focus() != ControlId{ctl::btnFocus}) {
        invariantBroken("the focus is not parked on btnFocus after a click");
    }
}

const InvariantChecker::Snapshot& InvariantChecker::previous(const char* event) const {
    if (!last_) {
        invariantBroken(std::string(event) + " before the game started");
    }
    return *last_;
}

void InvariantChecker::accept(const Snapshot& now) {
    checkGround(now);
    checkDisabledLabels(now);
    last_ = now;
}

void InvariantChecker::checkPlay(const Snapshot& before, const Snapshot& now, Int16 slot) {
    const std::string from = slotName(slot);
    if (!before.enabled[slot]) {
        invariantBroken(from + " took a click while disabled");
    }
    if (now.ground != before.tag[slot]) {
        invariantBroken("the ground shows " + toUtf8(names_[now.ground]) + " after a play from " +
                        from + ", which held " + toUtf8(names_[before.tag[slot]]));
    }
    if (before.filled[slot] && before.remainCount == 0 && before.filledCount() == 1) {
        // The last card of the game: the win deals anew at once.
        if (now.playedCount != 0) {
            invariantBroken("the last card was played but no new game was dealt");
        }
        ++wins_;
        ++deals_;
        winner_ = now.ground;
        return;
    }
    const int step = before.filled[slot] ? 1 : 0;  // an empty slot replays without counting
    if (now.playedCount != before.playedCount + step) {
        invariantBroken("a play from " + from + " took playedCount from " +
                        num(before.playedCount) + " to " + num(now.playedCount));
    }
    const bool refilled = step == 1 && before.remainCount > 0;
    for (int i = 0; i < kHandSize; ++i) {
        const bool same = now.tag[i] == before.tag[i] && now.filled[i] == before.filled[i];
        if (i != slot && !same) {
            invariantBroken(slotName(i) + " changed on a play from " + from);
        }
    }
    // Whether the slot is filled afterwards is settled by now: checkHand holds the played
    // cards to playedCount, which was just held to its step. So a slot left empty with
    // cards in the deck, left filled with none, or filled again by a replay has failed
    // already; what is left is its Tag: a new card from the deck, or else the card it
    // held (an emptied slot, and a replayed empty one, keep the card played from them).
    if (refilled && now.tag[slot] == before.tag[slot]) {
        invariantBroken(from + " was not refilled from the deck");
    }
    if (!refilled && now.tag[slot] != before.tag[slot]) {
        invariantBroken(from + " changed its Tag though no card was drawn");
    }
    std::bitset<53> deck = before.inDeck;
    if (refilled) {
        deck[now.tag[slot]] = false;
    }
    if (now.inDeck != deck) {
        invariantBroken("the deck changed beyond the card drawn into " + from);
    }
    if (before.remainCount > 0 && now.remainCount == 0) {
        ++exhaustions_;
    }
}

void InvariantChecker::checkUnchanged(const Snapshot& before, const Snapshot& now) const {
    if (now == before) {
        return;
    }
    // Whatever else differs, the counts do: playedCount or remainCount.
    std::string what = "the counts";
    if (now.tag != before.tag || now.filled != before.filled || now.enabled != before.enabled) {
        what = "the hand";
    } else if (now.ground != before.ground) {
        what = "the ground";
    } else if (now.inDeck != before.inDeck) {
        what = "the deck";
    } else if (now.red != before.red || now.labelEnabled != before.labelEnabled) {
        what = "the grid";
    }
    invariantBroken("an event the game ignores changed " + what);
}

void InvariantChecker::afterStart() {
    if (last_) {
        invariantBroken("the game started twice");
    }
    const Snapshot now = read();
    checkCounts(now);
    checkHand(now);
    checkGrid(now);
    if (now.ground != 0) {
        invariantBroken("the game starts with a card on the ground");
    }
    checkFocusParked();
    winner_ = 0;
    ++deals_;
    accept(now);
}

void InvariantChecker::afterNewGame() {
    previous("a new game");
    const Snapshot now = read();
    checkCounts(now);
    checkHand(now);
    checkGrid(now);
    if (now.ground != 0) {
        invariantBroken("\"N\" left a card on the ground");
    }
    checkFocusParked();
    winner_ = 0;
    ++deals_;
    accept(now);
}

void InvariantChecker::afterPlay(Int16 slot) {
    const Snapshot before = previous("a play");
    if (slot < 0 || slot >= kHandSize) {
        invariantBroken("a play from " + slotName(slot) + ", which does not exist");
    }
    const Snapshot now = read();
    checkCounts(now);
    checkHand(now);
    checkGrid(now);
    checkPlay(before, now, slot);
    checkFocusParked();
    accept(now);
}

void InvariantChecker::afterIgnored() {
    const Snapshot before = previous("an event");
    const Snapshot now = read();
    checkUnchanged(before, now);
    accept(now);
}

void InvariantChecker::afterSeveral(long long wins) {
    previous("a burst of input");
    const Snapshot now = read();
    checkCounts(now);
    checkHand(now);
    checkGrid(now);
    if (now.ground == 0) {
        winner_ = 0;  // the last of them dealt anew
    } else if (wins > 0) {
        // The card that won is the one greyed in the grid that has not been played since.
        winner_ = 0;
        for (Int16 n = 1; n <= kDeckSize; ++n) {
            if (!now.labelEnabled[n] && (now.inDeck[n] || now.inFilledSlot(n))) {
                if (winner_ != 0) {
                    invariantBroken("two cards greyed in the grid have not been played");
                }
                winner_ = n;
            }
        }
    }
    wins_ += wins;
    deals_ += wins;
    accept(now);
}

void InvariantChecker::check() {
    if (runtime_.inMessageBox()) {
        whileWinShown();
        return;
    }
    if (!last_) {
        afterStart();
        return;
    }
    const Snapshot before = *last_;
    const Snapshot now = read();
    checkCounts(now);
    checkHand(now);
    checkGrid(now);
    if (now == before) {
        return;
    }
    Int16 slot = -1;
    if (now.ground == 0) {
        winner_ = 0;
        ++deals_;
    } else {
        for (Int16 i = 0; i < kHandSize; ++i) {
            if (before.enabled[i] && before.tag[i] == now.ground) {
                slot = i;
            }
        }
        if (slot >= 0) {
            checkPlay(before, now, slot);
        }
    }
    accept(now);
    // The state is one the rules reach, yet no play leads to it from the last one.
    if (now.ground != 0 && slot < 0) {
        invariantBroken("the ground shows " + toUtf8(names_[now.ground]) +
                        ", but no slot that could be played held it");
    }
}

void InvariantChecker::whileWinShown() {
    const Snapshot now = read();
    checkCounts(now);
    checkHand(now);
    checkGrid(now);
    if (now.playedCount != kDeckSize) {
        invariantBroken("\"Win\" is shown after " + num(now.playedCount) + " plays");
    }
}

}  // namespace vop
