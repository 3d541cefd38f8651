// The table of the 52 cards.
#include "cards/card_table.h"

#include <string>
#include <utility>

#include "base/text.h"

namespace vop {

namespace {
std::size_t at(Int32 n) {
    if (n < 1 || n > kDeckSize) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange, "cards(" + digits(n) + ")");
    }
    return static_cast<std::size_t>(n - 1);
}
}  // namespace

clsCard& CardTable::create(Int32 n) {
    std::unique_ptr<clsCard>& card = cards_[at(n)];
    if (card) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange,
                          "cards(" + digits(n) + ") created twice");
    }
    card = std::make_unique<clsCard>();
    return *card;
}

const clsCard& CardTable::operator()(Int32 n) const {
    const std::unique_ptr<clsCard>& card = cards_[at(n)];
    if (!card) {
        raiseRuntimeError(RuntimeError::ObjectNotSet, "cards(" + digits(n) + ")");
    }
    return *card;
}

clsCard& CardTable::operator()(Int32 n) {
    return const_cast<clsCard&>(std::as_const(*this)(n));
}

bool CardTable::created(Int32 n) const {
    return n >= 1 && n <= kDeckSize && cards_[at(n)];
}

}  // namespace vop
