// An IAccessible that forwards every question to the control's standard MSAA object
// except its name, description and role, which it answers in the game's words.
#include "window/win32/accessible_control.h"

#include "window/win32/com_functions.h"
#include "window/win32/forwarding_accessible.h"

namespace vop::win32 {

namespace {

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

class ControlAccessible final : public ForwardingAccessible {
  public:
    ControlAccessible(HWND control, IAccessible* standard, SpokenLookup lookup)
        : ForwardingAccessible(control, standard), lookup_(lookup) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        Spoken spoken;
        if (!isSelf(child)) {
            return ForwardingAccessible::get_accName(child, name);
        }
        return lookup_(window_, spoken) ? answerText(spoken.name, name) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        Spoken spoken;
        if (!isSelf(child)) {
            return ForwardingAccessible::get_accDescription(child, description);
        }
        return lookup_(window_, spoken) ? answerText(spoken.description, description)
                                        : CO_E_OBJNOTCONNECTED;
    }
    // Windows knows a button from a label by its class; say it for every system.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        Spoken spoken;
        if (!isSelf(child)) {
            return ForwardingAccessible::get_accRole(child, role);
        }
        return lookup_(window_, spoken) ? answerNumber(spoken.role, role) : CO_E_OBJNOTCONNECTED;
    }

  private:
    SpokenLookup lookup_;
};

}  // namespace

LRESULT accessibleObjectFor(HWND control, WPARAM flags, SpokenLookup lookup) {
    IAccessible* standard = nullptr;
    if (FAILED(createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    return (new ControlAccessible(control, standard, lookup))->hand(flags);
}

}  // namespace vop::win32
