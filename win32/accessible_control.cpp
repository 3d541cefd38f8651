// An IAccessible that forwards every question to the button's standard MSAA object except
// its name and description, which it answers in the game's words, looked up anew on every
// question so that it always says the card the button shows now, and its role.
#include "win32/accessible_control.h"

#include <optional>

#include "win32/forwarding_accessible.h"
#include "win32/screen_readers.h"

namespace vop::win32 {

namespace {

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The words, or no answer once the button or its game is gone.
HRESULT answerWords(const std::optional<Text>& words, BSTR* out) {
    return words ? answerText(*words, out) : CO_E_OBJNOTCONNECTED;
}

class ButtonAccessible final : public ForwardingAccessible {
  public:
    using ForwardingAccessible::ForwardingAccessible;

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return isSelf(child) ? answerWords(words(false), name)
                             : ForwardingAccessible::get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return isSelf(child) ? answerWords(words(true), description)
                             : ForwardingAccessible::get_accDescription(child, description);
    }
    // Windows' own object finds a push button from the window's class; Wine's says only
    // "client", and a screen reader there would not know the card can be pressed.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return isSelf(child) ? answerNumber(ROLE_SYSTEM_PUSHBUTTON, role)
                             : ForwardingAccessible::get_accRole(child, role);
    }

  private:
    std::optional<Text> words(bool description) const {
        const ScreenReaders* readers = ScreenReaders::of(GetParent(window_));
        return readers != nullptr ? readers->wordsFor(window_, description) : std::nullopt;
    }
};

}  // namespace

LRESULT accessibleButtonFor(HWND button, WPARAM flags) {
    return answerWith<ButtonAccessible>(button, flags);
}

}  // namespace vop::win32
