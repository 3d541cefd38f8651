// Run-time errors of the form runtime: reported once, then the program ends.
#pragma once

#include <string>
#include <string_view>

namespace vop {

// The numbers are the ones the form runtime has always used for these faults.
enum class RuntimeError : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    ObjectNotSet = 91,
    ControlElementMissing = 340,
};

std::string_view describe(RuntimeError error);

// What the player is shown of a run-time error, worked out once for every window.
struct RuntimeErrorReport {
    RuntimeError error;
    std::string_view detail;
    std::string line;      // "Vop: run-time error 6: Overflow (detail)": stderr's, a page's
    std::u16string box;    // "Run-time error '6':", a blank line, what went wrong
    std::u16string title;  // the application's title, which the box carries
};

// A backend installs a reporter so the player sees the error before the program ends;
// it must return (the process is ended afterwards).
using RuntimeErrorReporter = void (*)(const RuntimeErrorReport& report);
void setRuntimeErrorReporter(RuntimeErrorReporter reporter);
// The title of the program whose errors these are: the start of the line and the box's
// title. Each window sets its application's title as it is made.
void setRuntimeErrorTitle(std::u16string_view title);

// The report of an error as raiseRuntimeError makes it.
RuntimeErrorReport reportOf(RuntimeError error, std::string_view detail);

// Writes the error's line to stderr, lets the reporter show it, and ends the process
// with status 1. Never returns.
[[noreturn]] void raiseRuntimeError(RuntimeError error, std::string_view detail = {});

}  // namespace vop
