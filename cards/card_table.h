// The window's table of the 52 cards, addressed by card number.
#pragma once

#include <array>
#include <memory>

#include "cards/cls_card.h"

namespace vop {

// The window's table of the 52 cards, addressed by card number 1..52.
// The cards are created once at start-up and live for the whole run.
class CardTable {
  public:
    // Creates card n (with all fields 0) in the table; creating it twice is a fault.
    clsCard& create(Int32 n);
    clsCard& operator()(Int32 n);
    const clsCard& operator()(Int32 n) const;
    bool created(Int32 n) const;

  private:
    std::array<std::unique_ptr<clsCard>, kDeckSize> cards_;
};

}  // namespace vop
