// The Linux program with the deals a test chooses instead of the clock's: each argument
// draws one card ("H7", "SA", "DT"), and "winnable" stands for the draws of the game that
// can be won. For tests that play the real program from outside, as a player does.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/qt_game.h"
#include "support/deals.h"
#include "support/random_sources.h"
#include "qt/qt_program.h"

int main(int argc, char** argv) {
    vop::ScriptedRandom random;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "winnable") {
            for (const int n : vop::test::winnableDraws()) {
                random.push(vop::test::valueFor(n));
            }
            continue;
        }
        const int rank = word.size() == 2
                             ? static_cast<int>(std::string_view("A23456789TJQK").find(word[1])) + 1
                             : 0;
        const int n = vop::test::card(word.empty() ? '?' : word[0], rank);
        if (rank < 1 || n < 1 || n > vop::kDeckSize) {
            std::fprintf(stderr, "scripted_vop: not a card: %s\n", argv[i]);
            return 2;
        }
        random.push(vop::test::valueFor(n));
    }
    const auto app = vop::openApplication(argv[0], VOP_APP_ID);
    return vop::runVop(random);
}
