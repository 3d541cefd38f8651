// The monkey's moves: where the mouse goes, which keys, how fast, on the window and on
// the "Win" box, and the last move of a walk that ends with "E".
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "monkey_walker.h"

namespace vop::test::monkey {

namespace {
constexpr int kAround = 32;  // pixels around the window that clicks may land on
}  // namespace

// --- Where the mouse goes.

POINT Walk::pointIn(const RECT& r) {
    // Not on "E" before the walk's end: the top row of the grid lies under the
    // buttons' lower edge, so "E" can cover a point meant for a label.
    const auto width = static_cast<std::uint32_t>(std::max<LONG>(1, r.right - r.left));
    const auto height = static_cast<std::uint32_t>(std::max<LONG>(1, r.bottom - r.top));
    for (int tries = 0; tries < 20; ++tries) {
        const POINT at{r.left + static_cast<LONG>(below(width)),
                       r.top + static_cast<LONG>(below(height))};
        if (endAllowed_ || !onEnd(at)) {
            return at;
        }
    }
    RECT ground{};
    GetWindowRect(ctl(kGround), &ground);
    return {ground.left, ground.top};
}

POINT Walk::pointIn(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return pointIn(r);
}

bool Walk::onEnd(POINT at) const {
    RECT r{};
    GetWindowRect(ctl(kEnd), &r);
    return PtInRect(&r, at) != FALSE;
}

POINT Walk::pointAround() {
    // In and around the window: its frame, the table, the grid, and a margin outside.
    RECT r{};
    GetWindowRect(main_, &r);
    InflateRect(&r, kAround, kAround);
    return pointIn(r);
}

HWND Walk::randomControl() {
    // "N" seldom: each new deal repaints the whole grid, and games should get going.
    const std::uint32_t pick = below(40);
    if (pick < 20) {
        return ctl(slot(pick % 5));
    }
    if (pick < 25) {
        return ctl(pick == 24 && source_ != Source::Rigged ? kNew : kGround);
    }
    if (pick < 35) {
        return ctl({ctl::lblExist, static_cast<Int16>(1 + below(kDeckSize))});
    }
    return ctl({ctl::lblColor, static_cast<Int16>(below(4))});
}

Action Walk::click(POINT at, const char* what) {
    Action a;
    a.from = at;
    a.to = at;
    a.what = what;
    return a;
}

Action Walk::key(UINT vk, bool shift, int held) {
    Action a;
    a.kind = Action::Kind::Key;
    a.key = vk;
    a.shift = shift;
    a.held = held;
    a.what = "key";
    return a;
}

// --- What the player does next.

void Walk::planBatch() {
    const bool rigged = source_ == Source::Rigged;
    if (aimSlot_ >= 0 || chance(rigged ? 960 : 850)) {
        perform(rigged ? planRigged() : planNoise(false));
        return;
    }
    // Fast hands: several actions queued before the window sees the first, now and
    // then the same one again and again. A key that moves the focus keeps Space and
    // Enter out of the rest of the batch: they might land on "E".
    const std::uint32_t count = 2 + below(4);
    const bool same = chance(300);
    bool focusMayHaveMoved = false;
    Action action = planNoise(focusMayHaveMoved);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i > 0 && !same) {
            action = planNoise(focusMayHaveMoved);
        }
        if (action.kind == Action::Kind::Key && !clicksFocused(action.key)) {
            focusMayHaveMoved = true;
        }
        perform(action);
    }
}

Action Walk::planNoise(bool focusMayHaveMoved) {
    const std::uint32_t pick = below(100);
    if (pick < 28) {
        return click(pointAround(), "in or around the window");
    }
    if (pick < 50) {
        return click(pointIn(randomControl()), "a control");
    }
    if (pick < 54) {
        Action a = click(pointIn(randomControl()), "a control, twice");
        a.kind = Action::Kind::DoubleClick;
        return a;
    }
    if (pick < 58) {
        Action a = click(pointIn(randomControl()), "a control, dragged off");
        a.kind = Action::Kind::Drag;
        a.to = pointAround();
        return a;
    }
    if (pick < 60) {
        // A new game in the middle of one, now and then; rigged walks deal anew by
        // their own rule.
        return source_ != Source::Rigged && chance(250) ? click(pointIn(ctl(kNew)), "\"N\"")
                                                        : key(VK_TAB);
    }
    const std::uint32_t k = below(100);
    if (k < 20) {
        return key(VK_TAB);
    }
    if (k < 32) {
        return key(VK_TAB, true);
    }
    if (k < 70) {
        // Space and Enter click the focused button; never "E" until the walk ends.
        const bool safe = endAllowed_ || (!focusMayHaveMoved && GetFocus() != ctl(kEnd));
        if (!safe) {
            return key(VK_ESCAPE);
        }
        const UINT vk = k < 50 ? VK_SPACE : VK_RETURN;
        return key(vk, false, k % 5 == 0 ? static_cast<int>(1 + below(4)) : 0);
    }
    if (k < 78) {
        return key(VK_ESCAPE);
    }
    const UINT arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
    return key(arrows[k % 4]);
}

void Walk::planBoxAction(HWND box) {
    const HWND ok = GetDlgItem(box, IDOK);
    const std::uint32_t pick = below(100);
    if (pick < 20) {
        // Closed by a key; now and then a second press follows at once and reaches
        // the game's window after the box has gone.
        const std::uint32_t which = below(3);
        const UINT vk = which == 0 ? VK_RETURN : which == 1 ? VK_ESCAPE : VK_SPACE;
        if (vk != VK_SPACE || GetFocus() == ok) {
            expectClose_ = which == 0 ? "Enter" : which == 1 ? "Escape" : "Space";
        }
        perform(key(vk));
        if (chance(250)) {
            perform(key(chance(500) ? VK_RETURN : VK_SPACE));
        }
        return;
    }
    if (pick < 35) {
        expectClose_ = "a click on its OK button";
        perform(click(pointIn(ok), "the box's OK button"));
        return;
    }
    if (pick < 48) {
        perform(click(pointIn(box), "the box"));
    } else if (pick < 62) {
        perform(click(pointAround(), "the window behind the box"));
    } else if (pick < 70) {
        Action a = click(pointIn(ok), "the box's OK button, dragged off");
        a.kind = Action::Kind::Drag;
        a.to = pointAround();
        perform(a);
    } else if (pick < 82) {
        perform(key(VK_TAB, chance(500)));
    } else {
        const UINT arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
        perform(key(arrows[below(4)]));
    }
}

void Walk::perform(const Action& a) {
    ++stats_.events;
    std::string line = std::to_string(stats_.events) + ": ";
    using Kind = Input::Kind;
    switch (a.kind) {
        case Action::Kind::Key: {
            line += "key " + std::to_string(a.key) + (a.shift ? " with Shift" : "") +
                    (a.held > 0 ? ", held" : "");
            Input in{Kind::KeyDown, {}, a.key, a.shift};
            device_.post(in);
            for (int i = 0; i < a.held; ++i) {
                in.kind = Kind::KeyHeld;
                device_.post(in);
            }
            in.kind = Kind::KeyUp;
            device_.post(in);
            break;
        }
        case Action::Kind::DoubleClick:
            device_.post({Kind::Press, a.from});
            device_.post({Kind::Release, a.from});
            device_.post({Kind::DoublePress, a.from});
            device_.post({Kind::Release, a.from});
            line += "double click";
            break;
        case Action::Kind::Click:
        case Action::Kind::Drag:
            device_.post({Kind::Press, a.from});
            device_.post({Kind::Release, a.to});
            line += a.kind == Action::Kind::Click ? "click" : "drag";
            break;
    }
    if (a.kind != Action::Kind::Key) {
        line +=
            " at " + std::to_string(a.from.x) + "," + std::to_string(a.from.y) + " on " + a.what;
    }
    remember(std::move(line));
}

void Walk::endWithE(Finale finale) {
    // The last move: "E" by the mouse, or Tab to it and Space or Enter.
    endAllowed_ = true;
    const HWND end = ctl(kEnd);
    if (finale != Finale::EByMouse) {
        for (int presses = 0; presses < kMostAimPresses && GetFocus() != end; ++presses) {
            perform(key(VK_TAB));
            pump();
        }
    }
    stats_.games = checker_.deals();
    stats_.exhaustions = checker_.exhaustions();
    stats_.wins = checker_.wins();
    std::printf("monkey walk before \"E\": %s\n", stats_.summary().c_str());
    std::fflush(stdout);
    if (finale == Finale::EByMouse) {
        // "N" covers the top row of "E": aim where "E" itself takes the click.
        POINT at = pointIn(end);
        for (int tries = 0; tries < 50 && WindowFromPoint(at) != end; ++tries) {
            at = pointIn(end);
        }
        perform(click(at, "\"E\""));
    } else {
        perform(key(finale == Finale::EBySpace ? VK_SPACE : VK_RETURN));
    }
    pump();
    broken("\"E\" did not end the program");
}

}  // namespace vop::test::monkey
