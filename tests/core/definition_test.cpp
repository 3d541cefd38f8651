// The window definition: sizes, places and tab order, and the twips-to-pixels rule.
#include <gtest/gtest.h>

#include <set>

#include "window/form_definition.h"

namespace vop {
namespace {

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
    EXPECT_EQ(form.border, BorderStyle::FixedSingle);
    EXPECT_EQ(form.backColor, 0x80000004U);
    EXPECT_EQ(form.appTitle, u"Vop");
    EXPECT_EQ(form.controls.size(), 14U);
}

TEST(WindowDefinition, EveryControlAtItsPlaceInPixels) {
    const Place places[] = {
        {{Ctl::btnFocus}, 120, 64, 25, 12},  {{Ctl::cmdPlay, 1}, 104, 16, 17, 17},
        {{Ctl::cmdPlay, 0}, 104, 0, 17, 17}, {{Ctl::btnGround}, 0, 0, 17, 33},
        {{Ctl::btnCard, 4}, 88, 0, 17, 33},  {{Ctl::btnCard, 3}, 72, 0, 17, 33},
        {{Ctl::btnCard, 2}, 56, 0, 17, 33},  {{Ctl::btnCard, 1}, 40, 0, 17, 33},
        {{Ctl::btnCard, 0}, 24, 0, 17, 33},  {{Ctl::lblColor, 3}, 3, 56, 9, 9},
        {{Ctl::lblColor, 2}, 3, 48, 9, 9},   {{Ctl::lblColor, 1}, 3, 40, 9, 9},
        {{Ctl::lblColor, 0}, 3, 32, 9, 9},   {{Ctl::lblExist, 0}, 32, 32, 9, 9},
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

// Backends name their widgets and diagnostics after the game's controls.
TEST(WindowDefinition, ControlsAreNamedAsTheGameCallsThem) {
    std::set<std::string_view> names;
    for (const ControlDef& def : vopWindow().controls) {
        names.insert(controlName(def.id.name));
    }
    const std::set<std::string_view> expected = {"btnFocus", "cmdPlay",  "btnGround",
                                                 "btnCard",  "lblColor", "lblExist"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(controlName(static_cast<Ctl>(6)), "?");  // a name past the table still prints
}

TEST(WindowDefinition, FocusButtonLiesWhollyOutsideTheClientArea) {
    const FormDef& form = vopWindow();
    const ControlDef* focus = findControl(form, {Ctl::btnFocus});
    ASSERT_NE(focus, nullptr);
    EXPECT_GE(focus->left, form.clientWidth);
    EXPECT_GT(focus->top, form.clientHeight);
    EXPECT_TRUE(focus->visible);
    EXPECT_TRUE(focus->enabled);
    EXPECT_EQ(focus->tabIndex, 0);
}

TEST(WindowDefinition, ClubsRowShowsOnlyItsUpperSevenPixels) {
    const FormDef& form = vopWindow();
    const ControlDef* clubs = findControl(form, {Ctl::lblColor, 3});
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
            EXPECT_EQ(def.font.weight, 400);
            EXPECT_EQ(def.font.charset, 0);
        } else {
            EXPECT_TRUE(def.font.isDefault());
        }
    }
}

TEST(WindowDefinition, TemplateIsHiddenWhiteAndFoundForLoadedLabels) {
    const FormDef& form = vopWindow();
    const ControlDef* templ = findControl(form, {Ctl::lblExist, 0});
    ASSERT_NE(templ, nullptr);
    EXPECT_FALSE(templ->visible);
    EXPECT_TRUE(templ->hasBackColor);
    EXPECT_EQ(templ->backColor, kWhite);
    EXPECT_EQ(findControl(form, {Ctl::lblExist, 52}), templ);
    EXPECT_EQ(findControl(form, {Ctl::btnCard, 5}), nullptr);
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
