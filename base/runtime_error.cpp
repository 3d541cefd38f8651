// Reporting a run-time error and ending the program.
#include "base/runtime_error.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/plain_text.h"

namespace vop {

namespace {
RuntimeErrorReporter reporter = nullptr;
std::u16string programTitle;
}  // namespace

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

void setRuntimeErrorTitle(std::u16string_view title) {
    programTitle = title;
}

RuntimeErrorReport reportOf(RuntimeError error, std::string_view detail) {
    RuntimeErrorReport report{error, detail, {}, {}, programTitle};
    const std::string number = digits(static_cast<int>(error));
    const std::string_view what = describe(error);
    if (!programTitle.empty()) {
        report.line = toUtf8(programTitle) + ": ";
    }
    report.line.append("run-time error ").append(number).append(": ").append(what);
    report.box = u"Run-time error '";
    report.box.append(number.begin(), number.end());  // digits and descriptions are ASCII
    report.box.append(u"':\n\n");
    report.box.append(what.begin(), what.end());
    if (!detail.empty()) {
        report.line.append(" (").append(detail).append(")");
    }
    return report;
}

void raiseRuntimeError(RuntimeError error, std::string_view detail) {
    const RuntimeErrorReport report = reportOf(error, detail);
    std::fputs((report.line + '\n').c_str(), stderr);
    std::fflush(stderr);
    if (reporter != nullptr) {
        RuntimeErrorReporter once = reporter;
        reporter = nullptr;  // a fault inside the reporter must not loop
        once(report);
    }
    std::_Exit(1);
}

}  // namespace vop
