// The monkey on the real Win32 window: seeded walks of random clicks and keys from three
// kinds of deal, the invariants checked after every input; "E" ends child processes.
//
// The bounded run walks 20,000 events in this process, and more in short walks. For a
// longer walk on demand, set VOP_MONKEY_EVENTS to the number of events wanted in all,
// shared among the three kinds of deal in the same proportions, e.g.
//   VOP_MONKEY_EVENTS=500000 wine tests/win32/win32_monkey_tests.exe
// VOP_MONKEY_TRACE=1 also prints every move and where each of its inputs went; a failed
// check prints the last forty of them with the walk's kind of deal and seed anyway.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "monkey_walk.h"

namespace vop::test::monkey {
namespace {

constexpr long long kBoundedEvents = 20000;
constexpr const char* kChildVariable = "VOP_MONKEY_CHILD";
constexpr DWORD kChildTimeoutMs = 120000;

WalkStats total;

// A share of the run's events: the bounded figure, or scaled to VOP_MONKEY_EVENTS.
long long share(long long bounded) {
    const char* wanted = std::getenv("VOP_MONKEY_EVENTS");
    const long long all = wanted != nullptr ? std::atoll(wanted) : 0;
    return all > 0 ? std::max(1LL, bounded * all / kBoundedEvents) : bounded;
}

// Several program runs, each from its own seed, so that start-up is walked too.
WalkStats walk(Source source, std::uint64_t firstSeed, int runs, long long events) {
    WalkStats sum;
    for (int r = 0; r < runs; ++r) {
        sum += runWalk(source, firstSeed + static_cast<std::uint64_t>(r), events / runs);
    }
    std::printf("win32 monkey (%s): %s\n", reliability::sourceName(source).c_str(),
                sum.summary().c_str());
    std::fflush(stdout);
    total += sum;
    return sum;
}

class Totals : public ::testing::Environment {
  public:
    void TearDown() override {
        std::printf("win32 monkey, all walks: %s\n", total.summary().c_str());
        std::fflush(stdout);
    }
};
[[maybe_unused]] ::testing::Environment* const totals =
    ::testing::AddGlobalTestEnvironment(new Totals);

TEST(Win32Monkey, SameSeedSameWalk) {
    const WalkStats a = runWalk(Source::Rigged, 11, 300);
    const WalkStats b = runWalk(Source::Rigged, 11, 300);
    const WalkStats c = runWalk(Source::Rigged, 12, 300);
    EXPECT_EQ(a.summary(), b.summary());
    EXPECT_EQ(a.fingerprint, b.fingerprint);
    EXPECT_NE(a.fingerprint, c.fingerprint);
}

TEST(Win32Monkey, UniformWalk) {
    const WalkStats s = walk(Source::Uniform, 1000, 2, share(8000));
    EXPECT_GE(s.events, share(8000));
    EXPECT_GE(s.games, share(8000) / 100);
    EXPECT_GE(s.slotClicks, share(8000) / 40);  // each one held to be a play
}

TEST(Win32Monkey, AdversarialWalk) {
    const WalkStats s = walk(Source::Adversarial, 2000, 2, share(8000));
    EXPECT_GE(s.events, share(8000));
    EXPECT_GE(s.games, share(8000) / 100);
}

// Refills follow the card played, so games run to an empty deck and are won, and the
// "Win" box is closed every way a player closes it.
TEST(Win32Monkey, RiggedWalk) {
    const WalkStats s = walk(Source::Rigged, 3000, 2, share(4000));
    EXPECT_GE(s.events, share(4000));
    EXPECT_GE(s.exhaustions, share(4000) / 200);  // 20 in the bounded run
    EXPECT_GE(s.wins, share(4000) / 200);
    EXPECT_GE(s.closedByKey, share(4000) / 500);
    EXPECT_GE(s.closedByMouse, share(4000) / 500);
    EXPECT_EQ(s.closedByKey + s.closedByMouse, s.wins);
}

// --- "E": it ends the program with status 0, so each walk that ends with it is a
// child process: this program again, running only the case below.

struct Child {
    DWORD status = 0;
    bool finished = false;
    std::string output;
};

Child runChild(const std::string& walkArgs) {
    Child child;
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    wchar_t dir[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"vop", 0, file);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const HANDLE out = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=Win32MonkeyChild.*";
    SetEnvironmentVariableA(kChildVariable, walkArgs.c_str());
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    CloseHandle(out);
    if (started) {
        child.finished = WaitForSingleObject(process.hProcess, kChildTimeoutMs) == WAIT_OBJECT_0;
        if (!child.finished) {
            TerminateProcess(process.hProcess, 99);
        }
        GetExitCodeProcess(process.hProcess, &child.status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    const HANDLE in = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (in != INVALID_HANDLE_VALUE && ReadFile(in, buffer, sizeof(buffer), &got, nullptr) &&
           got > 0) {
        child.output.append(buffer, got);
    }
    CloseHandle(in);
    DeleteFileW(file);
    return child;
}

// Walks that end with "E" by the mouse, by Space and by Enter, each in the middle of a game.
TEST(Win32Monkey, EEndsTheProgramWithStatusZero) {
    const char* walks[] = {"uniform 21 300 mouse", "rigged 22 400 space",
                           "adversarial 23 300 enter"};
    for (const char* walkArgs : walks) {
        const Child child = runChild(walkArgs);
        EXPECT_TRUE(child.finished) << walkArgs << ": still running after two minutes";
        EXPECT_EQ(child.status, 0u) << walkArgs << "\n" << child.output;
        EXPECT_NE(child.output.find("monkey walk before \"E\":"), std::string::npos)
            << walkArgs << ": the walk did not get to \"E\"\n"
            << child.output;
        std::printf("\"E\" after a %s walk: status %lu\n", walkArgs,
                    static_cast<unsigned long>(child.status));
    }
}

// Run only as a child of the case above.
TEST(Win32MonkeyChild, WalkThenE) {
    const char* walkArgs = std::getenv(kChildVariable);
    if (walkArgs == nullptr) {
        GTEST_SKIP() << "runs only as a child process of Win32Monkey.EEndsTheProgramWithStatusZero";
    }
    std::istringstream in(walkArgs);
    std::string source;
    std::uint64_t seed = 0;
    long long events = 0;
    std::string how;
    in >> source >> seed >> events >> how;
    const Source s = source == "uniform"  ? Source::Uniform
                     : source == "rigged" ? Source::Rigged
                                          : Source::Adversarial;
    const Finale finale = how == "mouse"   ? Finale::EByMouse
                          : how == "space" ? Finale::EBySpace
                                           : Finale::EByEnter;
    runWalk(s, seed, events, finale);  // returns only if "E" failed to end the program
    FAIL() << "\"E\" did not end the program";
}

}  // namespace
}  // namespace vop::test::monkey
