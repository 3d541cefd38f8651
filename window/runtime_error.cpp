// Reporting a run-time error and ending the program.
#include "window/runtime_error.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "window/text.h"

namespace vop {

namespace {
RuntimeErrorReporter reporter = nullptr;
}

std::string_view describe(RuntimeError error) {
    switch (error) {
        case RuntimeError::Overflow:
            return "Overflow";
        case RuntimeError::SubscriptOutOfRange:
            return "Subscript out of range";
        case RuntimeError::TypeMismatch:
            return "Type mismatch";
        case RuntimeError::ObjectNotSet:
            return "Object variable not set";
        case RuntimeError::ControlElementMissing:
            return "Control array element doesn't exist";
    }
    return "Unknown error";
}

void setRuntimeErrorReporter(RuntimeErrorReporter newReporter) {
    reporter = newReporter;
}

std::string errorLine(RuntimeError error, std::string_view detail) {
    std::string line = "Vop: run-time error " + digits(static_cast<int>(error)) + ": ";
    line += describe(error);
    if (!detail.empty()) {
        line.append(" (").append(detail).append(")");
    }
    return line;
}

void raiseRuntimeError(RuntimeError error, std::string_view detail) {
    const std::string line = errorLine(error, detail) + '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    if (reporter != nullptr) {
        RuntimeErrorReporter once = reporter;
        reporter = nullptr;  // a fault inside the reporter must not loop
        once(error, detail);
    }
    std::_Exit(1);
}

}  // namespace vop
