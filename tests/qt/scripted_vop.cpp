// The Linux program with the deals a test chooses instead of the clock's: each argument
// draws one card ("H7", "SA", "DT"), "winnable" the draws of the game that can be won.
#include <string_view>

#include "app/qt_game.h"
#include "qt/qt_program.h"
#include "support/deals.h"
#include "support/random_sources.h"

int main(int argc, char** argv) {
    vop::ScriptedRandom random;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "winnable") {
            for (const int n : vop::test::winnableDraws()) {
                random.push(vop::test::valueFor(n));
            }
        } else {
            const auto rank = std::string_view("A23456789TJQK").find(word.substr(1));
            random.push(vop::test::valueFor(vop::test::card(word[0], static_cast<int>(rank) + 1)));
        }
    }
    const auto app = vop::openApplication(argv[0], VOP_APP_ID);
    return vop::runVop(random);
}
