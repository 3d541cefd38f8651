// Start-up probes: report the time from launch to the first painted frame, then end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vop::bench {

// The launcher passes its own launch time (CLOCK_REALTIME, nanoseconds) in
// VOP_BENCH_T0; the probe prints how long after it the first frame was painted.
inline void reportFirstPaint(std::int64_t nowNanoseconds) {
    const char* t0 = std::getenv("VOP_BENCH_T0");
    const long long start = t0 != nullptr ? std::atoll(t0) : nowNanoseconds;
    std::printf("first-paint-ns %lld\n", static_cast<long long>(nowNanoseconds) - start);
    std::fflush(stdout);
}

}  // namespace vop::bench
