// The test page: the game on the web window as the site runs it, but with its draws handed
// in by the browser tests (tests/web/*.js), and the monkey's walk inside it for them to
// perform with real input. Never part of the site.
#include <emscripten/emscripten.h>

#include <memory>
#include <string>

#include "action_words.h"
#include "support/deals.h"
#include "support/monkey.h"
#include "web/web_runtime.h"

extern "C" void vop_test_page_ready();  // tests/web/test_page.js

namespace vop::test {
namespace {

ScriptedRandom scripted;
std::unique_ptr<RandomSource> monkeySource;
std::unique_ptr<WebRuntime> runtime;
std::unique_ptr<frmVop> game;
std::unique_ptr<reliability::MonkeyWalk> walk;
std::string said;  // the last text handed to the page

void open(RandomSource& random) {
    runtime = std::make_unique<WebRuntime>(vopWindow(), random);
    game = std::make_unique<frmVop>(*runtime);
    runtime->start(*game);
}

// An action in the scenarios' words, for the browser tests to perform.
const char* told(const reliability::Action& a) {
    said = actionWords(a);
    return said.c_str();
}

}  // namespace
}  // namespace vop::test

using namespace vop;
using namespace vop::test;

extern "C" {

// The scenarios' draws: card n is drawn by the value (n - 1) / 52000.
EMSCRIPTEN_KEEPALIVE void vop_test_draw(int card) {
    scripted.push(valueFor(card));
}
EMSCRIPTEN_KEEPALIVE void vop_test_draw_winnable() {
    for (const int n : winnableDraws()) {
        scripted.push(valueFor(n));
    }
}
EMSCRIPTEN_KEEPALIVE int vop_test_draws_left() {
    return static_cast<int>(scripted.left());
}
EMSCRIPTEN_KEEPALIVE void vop_test_start() {
    open(scripted);
}

// A run-time error as the game meets one: a label cannot take the focus.
EMSCRIPTEN_KEEPALIVE void vop_test_fault() {
    runtime->setFocus({ctl::lblColor, 0});
}

// The monkey: a walk from a source and seed; the tests perform what next() says.
EMSCRIPTEN_KEEPALIVE void vop_test_monkey_start(int source, int seed) {
    const auto kind = static_cast<reliability::Source>(source);
    monkeySource = reliability::makeSource(kind, static_cast<std::uint64_t>(seed));
    // The walk watches the game, so the game comes first; the deal follows the walk's start.
    runtime = std::make_unique<WebRuntime>(vopWindow(), *monkeySource);
    game = std::make_unique<frmVop>(*runtime);
    walk = std::make_unique<reliability::MonkeyWalk>(
        kind, static_cast<std::uint64_t>(seed), *monkeySource, *game, *runtime,
        [] { return runtime->pageFocus(); }, [] { return runtime->pageShowsEnded(); });
    runtime->start(*game);
    walk->started();
}
EMSCRIPTEN_KEEPALIVE int vop_test_monkey_wants_more(int events) {
    return walk->wantsMore(events) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE const char* vop_test_monkey_next() {
    return told(walk->next());
}
EMSCRIPTEN_KEEPALIVE void vop_test_monkey_done() {
    walk->done();
}
EMSCRIPTEN_KEEPALIVE void vop_test_monkey_box_opened(const char* title, const char* text,
                                                     int buttons) {
    walk->boxOpened({title, text, buttons});
}
EMSCRIPTEN_KEEPALIVE const char* vop_test_monkey_next_in_box() {
    return told(walk->nextInBox());
}
EMSCRIPTEN_KEEPALIVE void vop_test_monkey_done_in_box() {
    walk->doneInBox();
}
EMSCRIPTEN_KEEPALIVE const char* vop_test_monkey_finish() {
    said = walk->finish().summary();
    return said.c_str();
}
}

int main() {
    vop_test_page_ready();
    return 0;
}
