// The groups of the lighting panel each effect uses, per panel kind.
#include "lighting/light_panel_groups.h"

#include <gtest/gtest.h>

namespace r88 {
namespace {

struct Case {
    int kind;
    int effect;
    // Enabled: multicolour, colour, palette, brightness, speed, direction.
    const char* enabled;
    bool same;
};

std::string Enabled(const LightPanelGroups& g) {
    std::string s;
    for (bool on : {g.multiColor, g.colour, g.pallet, g.brightness, g.speed, g.direction}) s += on ? '+' : '-';
    return s;
}

TEST(LightPanelGroups, EachKindsTableDecidesTheEnabledGroups) {
    const Case cases[] = {
        {2, 0, "---++-", true},  {2, 3, "+++++-", true}, {2, 4, "--++--", true},
        {2, 7, "------", true},  {2, 8, "+++++-", true}, {2, 12, "------", true},
        {6, 3, "+++++-", true},  // the mouse through its receiver
        {3, 0, "++++++", false}, {3, 1, "---++-", true}, {3, 3, "-+++--", true},
        {3, 5, "------", false}, {3, 8, "------", true}, {7, 4, "+++++-", true},
        {1, 0, "++++++", false}, {1, 5, "-+++--", true}, {1, 13, "---+++", false},
        {1, 16, "---+--", true}, {1, 27, "-+++--", false}, {1, 34, "------", true},
        {1, 21, "------", false}, {0, 1, "------", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " effect " << c.effect);
        const LightPanelGroups g = PanelGroupsFor(c.kind, c.effect);
        EXPECT_EQ(Enabled(g), c.enabled);
        EXPECT_EQ(g.sameAction, c.same);
        EXPECT_TRUE(g.effect);
    }
}

TEST(LightPanelGroups, WhatTheMouseAndTheKeyboardShow) {
    // The mouse has no direction; speed shows with breathing only, and off hides brightness.
    for (int effect = 0; effect < 10; ++effect) {
        SCOPED_TRACE(effect);
        const LightPanelGroups g = PanelGroupsFor(2, effect);
        EXPECT_FALSE(g.directionShown);
        EXPECT_EQ(g.speedShown, effect == 6);
        EXPECT_EQ(g.brightnessShown, effect != 7);
        EXPECT_FALSE(g.customShown);
    }
    // The keyboard's custom group combo shows with its custom lighting only.
    for (int effect = 0; effect < 40; ++effect) {
        EXPECT_EQ(PanelGroupsFor(1, effect).customShown, effect == 27) << effect;
        EXPECT_TRUE(PanelGroupsFor(1, effect).directionShown) << effect;
    }
    EXPECT_FALSE(PanelGroupsFor(3, 27).customShown);
}

}  // namespace
}  // namespace r88
