// The user light sequence player and the per-LED light list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "lighting/led_light_list.h"
#include "lighting/light_sequence_player.h"
#include "profile/profile_data.h"
#include "tests/lighting/light_test_frame.h"

namespace r88 {
namespace {

using test::Led;
using test::LedAt;
using test::TestFrame;

LightStep Step(std::uint8_t mode, Rgb colour, std::uint32_t timeMs, std::uint8_t brightness = 4,
               std::uint8_t speed = 4, std::uint8_t direction = 0, std::uint8_t multi = 0) {
    LightStep s;
    s.mode = mode;
    s.brightness = brightness;
    s.speed = speed;
    s.direction = direction;
    s.multiColor = multi;
    s.red = colour.red;
    s.green = colour.green;
    s.blue = colour.blue;
    s.time = timeMs;
    return s;
}

TEST(LightSequencePlayer, EmptyOrMissingSequencesAreDark) {
    // A sequence entry whose light file is not there reads as no steps.
    const auto folder = std::filesystem::temp_directory_path() / ("r88-seq-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "kestra_light.config")
        << R"({"LightInfo": [[], [{"LightName": "gone", "Guid": "missing"}]]})";
    CBasicProfiledata profile;
    profile.SetLightPresetsPath((folder / "kestra_light.config").string());
    profile.ReadLightPresets(profile.GetLightPresetsPath());
    const std::vector<LightStep> missing = profile.ReadLedEffectList(1, 0);
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(missing.empty());

    for (const auto& steps : {missing, std::vector<LightStep>{}}) {
        TestFrame f(4);
        for (int i = 0; i < 4; ++i) f.core.SetLedValue(i, 0xFF112233);
        CLightSequencePlayer player;
        player.Load(steps);
        player.Play(f.core, 10);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(f.core.GetLedValue(i), 0u);
    }
}

TEST(LightSequencePlayer, StepsLastTheirTimeAndRepeat) {
    TestFrame f(2);
    CLightSequencePlayer player;
    player.Load({Step(1, {10, 0, 0}, 100), Step(1, {0, 20, 0}, 50), Step(1, {0, 0, 30}, 0)});
    struct Pass {
        std::uint32_t now;
        int shown;     // red, green or blue step: the colour drawn on this pass
        size_t after;  // the current step after it
    };
    const Pass passes[] = {
        {1000, 0, 0},  // the step timer starts here
        {1100, 0, 0},  // not more than 100 ms yet
        {1101, 0, 1}, {1151, 1, 1},
        {1152, 1, 2}, {1152, 2, 2},  // a step of 0 ms waits for the clock to move on
        {1153, 2, 0}, {1154, 0, 0},
    };
    const Led colours[] = {{10, 0, 0, 255}, {0, 20, 0, 255}, {0, 0, 30, 255}};
    for (const Pass& p : passes) {
        SCOPED_TRACE(p.now);
        player.Play(f.core, p.now);
        EXPECT_EQ(LedAt(f.core, 1), colours[p.shown]);
        EXPECT_EQ(player.CurrentStep(), p.after);
    }
}

TEST(LightSequencePlayer, StepEffects) {
    TestFrame f(3);
    CLightSequencePlayer player;
    // Spectrum cycle at speed 4 moves a phase every pass.
    player.Load({Step(5, {}, 1000, 2)});
    player.Play(f.core, 0);
    EXPECT_EQ(LedAt(f.core, 0), (Led{255, 3, 0, 135}));
    // Mode 3 leaves the frame as it is.
    f.core.SetLedValue(2, 0x01020304);
    player.Load({Step(3, {}, 1000)});
    player.Play(f.core, 0);
    EXPECT_EQ(f.core.GetLedValue(2), 0x01020304u);
    // A multicolour wave going up starts at 192 − phase: the phase (1) moves on at
    // the seventh pass counted, and the LEDs are 12 entries apart.
    player.Load({Step(4, {}, 1000, 4, 4, 1, 1)});
    for (int i = 0; i < 7; ++i) player.Play(f.core, 0);
    EXPECT_EQ(LedAt(f.core, 0), (Led{255, 0, 2, 255}));   // entry 190
    EXPECT_EQ(LedAt(f.core, 1), (Led{255, 38, 0, 255}));  // entry 202 → 10
    // Flash steps go on and off every interval; levels above 4 stay inside the tables.
    player.Load({Step(2, {9, 9, 9}, 100000, 7, 7)});
    player.Play(f.core, 0);
    EXPECT_EQ(LedAt(f.core, 0), (Led{0, 0, 0, 0}));
    player.Play(f.core, 1400);
    EXPECT_EQ(LedAt(f.core, 0), (Led{9, 9, 9, 255}));
}

LedLightEntry Entry(std::uint8_t mode, Rgb colour, std::uint8_t brightness = 4, std::uint8_t speed = 4,
                    std::uint8_t multi = 0) {
    return {mode, brightness, speed, 0, multi, colour.red, colour.green, colour.blue, 1};
}

TEST(LedLightList, EachModeDrawsOverItsOwnLed) {
    TestFrame f(8);
    const std::uint32_t drawn = 0xFF445566;  // what the current effect drew
    for (int i = 0; i < 8; ++i) f.core.SetLedValue(i, drawn);
    CLedLightList list;
    std::vector<LedLightEntry> entries(8);
    entries[0] = Entry(1, {1, 2, 3}, 1);        // static
    entries[1] = Entry(4, {1, 2, 3});           // off
    entries[2] = Entry(3, {}, 4, 4);            // spectrum cycle, every 7 passes
    entries[3] = Entry(2, {7, 8, 9}, 4, 4);     // flash, 1400 ms
    entries[4] = Entry(2, {}, 4, 4, 1);         // multicolour flash
    entries[5] = Entry(0, {50, 60, 70}, 9, 9);  // breathing, levels above 4 read as 4
    entries[6] = LedLightEntry{};               // no setting of its own
    entries[7] = Entry(1, {1, 1, 1});
    entries[7].set = 0;  // not set: ignored whatever its mode
    list.Load(entries);
    EXPECT_TRUE(list.HasEntries());

    list.Apply(f.core, 5000);
    const std::vector<Led> first{
        {1, 2, 3, 80}, {0, 0, 0, 0},    {255, 1, 0, 255},         {0, 0, 0, 0},
        {0, 0, 0, 0},  {50, 60, 70, 0}, {0x66, 0x55, 0x44, 0xFF}, {0x66, 0x55, 0x44, 0xFF}};
    EXPECT_EQ(test::Leds(f.core), first);

    for (int pass = 0; pass < 6; ++pass) list.Apply(f.core, 6400);
    EXPECT_EQ(LedAt(f.core, 2), (Led{255, 3, 0, 255}));   // 7 passes: next spectrum entry
    EXPECT_EQ(LedAt(f.core, 3), (Led{7, 8, 9, 255}));     // on
    EXPECT_EQ(LedAt(f.core, 4), (Led{255, 65, 0, 255}));  // colour counter + 14
    EXPECT_EQ(LedAt(f.core, 5), (Led{50, 60, 70, 0}));    // going down: phase 127, curve 0

    // A reload starts every LED afresh: the flash is off again.
    list.Load(entries);
    list.Apply(f.core, 6500);
    EXPECT_EQ(LedAt(f.core, 3), (Led{0, 0, 0, 0}));
    list.Load({});
    EXPECT_FALSE(list.HasEntries());
}

}  // namespace
}  // namespace r88
