// The long monkey walk, run on demand: vop_soak [events per source] [first seed].
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/monkey.h"

int main(int argc, char** argv) {
    using namespace vop::reliability;
    const long long events = argc > 1 ? std::atoll(argv[1]) : 10000000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    if (events <= 0) {
        std::fprintf(stderr, "usage: vop_soak [events per source] [first seed]\n");
        return 2;
    }
    constexpr long long kPerRun = 100000;
    MonkeyStats total;
    for (Source source : {Source::Uniform, Source::Adversarial, Source::Rigged}) {
        MonkeyStats sum;
        for (long long done = 0, run = 0; done < events; done += kPerRun, ++run) {
            const long long n = events - done < kPerRun ? events - done : kPerRun;
            sum += runMonkey(source, seed + static_cast<unsigned long long>(run), n);
        }
        std::printf("soak (%s, seeds from %llu): %s\n", sourceName(source).c_str(), seed,
                    sum.summary().c_str());
        std::fflush(stdout);
        total += sum;
    }
    std::printf("soak total: %s\n", total.summary().c_str());
    return 0;
}
