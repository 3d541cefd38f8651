// The window definition: sizes, places and tab order, and the twips-to-pixels rule.
#include <gtest/gtest.h>

#include <set>

#include "game/vop_window.h"

namespace vop {
namespace {

// The record of a control in the definition.
const ControlDef* findControl(const FormDef& form, ControlId id) {
    for (const ControlDef& def : form.controls) {
        if (def.id == id) {
            return &def;
        }
    }
    return nullptr;
}

struct Place {
    ControlId id;
    int x, y, w, h;  // pixels at 96 dpi
};

TEST(WindowDefinition, ClientAreaAndFrame) {
    const FormDef& form = vopWindow();
    EXPECT_EQ(form.name, "frmVop");
    EXPECT_EQ(form.caption, u"VoP");
    EXPECT_EQ(twipsToPixels(form.clientWidth, 96), 120);
    EXPECT_EQ(twipsToPixels(form.clientHeight, 96), 63);
    EXPECT_EQ(twipsToPixels(form.clientWidth, 144), 180);
    EXPECT_EQ(twipsToPixels(form.clientHeight, 144), 95);  // 94.5 rounds up
    EXPECT_EQ(form.backColor, 0x80000004U);
    EXPECT_EQ(form.appTitle, u"Vop");
    EXPECT_EQ(form.controls.size(), 14U);
}

TEST(WindowDefinition, EveryControlAtItsPlaceInPixels) {
    const Place places[] = {
        {{ctl::btnFocus}, 120, 64, 25, 12},  {{ctl::cmdPlay, 1}, 104, 16, 17, 17},
        {{ctl::cmdPlay, 0}, 104, 0, 17, 17}, {{ctl::btnGround}, 0, 0, 17, 33},
        {{ctl::btnCard, 4}, 88, 0, 17, 33},  {{ctl::btnCard, 3}, 72, 0, 17, 33},
        {{ctl::btnCard, 2}, 56, 0, 17, 33},  {{ctl::btnCard, 1}, 40, 0, 17, 33},
        {{ctl::btnCard, 0}, 24, 0, 17, 33},  {{ctl::lblColor, 3}, 3, 56, 9, 9},
        {{ctl::lblColor, 2}, 3, 48, 9, 9},   {{ctl::lblColor, 1}, 3, 40, 9, 9},
        {{ctl::lblColor, 0}, 3, 32, 9, 9},   {{ctl::lblExist, 0}, 32, 32, 9, 9},
    };
    const FormDef& form = vopWindow();
    for (std::size_t i = 0; i < std::size(places); ++i) {
        const ControlDef& def = form.controls[i];
        const Place& p = places[i];
        EXPECT_EQ(def.id, p.id) << i;
        EXPECT_EQ(twipsToPixels(def.left, 96), p.x) << i;
        EXPECT_EQ(twipsToPixels(def.top, 96), p.y) << i;
        EXPECT_EQ(twipsToPixels(def.width, 96), p.w) << i;
        EXPECT_EQ(twipsToPixels(def.height, 96), p.h) << i;
    }
}

// Backends name their widgets and diagnostics after the game's controls, and number
// them by their places: one for every element an array can hold, none beyond.
TEST(WindowDefinition, ControlsAreNamedAsTheGameCallsThemAndEachHasItsPlace) {
    std::set<std::string_view> names;
    for (const ControlDef& def : vopWindow().controls) {
        names.insert(def.id.name->text);
    }
    const std::set<std::string_view> expected = {"btnFocus", "cmdPlay",  "btnGround",
                                                 "btnCard",  "lblColor", "lblExist"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(controlText({ctl::btnCard, 2}), "btnCard(2)");
    EXPECT_EQ(controlText({ctl::btnFocus}), "btnFocus");

    const ControlPlaces places(vopWindow());
    EXPECT_EQ(places.count(), 1U + 2 + 1 + 5 + 4 + 53);
    for (std::size_t at = 0; at < places.count(); ++at) {
        const std::optional<ControlId> id = places.at(at);
        ASSERT_TRUE(id) << at;
        EXPECT_EQ(places.of(*id), at) << controlText(*id);
    }
    EXPECT_TRUE(places.of({ctl::lblExist, 52}));
    EXPECT_FALSE(places.of({ctl::btnCard, 5}));
    EXPECT_FALSE(places.of({ctl::btnFocus, 1}));
    EXPECT_FALSE(places.at(places.count()));
}

TEST(WindowDefinition, FocusButtonLiesWhollyOutsideTheClientArea) {
    const FormDef& form = vopWindow();
    const ControlDef* focus = findControl(form, {ctl::btnFocus});
    ASSERT_NE(focus, nullptr);
    EXPECT_GE(focus->left, form.clientWidth);
    EXPECT_GT(focus->top, form.clientHeight);
    EXPECT_TRUE(focus->visible);
    EXPECT_TRUE(focus->enabled);
    EXPECT_EQ(focus->tabIndex, 0);
}

TEST(WindowDefinition, ClubsRowShowsOnlyItsUpperSevenPixels) {
    const FormDef& form = vopWindow();
    const ControlDef* clubs = findControl(form, {ctl::lblColor, 3});
    ASSERT_NE(clubs, nullptr);
    EXPECT_EQ(twipsToPixels(form.clientHeight - clubs->top, 96), 7);
    EXPECT_GT(clubs->top + clubs->height, form.clientHeight);
}

TEST(WindowDefinition, TabIndicesAreUniqueAndLabelsHoldSixToTen) {
    std::set<int> seen;
    for (const ControlDef& def : vopWindow().controls) {
        EXPECT_TRUE(seen.insert(def.tabIndex).second) << def.tabIndex;
        if (def.kind == ControlKind::Label) {
            EXPECT_GE(def.tabIndex, 6);
            EXPECT_LE(def.tabIndex, 10);
            EXPECT_EQ(def.font.face, u"Small Fonts");
            EXPECT_DOUBLE_EQ(def.font.points, 5.25);
        } else {
            EXPECT_TRUE(def.font.isDefault());
        }
    }
}

TEST(WindowDefinition, TemplateIsHiddenAndWhite) {
    const FormDef& form = vopWindow();
    const ControlDef* templ = findControl(form, {ctl::lblExist, 0});
    ASSERT_NE(templ, nullptr);
    EXPECT_FALSE(templ->visible);
    EXPECT_TRUE(templ->hasBackColor);
    EXPECT_EQ(templ->backColor, kWhite);
}

TEST(WindowDefinition, TwipsToPixelsRoundsToNearest) {
    EXPECT_EQ(twipsToPixels(50, 96), 3);   // 3.33
    EXPECT_EQ(twipsToPixels(50, 192), 7);  // 6.67
    EXPECT_EQ(twipsToPixels(15, 120), 1);  // 1.25
    EXPECT_EQ(twipsToPixels(1800, 120), 150);
    EXPECT_EQ(twipsToPixels(945, 120), 79);  // 78.75
    EXPECT_EQ(twipsToPixels(-15, 96), -1);
}

}  // namespace
}  // namespace vop
