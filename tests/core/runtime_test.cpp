// The platform-neutral form runtime: control state, loading, events and their guards.
#include <functional>

#include "core/game_fixture.h"

namespace vop {
namespace {

using test::grid;
using test::slot;

// A module that records what reaches it, and may act on Load and on a focus.
class Recorder final : public FormModule {
  public:
    void Form_Load() override {
        ++loads;
        if (onLoad) {
            onLoad();
        }
    }
    void click(ControlId id) override { clicks.push_back(id); }
    void gotFocus(ControlId id) override {
        focuses.push_back(id);
        if (onFocus) {
            onFocus(id);
        }
    }
    int loads = 0;
    std::vector<ControlId> clicks;
    std::vector<ControlId> focuses;
    std::function<void()> onLoad;
    std::function<void(ControlId)> onFocus;
};

class Unstarted : public ::testing::Test {
  protected:
    ScriptedRandom random;
    MemoryRuntime runtime{vopWindow(), random};
    Recorder module;
};

class RuntimeTest : public Unstarted {
  protected:
    void SetUp() override { runtime.start(module); }
};

// A control the window does not have, as a confused backend might name.
constexpr ControlName kNoSuchName{"cmdOther"};
constexpr ControlId kNoSuchControl{kNoSuchName};

TEST_F(Unstarted, EventsBeforeStartAreDropped) {
    runtime.raiseClick(slot(0));
    runtime.raiseGotFocus({ctl::btnFocus});
    EXPECT_FALSE(runtime.focus());
    EXPECT_TRUE(module.focuses.empty());
    EXPECT_TRUE(module.clicks.empty());
}

TEST_F(Unstarted, EndDuringLoadShowsNoWindow) {
    module.onLoad = [&] { runtime.end(); };
    runtime.start(module);
    EXPECT_TRUE(runtime.quitCalled());
    EXPECT_FALSE(runtime.shown());
    EXPECT_FALSE(runtime.focus());
}

// With no button to take it the window starts unfocused; Tab then enters the order at
// its first stop and Shift+Tab at its last, as they do from a control outside it.
TEST_F(Unstarted, TabFromNoFocusOrOutsideTheOrder) {
    module.onLoad = [&] {
        for (const ControlId id : runtime.tabOrder()) {
            runtime.setEnabled(id, false);
        }
    };
    runtime.start(module);
    EXPECT_TRUE(runtime.shown());
    EXPECT_FALSE(runtime.focus());
    runtime.pressTab();
    EXPECT_FALSE(runtime.focus());
    runtime.setEnabled(slot(1), true);
    runtime.setEnabled(slot(3), true);
    runtime.pressTab();
    EXPECT_EQ(runtime.focus(), slot(1));
    runtime.raiseGotFocus({ctl::btnGround});
    runtime.pressTab(true);
    EXPECT_EQ(runtime.focus(), slot(3));
    runtime.raiseGotFocus({ctl::btnGround});
    runtime.pressTab();
    EXPECT_EQ(runtime.focus(), slot(1));
}

TEST_F(RuntimeTest, StartBuildsTheDefinitionLoadsOnceAndFocusesTheFirstTabStop) {
    EXPECT_EQ(module.loads, 1);
    EXPECT_EQ(runtime.formCaption(), u"VoP");
    EXPECT_EQ(runtime.caption(slot(2)), u"SA");
    EXPECT_EQ(runtime.caption({ctl::btnFocus}), u"Command1");
    EXPECT_EQ(runtime.caption({ctl::cmdPlay, 0}), u"N");
    EXPECT_EQ(runtime.caption({ctl::cmdPlay, 1}), u"E");
    EXPECT_EQ(runtime.caption({ctl::lblColor, 3}), u"C");
    EXPECT_FALSE(runtime.visible(grid(0)));
    EXPECT_FALSE(runtime.exists(grid(1)));
    EXPECT_EQ(runtime.controls().size(), 14U);
    EXPECT_EQ(module.focuses, (std::vector<ControlId>{{ctl::btnFocus}}));
}

TEST_F(RuntimeTest, GetReturnsExactlyWhatWasSet) {
    const Text odd = u"  H 7\u73FE&x ";
    runtime.setCaption(slot(1), odd);
    runtime.setTag(slot(1), u"0042");
    EXPECT_EQ(runtime.caption(slot(1)), odd);
    EXPECT_EQ(runtime.tag(slot(1)), u"0042");
    runtime.setFormCaption(u"");
    EXPECT_EQ(runtime.formCaption(), u"");
}

TEST_F(RuntimeTest, LoadedElementCopiesTheTemplateHidden) {
    runtime.load(grid(7));
    const ControlState& copy = runtime.get(grid(7));
    EXPECT_FALSE(copy.visible);
    EXPECT_EQ(copy.caption, u"A");
    EXPECT_EQ(copy.left, 480);
    EXPECT_EQ(copy.width, 135);
    EXPECT_DOUBLE_EQ(copy.fontSize, 5.25);
    EXPECT_EQ(copy.def, runtime.get(grid(0)).def);
    EXPECT_EQ(runtime.controls().size(), 15U);
}

TEST_F(RuntimeTest, ExistsOnlyForLoadedElementsWithinEachArray) {
    for (const ControlId id : {ControlId{ctl::btnFocus},
                               {ctl::btnGround},
                               {ctl::cmdPlay, 1},
                               slot(4),
                               {ctl::lblColor, 3},
                               grid(0)}) {
        EXPECT_TRUE(runtime.exists(id)) << controlText(id);
    }
    for (const ControlId id : {ControlId{ctl::cmdPlay, -1},
                               {ctl::cmdPlay, 2},
                               slot(-1),
                               slot(5),
                               {ctl::lblColor, -1},
                               {ctl::lblColor, 4},
                               grid(-1),
                               grid(53),
                               grid(1),
                               kNoSuchControl}) {
        EXPECT_FALSE(runtime.exists(id)) << controlText(id);
    }
}

// Backends number their controls by place: one for every element an array can hold,
// each found again from its place, none beyond.
TEST(ControlPlacesTest, EveryElementHasOnePlace) {
    const ControlPlaces places(vopWindow());
    EXPECT_EQ(places.count(), 1U + 2 + 1 + 5 + 4 + 53);
    for (std::size_t at = 0; at < places.count(); ++at) {
        const std::optional<ControlId> id = places.at(at);
        ASSERT_TRUE(id) << at;
        EXPECT_EQ(places.of(*id), at) << controlText(*id);
    }
    EXPECT_FALSE(places.of({ctl::btnFocus, 1}));
    EXPECT_FALSE(places.at(places.count()));
    EXPECT_EQ(controlText({ctl::btnCard, 2}), "btnCard(2)");
    EXPECT_EQ(controlText({ctl::btnFocus}), "btnFocus");
}

TEST_F(RuntimeTest, ClicksReachOnlyEnabledVisibleButtons) {
    runtime.setEnabled(slot(3), false);
    runtime.click(slot(3));
    runtime.raiseClick(slot(3));
    runtime.click({ctl::lblColor, 0});
    runtime.raiseClick({ctl::lblColor, 0});
    runtime.raiseClick({ctl::btnCard, 9});  // no such element: ignored, not a fault
    runtime.setVisible(slot(1), false);
    runtime.raiseClick(slot(1));
    runtime.raiseGotFocus({ctl::btnCard, 9});
    EXPECT_EQ(runtime.focus(), ControlId{ctl::btnFocus});
    EXPECT_TRUE(module.clicks.empty());
    runtime.click(slot(2));
    EXPECT_EQ(module.clicks, (std::vector<ControlId>{slot(2)}));
    EXPECT_EQ(module.focuses.back(), slot(2));  // the focus comes before the click
}

TEST_F(RuntimeTest, MessageBoxIsModalAndTitledWithTheApplication) {
    runtime.onMessageBox = [&](const Text&) {
        EXPECT_TRUE(runtime.inMessageBox());
        runtime.click(slot(0));
        runtime.raiseClick(slot(0));
        runtime.pressTab();
    };
    runtime.msgBox(u"Win");
    EXPECT_FALSE(runtime.inMessageBox());
    EXPECT_TRUE(module.clicks.empty());
    EXPECT_EQ(runtime.lastMessageTitle(), u"Vop");
}

TEST_F(RuntimeTest, NothingReachesTheModuleAfterEnd) {
    runtime.end();
    runtime.end();
    runtime.click(slot(0));
    runtime.raiseClick(slot(0));
    runtime.raiseGotFocus({ctl::btnGround});
    runtime.pressTab();
    EXPECT_TRUE(module.clicks.empty());
    EXPECT_EQ(module.focuses.size(), 1U);
}

TEST_F(RuntimeTest, TabOrderFollowsTabIndex) {
    const std::vector<ControlId> expected = {
        {ctl::btnFocus}, slot(0),           slot(1),          slot(2), slot(3),
        slot(4),         {ctl::cmdPlay, 0}, {ctl::cmdPlay, 1}};  // the ground is no tab stop
    EXPECT_EQ(runtime.tabOrder(), expected);
    runtime.setVisible(slot(1), false);
    runtime.setEnabled(slot(3), false);
    const std::vector<ControlId> shown = {{ctl::btnFocus}, slot(0),           slot(2),
                                          slot(4),         {ctl::cmdPlay, 0}, {ctl::cmdPlay, 1}};
    EXPECT_EQ(runtime.tabOrder(), shown);
}

TEST_F(RuntimeTest, AClickWhoseFocusEndsTheProgramIsNotDelivered) {
    module.onFocus = [&](ControlId id) {
        if (id == slot(1)) {
            runtime.end();
        }
    };
    runtime.click(slot(1));
    EXPECT_TRUE(runtime.ended());
    EXPECT_TRUE(module.clicks.empty());
}

TEST_F(RuntimeTest, MisuseIsARuntimeErrorNotUndefinedBehaviour) {
    EXPECT_EXIT(runtime.caption(grid(5)), ::testing::ExitedWithCode(1),
                "error 340: Control array element doesn't exist \\(lblExist\\(5\\)\\)");
    EXPECT_EXIT(runtime.setCaption({ctl::btnCard, 5}, u"x"), ::testing::ExitedWithCode(1),
                "btnCard\\(5\\)");
    EXPECT_EXIT(runtime.caption(slot(-1)), ::testing::ExitedWithCode(1), "btnCard\\(-1\\)");
    EXPECT_EXIT(runtime.caption(kNoSuchControl), ::testing::ExitedWithCode(1),
                "error 340: Control array element doesn't exist \\(cmdOther\\)");
    EXPECT_EXIT(runtime.load(grid(0)), ::testing::ExitedWithCode(1), "already loaded");
    EXPECT_EXIT(
        {
            runtime.load(grid(7));
            runtime.load(grid(7));
        },
        ::testing::ExitedWithCode(1), "lblExist\\(7\\) already loaded");
    EXPECT_EXIT(runtime.load({ctl::lblExist, 53}), ::testing::ExitedWithCode(1), "error 340");
    EXPECT_EXIT(runtime.setFocus({ctl::lblColor, 1}), ::testing::ExitedWithCode(1),
                "cannot take the focus");
    EXPECT_EXIT(
        {
            runtime.setEnabled({ctl::btnGround}, false);
            runtime.setFocus({ctl::btnGround});
        },
        ::testing::ExitedWithCode(1), "\\(btnGround cannot take the focus\\)");
    EXPECT_EXIT(
        {
            runtime.setVisible(slot(2), false);
            runtime.setFocus(slot(2));
        },
        ::testing::ExitedWithCode(1), "\\(btnCard\\(2\\) cannot take the focus\\)");
}

// Counts what reaches the window.
class CountingRuntime final : public FormRuntime {
  public:
    using FormRuntime::FormRuntime;
    int shown = 0;

  protected:
    void createWindow() override {}
    void createControl(ControlId) override {}
    void showWindow() override {}
    void showFormCaption() override {}
    void show(ControlId, Shown what) override {
        shown += what == Shown::Caption || what == Shown::Enabled || what == Shown::ForeColor;
    }
    void moveFocus(ControlId id) override { raiseGotFocus(id); }
    void showMessageBox(const Text&, const Text&) override {}
    void quit() override {}
};

TEST(RuntimeShowing, OnlyChangesReachTheWindow) {
    ScriptedRandom random;
    CountingRuntime runtime(vopWindow(), random);
    Recorder module;
    runtime.start(module);
    runtime.setCaption(slot(0), u"SA");  // as designed
    runtime.setEnabled(slot(0), true);   // already enabled
    EXPECT_EQ(runtime.shown, 0);
    runtime.setForeColor(slot(0), kRed);  // the first colour is always shown
    runtime.setForeColor(slot(0), kRed);
    runtime.setCaption(slot(0), u"H 7");
    runtime.setEnabled(slot(0), false);
    runtime.setEnabled(slot(0), false);
    EXPECT_EQ(runtime.shown, 3);
    EXPECT_EQ(runtime.caption(slot(0)), u"H 7");
    EXPECT_FALSE(runtime.enabled(slot(0)));
}

TEST(RuntimeErrorDeathTest, ReporterSeesTheErrorBeforeTheProgramEnds) {
    EXPECT_EXIT(
        {
            setRuntimeErrorReporter([](const RuntimeErrorReport& report) {
                std::fprintf(stderr, "reported %d\n", static_cast<int>(report.error));
            });
            raiseRuntimeError(RuntimeError::Overflow);
        },
        ::testing::ExitedWithCode(1), "run-time error 6: Overflow\nreported 6");
    // A code with no text of its own still reads as one line.
    EXPECT_EXIT(raiseRuntimeError(static_cast<RuntimeError>(0), "x"), ::testing::ExitedWithCode(1),
                "run-time error 0: Unknown error \\(x\\)");
}

}  // namespace
}  // namespace vop
