// Coverage builds only: a run-time error or broken invariant ends the program with _Exit,
// and a test's own fault (a ScriptedRandom running out) with abort; both skip gcov's
// own flush, so the counters are written first and the death tests count.
#include <csignal>
#include <cstdlib>

extern "C" {
void __gcov_dump();
[[noreturn]] void __real__Exit(int status);

[[noreturn]] void __wrap__Exit(int status) {
    __gcov_dump();
    __real__Exit(status);
}
}

namespace {

// Writes the counters, then lets the abort end the program as it would have.
void dumpThenAbort(int signal) {
    __gcov_dump();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// This file is linked into every program that can call _Exit, so the handler is there
// before any test runs.
[[maybe_unused]] const bool abortCounted = std::signal(SIGABRT, dumpThenAbort) != SIG_ERR;

}  // namespace
