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

// A backend installs a reporter so the player sees the error in a message box
// before the program ends; it must return (the process is ended afterwards).
using RuntimeErrorReporter = void (*)(RuntimeError error, std::string_view detail);
void setRuntimeErrorReporter(RuntimeErrorReporter reporter);

// "Vop: run-time error N: <what> (<detail>)": the one line that reports it.
std::string errorLine(RuntimeError error, std::string_view detail);

// Writes the error's line to stderr, lets the
// reporter show it, and ends the process with status 1. Never returns.
[[noreturn]] void raiseRuntimeError(RuntimeError error, std::string_view detail = {});

}  // namespace vop
