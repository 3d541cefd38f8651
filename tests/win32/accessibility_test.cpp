// Screen readers and the Win32 window through MSAA: each control's role, an object that
// outlives its window, and the WinEvents that tell of changed words, the table's among
// them, as a reader hears them. What the words are is the conformance scenarios' to say
// (read through MSAA by win32_driver.cpp).
#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "msaa.h"
#include "window_fixture.h"

namespace vop::test {
namespace {

// A COM reference released at the end of its scope.
template <class T>
class Ref {
  public:
    Ref() = default;
    ~Ref() {
        if (p != nullptr) {
            p->Release();
        }
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T* p = nullptr;
};

VARIANT self() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

Text take(BSTR text) {
    Text out;
    if (text != nullptr) {
        out.assign(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
        SysFreeString(text);
    }
    return out;
}

class AccessibilityTest : public Win32WindowTest {
  protected:
    void SetUp() override {
        comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(comReady);
        startWith({20, 15, 7, 48, 39});  // H 7, H 2, S 7, C 9, DK
    }
    void TearDown() override {
        if (comReady) {
            CoUninitialize();
        }
    }

    // The control's accessible object, as a screen reader gets it.
    void objectOf(HWND control, Ref<IAccessible>& object) {
        ASSERT_EQ(
            AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&object.p)),
            S_OK)
            << "no accessible object for id " << GetDlgCtrlID(control);
        ASSERT_NE(object.p, nullptr);
    }
    LONG roleOf(ControlId id) { return Reached(runtime, id).role(); }

    bool comReady = false;
};

// Windows tells a button from a label by its class; the game says which each is on
// every system. Where the focus parks is a status with nothing to press.
TEST_F(AccessibilityTest, ButtonsAndLabelsSayTheirRoles) {
    for (ControlId id : {slot(0), slot(4), ControlId{ctl::btnGround}, ControlId{ctl::cmdPlay, 1}}) {
        EXPECT_EQ(roleOf(id), ROLE_SYSTEM_PUSHBUTTON) << controlText(id);
    }
    EXPECT_EQ(roleOf({ctl::btnFocus}), ROLE_SYSTEM_STATUSBAR);
    Ref<IAccessible> parked;
    objectOf(focusButton(), parked);
    BSTR action = nullptr;
    parked.p->get_accDefaultAction(self(), &action);
    EXPECT_EQ(take(action), Text());
    EXPECT_EQ(parked.p->accDoDefaultAction(self()), DISP_E_MEMBERNOTFOUND);
    for (ControlId id : {grid(1), grid(52), ControlId{ctl::lblColor, 0}}) {
        EXPECT_EQ(roleOf(id), ROLE_SYSTEM_STATICTEXT) << controlText(id);
    }
}

TEST_F(AccessibilityTest, ObjectOutlivingItsWindowAnswersWithoutTheGame) {
    Ref<IAccessible> object;
    objectOf(slotButton(0), object);
    ASSERT_NE(object.p, nullptr);
    SendMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(main));
    BSTR name = nullptr;
    EXPECT_FALSE(SUCCEEDED(object.p->get_accName(self(), &name)) && name != nullptr);
    take(name);
}

// Which objects told screen readers that their words changed: a window's own, or a
// child element of it (a label of the form); and each new name as a reader asks for it
// when it hears the change.
struct Change {
    DWORD event;
    HWND window;
    LONG child;
    bool operator==(const Change&) const = default;
};
std::vector<Change> changes;
std::vector<Text> namesHeard;

void CALLBACK noteChange(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
    if (object != OBJID_CLIENT) {
        return;
    }
    changes.push_back({event, window, child});
    IAccessible* reader = nullptr;
    VARIANT which;
    VariantInit(&which);
    if (event == EVENT_OBJECT_NAMECHANGE &&
        SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                            static_cast<DWORD>(child), &reader, &which))) {
        BSTR name = nullptr;
        reader->get_accName(which, &name);
        namesHeard.push_back(take(name));
        reader->Release();
    } else {
        namesHeard.emplace_back();
    }
}

TEST_F(AccessibilityTest, ScreenReadersAreToldWhenTheWordsChange) {
    changes.clear();
    namesHeard.clear();
    const Text tableBefore = Reached(runtime, {ctl::btnFocus}).name();
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                        &noteChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    willDraw({41});
    buttonClick(slotButton(0));  // H 7 played: its label now says "played", C 9 unplayable
    const auto told = [](DWORD event, HWND window, LONG child) {
        return std::find(changes.begin(), changes.end(), Change{event, window, child}) !=
               changes.end();
    };
    const LONG played = runtime.accessibleChildId(grid(20));
    EXPECT_TRUE(pumpUntil([&] { return told(EVENT_OBJECT_NAMECHANGE, main, played); }));
    EXPECT_TRUE(
        pumpUntil([&] { return told(EVENT_OBJECT_NAMECHANGE, slotButton(3), CHILDID_SELF); }));
    EXPECT_TRUE(pumpUntil([&] { return told(EVENT_OBJECT_NAMECHANGE, main, CHILDID_SELF); }));
    // Where the focus parks, the table is told anew, once.
    const Change table{EVENT_OBJECT_NAMECHANGE, focusButton(), CHILDID_SELF};
    ASSERT_TRUE(pumpUntil([&] { return told(table.event, table.window, table.child); }));
    const auto at = std::find(changes.begin(), changes.end(), table) - changes.begin();
    EXPECT_EQ(std::count(changes.begin(), changes.end(), table), 1);
    const Text heard = namesHeard[static_cast<std::size_t>(at)];
    EXPECT_NE(heard, tableBefore);
    EXPECT_EQ(heard, runtime.spokenName({ctl::btnFocus})) << toUtf8(heard);
    UnhookWinEvent(hook);
}

}  // namespace
}  // namespace vop::test
