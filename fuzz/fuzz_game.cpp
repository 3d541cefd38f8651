// The fuzz target: arbitrary bytes choose the random sequence and the events, and the
// invariant checker watches every event. Any broken invariant or run-time error aborts,
// so libFuzzer keeps the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>
#include <string_view>

#include "form/memory_runtime.h"
#include "support/invariant_checker.h"
#include "support/random_sources.h"

namespace vop::fuzz {

namespace {

constexpr int kMostEvents = 16;  // one input stays one quick execution

// Values straight from the input, 24 bits each, so the fuzzer can reach 1 - 2^-24, the
// rounding ties and any run of equal values. When the input runs dry a full-period
// 24-bit sequence takes over: every card still comes up and rejection sampling ends.
class BytesRandom final : public RandomSource {
  public:
    explicit BytesRandom(FuzzedDataProvider& data) : data_(data) {}
    void randomize() override { fallback_ = data_.ConsumeIntegral<std::uint32_t>(); }
    float rnd() override {
        if (data_.remaining_bytes() >= 3) {
            return reliability::fromUnits(data_.ConsumeIntegralInRange<std::uint32_t>(0, 0xFFFFFF));
        }
        fallback_ = nextState24(fallback_);
        return reliability::fromUnits(fallback_);
    }

  private:
    FuzzedDataProvider& data_;
    std::uint32_t fallback_ = 0;
};

std::unique_ptr<RandomSource> makeSource(FuzzedDataProvider& data,
                                         reliability::RiggedRandom*& rigged) {
    const auto kind = data.ConsumeIntegralInRange<int>(0, 2);
    const auto seed = data.ConsumeIntegral<std::uint64_t>();
    if (kind == 0) {
        return std::make_unique<BytesRandom>(data);
    }
    if (kind == 1) {
        return std::make_unique<reliability::AdversarialRandom>(seed);
    }
    auto source = std::make_unique<reliability::RiggedRandom>(seed);
    rigged = source.get();
    return source;
}

// The window's generator, handed over to each input's own source; between inputs (and
// for the deal at start-up) a fixed uniform sequence.
class CurrentRandom final : public RandomSource {
  public:
    void randomize() override { current().randomize(); }
    float rnd() override { return current().rnd(); }
    RandomSource* source = nullptr;

  private:
    RandomSource& current() { return source != nullptr ? *source : between_; }
    reliability::UniformRandom between_{1};
};

// One window for the whole fuzzing run, as starting the program for every input would
// cost more than the input itself. Each input begins with "N", which resets every card,
// label, slot, count and the ground, so an input's run depends on the input alone.
struct Table {
    Table() { runtime.start(game); }
    CurrentRandom random;
    MemoryRuntime runtime{vopWindow(), random};
    frmVop game{runtime};
};

ControlId slot(int i) {
    return {ctl::btnCard, static_cast<Int16>(i)};
}

class Session {
  public:
    Session(FuzzedDataProvider& data, Table& table)
        : data_(data),
          random_(makeSource(data, rigged_)),
          told_(data.ConsumeBool()),
          runtime_(table.runtime),
          game_(table.game),
          checker_(game_, runtime_) {
        table.random.source = random_.get();
        if (rigged_ != nullptr) {
            rigged_->watch(game_);
        }
        runtime_.onMessageBox = [this](const Text&) { whileBoxOpen(); };
    }
    ~Session() { runtime_.onMessageBox = nullptr; }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void run() {
        runtime_.click({ctl::cmdPlay, 0});
        checker_.afterStart();  // the first state this checker sees: a fresh deal
        while (data_.remaining_bytes() > 0 && events_ < kMostEvents && !runtime_.ended()) {
            event(data_.ConsumeIntegral<std::uint8_t>());
        }
    }

  private:
    void clickSlot(int i) {
        ++events_;
        const bool enabled = runtime_.enabled(slot(i));
        if (rigged_ != nullptr) {
            rigged_->target(static_cast<Int16>(textToInteger(runtime_.tag(slot(i)))));
        }
        runtime_.click(slot(i));
        if (!told_) {
            checker_.check();
        } else if (enabled) {
            checker_.afterPlay(static_cast<Int16>(i));
        } else {
            checker_.afterIgnored();
        }
    }

    void ignored(ControlId id) {
        ++events_;
        runtime_.click(id);
        told_ ? checker_.afterIgnored() : checker_.check();
    }

    void event(std::uint8_t what) {
        switch (what % 16) {
            case 0:
            case 1:
            case 2:
            case 3:
            case 4:
                clickSlot(what % 16);
                break;
            case 5:
                ++events_;
                runtime_.click({ctl::cmdPlay, 0});
                told_ ? checker_.afterNewGame() : checker_.check();
                break;
            case 6:
                ignored({ctl::btnGround});
                break;
            case 7:
            case 8:
                ++events_;
                runtime_.pressTab(what % 16 == 8);
                told_ ? checker_.afterIgnored() : checker_.check();
                break;
            case 9:
                ignored({ctl::btnFocus});
                break;
            case 10:
                ignored({ctl::lblExist, static_cast<Int16>(what / 16 * 4)});
                break;
            case 11:
                ignored({ctl::lblColor, static_cast<Int16>(what / 16 % 5)});
                break;
            case 12:
                // "E" only from one byte value: most inputs play on.
                if (what == 12) {
                    ++events_;
                    runtime_.click({ctl::cmdPlay, 1});
                    if (!runtime_.ended()) {
                        invariantBroken("\"E\" did not end the program");
                    }
                } else {
                    clickSlot(what / 16 % 5);
                }
                break;
            default:
                playOn(what / 16 % 4 + 1);
                break;
        }
    }

    // Up to `clicks` plays of the first enabled slot holding a card: deep games from short inputs.
    void playOn(int clicks) {
        for (int c = 0; c < clicks && events_ < kMostEvents; ++c) {
            int chosen = -1;
            for (int i = 0; i < kHandSize && chosen < 0; ++i) {
                if (runtime_.enabled(slot(i)) && !runtime_.caption(slot(i)).empty()) {
                    chosen = i;
                }
            }
            if (chosen < 0) {
                return;
            }
            clickSlot(chosen);
        }
    }

    void whileBoxOpen() {
        checker_.whileWinShown();
        const int tries = data_.ConsumeIntegralInRange<int>(0, 3);
        for (int t = 0; t < tries; ++t) {
            runtime_.click(slot(t));
            runtime_.click({ctl::cmdPlay, static_cast<Int16>(t % 2)});
            checker_.check();  // the box is open: the moment of the win
        }
    }

    FuzzedDataProvider& data_;
    reliability::RiggedRandom* rigged_ = nullptr;
    std::unique_ptr<RandomSource> random_;
    bool told_;
    MemoryRuntime& runtime_;
    frmVop& game_;
    InvariantChecker checker_;
    int events_ = 0;
};

}  // namespace

}  // namespace vop::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A finding must abort so that libFuzzer reports it and keeps the input.
    vop::setInvariantFailureAction([] { std::abort(); });
    vop::setRuntimeErrorReporter([](const vop::RuntimeErrorReport&) { std::abort(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static std::unique_ptr<vop::fuzz::Table> table;
    if (!table || table->runtime.ended()) {
        table = std::make_unique<vop::fuzz::Table>();  // "E" ended the last one
    }
    FuzzedDataProvider data(bytes, size);
    {
        vop::fuzz::Session session(data, *table);
        session.run();
    }
    table->random.source = nullptr;  // the input's source is gone
    return 0;
}
