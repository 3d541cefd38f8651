// The cost of the game itself: a whole won game and a single play, on the in-memory runtime.
#include <benchmark/benchmark.h>

#include <vector>

#include "game/frm_vop.h"
#include "window/memory_runtime.h"

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

float valueFor(int n) {
    return static_cast<float>((n - 1) / 52000.0);
}

// Spades up, hearts down, diamonds up, clubs down: every card follows the one before.
std::vector<int> chain() {
    std::vector<int> c;
    for (int r = 1; r <= 13; ++r)
        c.push_back(r);
    for (int r = 13; r >= 1; --r)
        c.push_back(13 + r);
    for (int r = 1; r <= 13; ++r)
        c.push_back(26 + r);
    for (int r = 13; r >= 1; --r)
        c.push_back(39 + r);
    return c;
}

// One won game's draws: the deal, 47 refills, and the deal that follows the win.
std::vector<float> winningGame() {
    const std::vector<int> c = chain();
    std::vector<float> v;
    for (int n : {c[0], c[48], c[49], c[50], c[51]})
        v.push_back(valueFor(n));
    for (int j = 1; j <= 47; ++j)
        v.push_back(valueFor(c[j]));
    for (int n : {c[0], c[48], c[49], c[50], c[51]})
        v.push_back(valueFor(n));
    return v;
}

void BM_FullGame(benchmark::State& state) {
    CyclicRandom random(winningGame());
    MemoryRuntime runtime(vopWindow(), random);
    frmVop game(runtime);
    runtime.start(game);
    int wins = 0;
    runtime.onMessageBox = [&](const Text&) { ++wins; };
    const std::vector<float> values = winningGame();
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
