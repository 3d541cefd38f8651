// The message box of a run-time error, as the form runtime has always shown it.
#include "window/win32/error_box.h"

#include <string>

#include "window/win32/wide_text.h"

namespace vop::win32 {

namespace {
HWND errorOwner = nullptr;
Text errorTitle = u"Vop";
}  // namespace

void installRuntimeErrorBox(HWND owner, const Text& appTitle) {
    errorOwner = owner;
    errorTitle = appTitle;
    setRuntimeErrorReporter(&showRuntimeError);
}

void removeRuntimeErrorBox(HWND owner) {
    if (errorOwner == owner) {
        errorOwner = nullptr;
        setRuntimeErrorReporter(nullptr);
    }
}

void showRuntimeError(RuntimeError error, std::string_view /*detail: written to stderr*/) {
    Text message = u"Run-time error '" + decimalText(static_cast<Int32>(error)) + u"':\n\n";
    for (char c : describe(error)) {
        message += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    const HWND owner = IsWindow(errorOwner) ? errorOwner : nullptr;
    MessageBoxW(owner, wide(message), wide(errorTitle), MB_OK | MB_ICONERROR);
}

}  // namespace vop::win32
