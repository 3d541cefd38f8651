// The conformance scenarios (scenarios.txt), each a test case, played on this test
// program's backend.
#include <gtest/gtest.h>

#include <string>

#include "support/random_sources.h"
#include "support/scenario.h"

namespace vop::test {
namespace {

class Conformance : public ::testing::TestWithParam<std::size_t> {};

TEST_P(Conformance, Plays) {
    const Scenario& scenario = conformanceScenarios()[GetParam()];
    ScriptedRandom random;
    const std::unique_ptr<Driver> driver = makeDriver(random);
    for (const std::string& failure : play(scenario, *driver)) {
        ADD_FAILURE() << failure;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenario, Conformance,
                         ::testing::Range<std::size_t>(0, conformanceScenarios().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             return conformanceScenarios()[info.param].name;
                         });

}  // namespace
}  // namespace vop::test
