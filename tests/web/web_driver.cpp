// The web window as a backend of the conformance scenarios. This program runs under Node
// (conformance.js starts it): the scenarios are read and played by the player every backend
// shares, and each call of this driver awaits the test page in headless Chromium through
// driver.js, which delivers real input and reads the page, its pixels and its
// accessibility tree back. The game itself runs in the page.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "action_words.h"
#include "support/random_sources.h"
#include "support/scenario.h"

// What follows is JavaScript, which clang-format would mangle.
// clang-format off
// Asks the page's driver (conformance.js, around driver.js): the answer as text.
EM_ASYNC_JS(char*, vop_page_ask, (const char* what, const char* argument), {
    const answer = await Module.vopPage.ask(UTF8ToString(what), UTF8ToString(argument));
    return allocateUTF8(answer === undefined ? "" : String(answer));
});

// The pixels the page shows of a control's own area: width, height, then 0xRRGGBB each.
EM_ASYNC_JS(std::uint32_t*, vop_page_pixels, (const char* name), {
    const picture = await Module.vopPage.pixels(UTF8ToString(name));
    const at = _malloc((picture.pixels.length + 2) * 4);
    HEAPU32[at >> 2] = picture.width;
    HEAPU32[(at >> 2) + 1] = picture.height;
    HEAPU32.set(picture.pixels, (at >> 2) + 2);
    return at;
});
// clang-format on

namespace vop::test {
namespace {

using reliability::Action;

std::string ask(const std::string& what, const std::string& argument = {}) {
    char* answer = vop_page_ask(what.c_str(), argument.c_str());
    std::string text = answer;
    std::free(answer);
    return text;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class WebDriver final : public Driver {
  public:
    explicit WebDriver(RandomSource& random) : Driver(random) { ask("open"); }

    void start() override { ask("start"); }
    void draw(int card) override { ask("draw", std::to_string(card)); }
    std::size_t drawsLeft() const override { return std::stoul(ask("drawsLeft")); }

    void click(ControlId id) override { act({Action::Kind::Click, id}); }
    void secondClick(ControlId id) override { act({Action::Kind::SecondClick, id}); }
    void dragOff(ControlId id) override { act({Action::Kind::DragOff, id}); }
    void clickWith(ControlId id, Button button) override {
        act({.kind = Action::Kind::ClickWith, .id = id, .button = button});
    }
    void clickOn(Spot spot) override { act({.kind = Action::Kind::ClickOn, .spot = spot}); }
    void press(Key key) override { act({.kind = Action::Kind::Press, .key = key}); }
    void hold(Key key, int repeats) override {
        act({.kind = Action::Kind::Hold, .key = key, .repeats = repeats});
    }
    void burst(const std::vector<Input>& inputs) override {
        act({.kind = Action::Kind::Burst, .inputs = inputs});
    }
    void closeWindow() override { ask("closeWindow"); }

    std::string title() const override { return ask("title"); }
    std::string caption(ControlId id) const override { return ask("caption", controlText(id)); }
    bool enabled(ControlId id) const override { return ask("enabled", controlText(id)) == "yes"; }
    std::string look(ControlId id) const override { return lookOf(picture(id)); }
    int captionLines(ControlId id) const override { return linesOf(picture(id)); }
    PixelRect place(ControlId id) const override {
        std::istringstream in(ask("place", controlText(id)));
        PixelRect r;
        in >> r.left >> r.top >> r.width >> r.height;
        return r;
    }
    std::optional<ControlId> focus() const override { return controlNamed(ask("focus")); }
    std::string spokenName(ControlId id) const override {
        return ask("spokenName", controlText(id));
    }
    std::string spokenWindowName() const override { return ask("spokenWindowName"); }
    std::string spokenDescription(ControlId id) const override {
        return ask("spokenDescription", controlText(id));
    }
    std::string language() const override { return ask("language"); }
    bool ended() const override { return ask("ended") == "yes"; }

    // Closes the page: what went wrong beside the scenario's expectations.
    std::vector<std::string> close() { return linesOf(ask("close")); }

  private:
    static Picture picture(ControlId id) {
        std::uint32_t* shown = vop_page_pixels(controlText(id).c_str());
        Picture picture{static_cast<int>(shown[0]), static_cast<int>(shown[1]), {}};
        picture.pixels.assign(shown + 2, shown + 2 +
                                             static_cast<std::size_t>(picture.width) *
                                                 static_cast<std::size_t>(picture.height));
        std::free(shown);
        return picture;
    }

    // The action, then the box it opened, if one did: shown to onBox and closed its way.
    void act(const Action& action) {
        ask("perform", actionWords(action));
        const std::vector<std::string> box = linesOf(ask("box"));
        if (box.size() == 3) {
            ask("closeBox", closeWord(boxOpened({box[0], box[1], std::stoi(box[2])})));
        }
    }
};

}  // namespace
}  // namespace vop::test

// Plays the scenarios named (all when none is), one page each; says how each went and
// returns how many failed.
extern "C" EMSCRIPTEN_KEEPALIVE int vop_web_conformance(const char* only) {
    using namespace vop::test;
    const std::string names = std::string(" ") + only + " ";
    int passed = 0;
    int failed = 0;
    for (const Scenario& scenario : conformanceScenarios()) {
        if (names != "  " && names.find(" " + scenario.name + " ") == std::string::npos) {
            continue;
        }
        vop::ScriptedRandom unused;  // the page holds the draws
        WebDriver driver(unused);
        std::vector<std::string> failures = play(scenario, driver);
        for (std::string& fault : driver.close()) {
            failures.push_back(std::move(fault));
        }
        if (failures.empty()) {
            ++passed;
            std::printf("ok   %s\n", scenario.name.c_str());
        } else {
            ++failed;
            std::printf("FAIL %s\n", scenario.name.c_str());
            for (const std::string& failure : failures) {
                std::printf("  %s\n", failure.c_str());
            }
        }
        std::fflush(stdout);
    }
    std::printf("conformance: %d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return passed > 0 ? failed : 1;
}
