// The game's window as MSAA clients find it.
#include "win32/screen_readers.h"

#include <oleacc.h>

#include "win32/accessible_control.h"
#include "win32/accessible_form.h"
#include "win32/child_ids.h"
#include "win32/com_functions.h"

namespace vop::win32 {

namespace {

// The property of the game's window that holds what its screen readers are told.
constexpr const wchar_t* kReadersProperty = L"FormScreenReaders";

bool asksForClient(LPARAM object) {
    return static_cast<DWORD>(object) == static_cast<DWORD>(OBJID_CLIENT);
}

}  // namespace

ScreenReaders::~ScreenReaders() {
    if (comReady_) {
        comUninitialize();
    }
}

void ScreenReaders::attach(HWND form) {
    form_ = form;
    SetPropW(form_, kReadersProperty, this);
}

void ScreenReaders::detach() {
    if (form_ != nullptr) {
        RemovePropW(form_, kReadersProperty);
        form_ = nullptr;
    }
}

ScreenReaders* ScreenReaders::of(HWND form) {
    return form != nullptr && IsWindow(form)
               ? static_cast<ScreenReaders*>(GetPropW(form, kReadersProperty))
               : nullptr;
}

bool ScreenReaders::comStarted() {
    if (!comReady_) {
        comReady_ = SUCCEEDED(comInitializeEx(COINIT_APARTMENTTHREADED));
    }
    return comReady_;
}

LRESULT ScreenReaders::formObject(WPARAM flags, LPARAM object) {
    return asksForClient(object) && comStarted() ? accessibleFormFor(form_, flags) : 0;
}

LRESULT ScreenReaders::buttonObject(HWND button, WPARAM flags, LPARAM object) {
    return asksForClient(object) && comStarted() ? accessibleButtonFor(button, flags) : 0;
}

bool ScreenReaders::label(int index, LabelView& view) const {
    if (index < 0 || index >= labelCount()) {
        return false;
    }
    view = runtime_.labelView(index, dpi_);
    return true;
}

std::optional<Text> ScreenReaders::wordsFor(HWND button, bool description) const {
    const std::optional<ControlId> id = controlFor(runtime_.places(), GetDlgCtrlID(button));
    if (!id || !runtime_.exists(*id)) {
        return std::nullopt;
    }
    return description ? runtime_.spokenDescription(*id) : runtime_.spokenName(*id);
}

LONG ScreenReaders::childId(ControlId id) const {
    const int label = runtime_.labelIndex(id);
    return label >= 0 && form_ != nullptr ? labelChildId(form_, label) : CHILDID_SELF;
}

void ScreenReaders::tellWords(ControlId id, HWND button, bool name, bool description) const {
    const LONG child = childId(id);
    const HWND window = child != CHILDID_SELF ? form_ : button;
    if (window == nullptr) {
        return;
    }
    if (name) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, child);
    }
    if (description) {
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, child);
    }
}

void ScreenReaders::tellState(ControlId id) const {
    if (form_ != nullptr) {
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, form_, OBJID_CLIENT, childId(id));
    }
}

}  // namespace vop::win32
