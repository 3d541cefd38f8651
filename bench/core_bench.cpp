// The cost of the game itself: a whole won game and a single play, on the in-memory runtime.
#include <benchmark/benchmark.h>

#include <vector>

#include "form/memory_runtime.h"
#include "game/frm_vop.h"
#include "support/deals.h"

namespace vop {
namespace {

// Hands out a fixed list of values round and round, so every iteration deals alike.
class CyclicRandom final : public RandomSource {
  public:
    explicit CyclicRandom(std::vector<float> values) : values_(std::move(values)) {}
    void randomize() override {}
    float rnd() override {
        const float v = values_[next_];
        next_ = next_ + 1 == values_.size() ? 0 : next_ + 1;
        return v;
    }

  private:
    std::vector<float> values_;
    std::size_t next_ = 0;
};

using test::valueFor;

// One won game's draws: the winnable deal with its 47 refills, and the deal after the win.
std::vector<float> winningGame() {
    const std::vector<int> draws = test::winnableDraws();
    std::vector<float> v;
    for (int n : draws)
        v.push_back(valueFor(n));
    for (std::size_t i = 0; i < kHandSize; ++i)
        v.push_back(valueFor(draws[i]));
    return v;
}

void BM_FullGame(benchmark::State& state) {
    CyclicRandom random(winningGame());
    MemoryRuntime runtime(vopWindow(), random);
    frmVop game(runtime);
    runtime.start(game);
    int wins = 0;
    runtime.onMessageBox = [&](const Text&) { ++wins; };
    for (auto _ : state) {
        // The first five values of the cycle were used by the last deal, so the hand is
        // the chain's start again; play it out to the win and its new deal.
        for (int j = 0; j < 48; ++j)
            game.btnCard_Click(0);
        for (Int16 i = 1; i < 5; ++i)
            game.btnCard_Click(i);
        benchmark::DoNotOptimize(game.playedCount());
    }
    if (wins != static_cast<int>(state.iterations())) {
        state.SkipWithError("a game was not won");
    }
}
BENCHMARK(BM_FullGame);

void BM_SinglePlay(benchmark::State& state) {
    std::vector<float> values;
    for (int n = 1; n <= 52; ++n)
        values.push_back(valueFor(n));
    CyclicRandom random(values);
    MemoryRuntime runtime(vopWindow(), random);
    frmVop game(runtime);
    runtime.start(game);
    for (auto _ : state) {
        game.btnCard_Click(0);
        if (game.remainCount() == 0) {
            state.PauseTiming();
            game.cmdPlay_Click(0);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_SinglePlay);

void BM_StartUp(benchmark::State& state) {
    CyclicRandom random({valueFor(1), valueFor(2), valueFor(3), valueFor(4), valueFor(5)});
    for (auto _ : state) {
        MemoryRuntime runtime(vopWindow(), random);
        frmVop game(runtime);
        runtime.start(game);
        benchmark::DoNotOptimize(game.remainCount());
    }
}
BENCHMARK(BM_StartUp);

}  // namespace
}  // namespace vop

BENCHMARK_MAIN();
