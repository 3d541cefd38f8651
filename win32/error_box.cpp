// The message box of a run-time error, as the form runtime has always shown it.
#include "win32/error_box.h"

#include "win32/wide_text.h"

namespace vop::win32 {

namespace {
HWND errorOwner = nullptr;
}  // namespace

void installRuntimeErrorBox(HWND owner) {
    errorOwner = owner;
    setRuntimeErrorReporter(&showRuntimeError);
}

void removeRuntimeErrorBox(HWND owner) {
    if (errorOwner == owner) {
        errorOwner = nullptr;
        setRuntimeErrorReporter(nullptr);
    }
}

void showRuntimeError(const RuntimeErrorReport& report) {
    const HWND owner = IsWindow(errorOwner) ? errorOwner : nullptr;
    MessageBoxW(owner, wide(report.box), wide(report.title), MB_OK | MB_ICONERROR);
}

}  // namespace vop::win32
