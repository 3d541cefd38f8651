// How a rigged walk plays: cards that leave no stranger in the hand, and once the deck
// is empty the shortest way to win, by mouse or by Tab and Space or Enter.
#include <windows.h>

#include <array>
#include <bitset>
#include <deque>
#include <optional>
#include <vector>

#include "monkey_walker.h"
#include "window/win32/control_ids.h"

namespace vop::test::monkey {

Action Walk::planRigged() {
    if (aimSlot_ >= 0) {
        return continueAim();
    }
    if (!chance(920)) {
        return chance(40) ? click(pointIn(ctl(kNew)), "\"N\"") : planNoise(false);
    }
    int next = -1;
    if (game_.remainCount() > 0) {
        // Cards of the suit with the fewest cards left in the deck go first: once the
        // deck has none of a suit, its cards left in the hand are strangers that the
        // last cards may never reach.
        std::vector<int> playable;
        int fewest = kDeckSize;
        for (std::uint32_t i = 0; i < 5; ++i) {
            if (!runtime_.enabled(slot(i))) {
                continue;
            }
            const Int16 n = static_cast<Int16>(textToInteger(runtime_.tag(slot(i))));
            int left = 0;
            for (Int16 m = 1; m <= kDeckSize; ++m) {
                left += game_.cards()(m).Status == 0 && (m - 1) / kRanks == (n - 1) / kRanks;
            }
            if (left < fewest) {
                playable.clear();
                fewest = left;
            }
            if (left == fewest) {
                playable.push_back(static_cast<int>(i));
            }
        }
        if (!playable.empty()) {
            next = playable[below(static_cast<std::uint32_t>(playable.size()))];
        }
    } else {
        next = winningPlay();
    }
    if (next < 0) {
        return click(pointIn(ctl(kNew)), "\"N\", the game lost");
    }
    if (chance(850)) {
        return click(pointIn(ctl(slot(static_cast<std::uint32_t>(next)))), "a playable slot");
    }
    aimSlot_ = next;  // by keyboard: Tab to it, then Space or Enter
    aimPresses_ = 0;
    return continueAim();
}

int Walk::winningPlay() const {
    // The deck is empty: a filled slot played empties it, an emptied slot replayed
    // turns the ground to the card it held. The shortest way to an empty hand, if
    // there is one, is found by trying every order of plays breadth first.
    std::array<Int16, 5> tag{};
    unsigned filled = 0;
    for (std::uint32_t i = 0; i < 5; ++i) {
        tag[i] = static_cast<Int16>(textToInteger(runtime_.tag(slot(i))));
        filled |= runtime_.caption(slot(i)).empty() ? 0U : 1U << i;
    }
    struct Step {
        Int16 ground;
        unsigned left;
        int first;  // the play that began the way here
    };
    std::bitset<53 * 32> seen;
    std::deque<Step> open;
    for (int i = 0; i < 5; ++i) {
        if (runtime_.enabled(slot(static_cast<std::uint32_t>(i)))) {
            open.push_back({tag[i], filled & ~(1U << i), i});
        }
    }
    while (!open.empty()) {
        const Step at = open.front();
        open.pop_front();
        if (at.left == 0) {
            return at.first;
        }
        const std::size_t state = static_cast<std::size_t>(at.ground) * 32 + at.left;
        if (seen[state]) {
            continue;
        }
        seen[state] = true;
        for (int i = 0; i < 5; ++i) {
            if (follows(tag[i], at.ground)) {
                open.push_back({tag[i], at.left & ~(1U << i), at.first});
            }
        }
    }
    return -1;
}

Action Walk::continueAim() {
    const HWND target = ctl(slot(static_cast<std::uint32_t>(aimSlot_)));
    if (GetFocus() == target) {
        aimSlot_ = -1;
        return key(chance(500) ? VK_SPACE : VK_RETURN);
    }
    if (++aimPresses_ > kMostAimPresses || !IsWindowEnabled(target)) {
        aimSlot_ = -1;
        return planNoise(false);
    }
    // Back with Shift+Tab from a slot to the right of it; from the parked focus only
    // forward, since Shift+Tab there lands on the ground, which hands the focus back.
    const std::optional<ControlId> at =
        win32::controlFor(runtime_.places(), GetDlgCtrlID(GetFocus()));
    return key(VK_TAB, at && at->name == &ctl::btnCard && at->index > aimSlot_);
}

}  // namespace vop::test::monkey
