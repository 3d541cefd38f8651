// A game on the in-memory runtime with a scripted random sequence, for the core's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/card_name.h"
#include "form/memory_runtime.h"
#include "game/frm_vop.h"
#include "support/deals.h"
#include "support/random_sources.h"

namespace vop::test {

inline ControlId slot(int i) {
    return {ctl::btnCard, static_cast<std::int16_t>(i)};
}
inline ControlId grid(int n) {
    return {ctl::lblExist, static_cast<std::int16_t>(n)};
}

inline std::string utf8(const Text& text) {
    return toUtf8(text);
}

class GameTest : public ::testing::Test {
  protected:
    // Starts the program with the first hand drawn from these card numbers
    // (drawn cards in the list are rejected and drawing goes on, as in play).
    void startWith(std::initializer_list<int> draws) {
        for (int n : draws) {
            random.push(valueFor(n));
        }
        runtime.start(game);
    }
    void willDraw(std::initializer_list<int> draws) { willDraw(std::vector<int>(draws)); }
    void willDraw(const std::vector<int>& draws) {
        for (int n : draws) {
            random.push(valueFor(n));
        }
    }
    std::string slotCaption(int i) const { return utf8(runtime.caption(slot(i))); }
    std::string ground() const { return utf8(runtime.caption({ctl::btnGround})); }
    std::string title() const { return utf8(runtime.formCaption()); }
    bool slotEnabled(int i) const { return runtime.enabled(slot(i)); }
    int slotTag(int i) const { return std::stoi(utf8(runtime.tag(slot(i)))); }

    ScriptedRandom random;
    MemoryRuntime runtime{vopWindow(), random};
    frmVop game{runtime};
};

}  // namespace vop::test
