// What a screen reader hears through MSAA: each control asked for its accessible
// object the way screen readers ask (AccessibleObjectFromWindow), its name, role and
// description in words, while the visible captions stay the game's own.
#include <oleacc.h>

#include <algorithm>
#include <utility>
#include <vector>

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
    Text nameOf(ControlId id) {
        Ref<IAccessible> object;
        objectOf(ctl(id), object);
        if (object.p == nullptr) {
            return u"(none)";
        }
        BSTR name = nullptr;
        object.p->get_accName(self(), &name);
        return take(name);
    }
    Text descriptionOf(ControlId id) {
        Ref<IAccessible> object;
        objectOf(ctl(id), object);
        if (object.p == nullptr) {
            return u"(none)";
        }
        BSTR description = nullptr;
        object.p->get_accDescription(self(), &description);
        return take(description);
    }
    LONG roleOf(ControlId id) {
        Ref<IAccessible> object;
        objectOf(ctl(id), object);
        if (object.p == nullptr) {
            return -1;
        }
        VARIANT role;
        VariantInit(&role);
        object.p->get_accRole(self(), &role);
        return role.vt == VT_I4 ? role.lVal : -1;
    }

    bool comReady = false;
};

TEST_F(AccessibilityTest, HandSlotsAndGroundSayTheirCardsInWords) {
    const Text words[] = {u"Seven of hearts", u"Two of hearts", u"Seven of spades",
                          u"Nine of clubs", u"King of diamonds"};
    const Text captions[] = {u"H 7", u"H 2", u"S 7", u"C 9", u"DK"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(nameOf(slot(i)), words[i]);
        EXPECT_EQ(descriptionOf(slot(i)), u"Can be played");
        EXPECT_EQ(roleOf(slot(i)), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(caption(slot(i)), captions[i]) << "the visible caption stays";
    }
    EXPECT_EQ(nameOf({ctl::btnGround}), u"Ground: Empty");
    EXPECT_EQ(roleOf({ctl::btnGround}), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(nameOf({ctl::cmdPlay, 0}), u"New game");
    EXPECT_EQ(nameOf({ctl::cmdPlay, 1}), u"End");
    EXPECT_EQ(caption({ctl::cmdPlay, 0}), u"N");
}

TEST_F(AccessibilityTest, WordsFollowThePlay) {
    willDraw({41});  // C 2 refills slot 0
    buttonClick(slotButton(0));
    EXPECT_EQ(nameOf(slot(0)), u"Two of clubs");
    EXPECT_EQ(descriptionOf(slot(0)), u"Cannot be played");
    EXPECT_EQ(descriptionOf(slot(1)), u"Can be played");  // H 2 follows H 7
    EXPECT_EQ(descriptionOf(slot(3)), u"Cannot be played");
    EXPECT_EQ(nameOf({ctl::btnGround}), u"Ground: Seven of hearts");
    EXPECT_EQ(caption({ctl::btnGround}), u"H 7");
}

TEST_F(AccessibilityTest, GridLabelsSayTheirCardAndStateAndHeadersTheirSuit) {
    willDraw({41});
    buttonClick(slotButton(0));
    EXPECT_EQ(nameOf(grid(1)), u"Ace of spades, in the deck");
    EXPECT_EQ(nameOf(grid(41)), u"Two of clubs, in the hand");
    EXPECT_EQ(nameOf(grid(20)), u"Seven of hearts, played");
    EXPECT_EQ(roleOf(grid(20)), ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(caption(grid(20)), u"7");
    const Text suits[] = {u"spades", u"hearts", u"diamonds", u"clubs"};
    for (int s = 0; s < 4; ++s) {
        const ControlId header{ctl::lblColor, static_cast<std::int16_t>(s)};
        EXPECT_EQ(nameOf(header), suits[s]);
        EXPECT_EQ(roleOf(header), ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(caption(header), Text(1, u"SHDC"[s]));
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

// Which objects told screen readers that their words changed.
std::vector<std::pair<DWORD, HWND>> changes;

void CALLBACK noteChange(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) {
        changes.emplace_back(event, window);
    }
}

TEST_F(AccessibilityTest, ScreenReadersAreToldWhenTheWordsChange) {
    changes.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                        &noteChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    willDraw({41});
    buttonClick(slotButton(0));  // H 7 played: its label now says "played", C 9 unplayable
    const auto told = [](DWORD event, HWND window) {
        return std::find(changes.begin(), changes.end(), std::make_pair(event, window)) !=
               changes.end();
    };
    EXPECT_TRUE(pumpUntil([&] { return told(EVENT_OBJECT_NAMECHANGE, ctl(grid(20))); }));
    EXPECT_TRUE(pumpUntil([&] { return told(EVENT_OBJECT_DESCRIPTIONCHANGE, slotButton(3)); }));
    UnhookWinEvent(hook);
}

// The deck played out: slot 0 empties and says so.
class AccessibleEmptySlotTest : public AccessibilityTest {
  protected:
    void SetUp() override {
        comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(comReady);
        startWith(test::winnableDraws());
    }
};

TEST_F(AccessibleEmptySlotTest, EmptySlotSaysEmpty) {
    for (int play = 1; play <= 48; ++play) {
        buttonClick(slotButton(0));
    }
    ASSERT_EQ(caption(slot(0)), u"");
    EXPECT_EQ(nameOf(slot(0)), u"Empty");
    EXPECT_EQ(nameOf({ctl::btnGround}), u"Ground: Five of clubs");
    EXPECT_EQ(nameOf(grid(44)), u"Five of clubs, played");
}

}  // namespace
}  // namespace vop::test
