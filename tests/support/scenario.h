// The conformance scenarios (tests/conformance/scenarios.txt): read from their text, and
// played on a backend's driver, which hands the game the draws they script.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/driver.h"

namespace vop::test {

struct Step {
    int line = 0;
    std::vector<std::string> words;  // the verb first; quoted words without their quotes
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

// Every scenario of the text; a line that cannot be read is a failure of the test run.
std::vector<Scenario> readScenarios(std::string_view text);

// The scenarios every backend plays (tests/conformance/scenarios.txt, built in).
const std::vector<Scenario>& conformanceScenarios();

// A key and a way of closing the box in the scenarios' words: "Shift+Tab", "F5"; "OK",
// "Alt+F4", "close-window".
std::string keyWord(Key key);
std::string closeWord(BoxClose way);

// Plays the scenario on the driver; returns a line for each expectation that did not
// hold, naming the scenario's line.
std::vector<std::string> play(const Scenario& scenario, Driver& driver);

}  // namespace vop::test
