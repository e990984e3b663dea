// Applying a profile's lighting to a device page: the light state, the trail
// reset, the per-LED list and the selected user sequence, then the light
// thread's passes through the page's own renderers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "headset/qt/orvane_hs6533_device.h"
#include "mouse/qt/orvane_mouse_device.h"
#include "mouse/qt/orvane_mouse_pad_device.h"
#include "profile/json_file.h"

namespace r88 {
namespace {

// The light thread's side of a page, called here on the test's thread.
template <class Page>
class Driven : public Page {
public:
    using Page::CurrentLightSchedule;
    using Page::EndLightPass;
    using Page::RenderLightFrame;
};

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::trunc) << text;
}

template <class Page>
void SetUpPage(Page& page, const std::string& name, int index, int leds, const std::string& lightInfo) {
    page.SetLightCount(leds);
    page.SetDeviceName(name);
    page.SetDeviceIndex(index);
    page.SetLightPresetName("kestra_light");
    page.SetDocumentPaths("lighting_test");
    const std::string folder = DeviceDataFolder(name);
    Write(page.GetDocumentPath(), R"({"Device": [{"LightInfo": )" + lightInfo +
                                      R"(, "LightList": [null, {"LEDREGMode": 1, "LEDBrightness": 4,
                                        "red": 1, "green": 2, "blue": 3}]}]})");
    // Kind 2 (the pad) plays entry 0 for id 5 and entry 1 for id 10; kind 1 (the mouse) entry 0 for id 9.
    Write(folder + "kestra_light.config",
          R"({"LightInfo": [[], [{"Guid": "blue"}], [{"Guid": "red"}, {"Guid": "green"}]]})");
    Write(folder + "red.light",
          R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "red": 200, "Time": 1000}]})");
    Write(folder + "green.light",
          R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "green": 200, "Time": 1000}]})");
    Write(folder + "blue.light",
          R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "blue": 200, "Time": 1000}]})");
}

TEST(DeviceLighting, APadPlaysTheSequenceItsIdSelectsAndKeepsItsLightList) {
    Driven<COrvaneMousePadDevice> pad;
    SetUpPage(pad, "MousePad", 2, 15,
              R"({"SelectItem": 10, "Light": 4, "Speed": 2, "Fx": 1, "MultiColor": 1, "Red": 5, "Green": 6,
                  "Blue": 7})");
    ASSERT_EQ(pad.LoadProfile(), 1);
    EXPECT_EQ(pad.GetLightState().effect, 10);
    EXPECT_EQ(pad.GetLedValue(1), 0xFF030201u);  // the list was applied once at once
    const LightSchedule schedule = pad.CurrentLightSchedule();
    EXPECT_EQ(schedule.kind, LightSchedule::Kind::kEveryPass);
    EXPECT_TRUE(schedule.lightList);

    pad.RenderLightFrame();
    EXPECT_EQ(pad.GetLedValue(0), 0xFF00C800u);  // entry 1: green
    EXPECT_EQ(pad.GetLedValue(1), 0xFF00C800u);
    pad.EndLightPass();
    EXPECT_EQ(pad.GetLedValue(1), 0xFF030201u);  // the list draws over the frame after every pass

    // Id 5 plays entry 0.
    Write(pad.GetDocumentPath(), R"({"Device": [{"LightInfo": {"SelectItem": 5, "Light": 4}}]})");
    ASSERT_EQ(pad.LoadProfile(), 1);
    pad.RenderLightFrame();
    EXPECT_EQ(pad.GetLedValue(0), 0xFF0000C8u);
    EXPECT_FALSE(pad.CurrentLightSchedule().lightList);  // the new profile has no list
}

TEST(DeviceLighting, ANewEffectRestartsTheTrailAlsoAfterThePanelStoredIt) {
    Driven<COrvaneHS6533Device> headset;
    SetUpPage(headset, "HD", 3, 13, R"({"SelectItem": 6, "Light": 4, "Fx": 1})");
    ASSERT_EQ(headset.LoadProfile(), 1);
    headset.Core().SetTrailRing(0, 0);
    headset.Core().SetTrailRing(5, 1);
    // The lighting panel stores the new state first, then applies it.
    LightState state = headset.GetLightState();
    state.effect = 7;
    headset.SetLightState(state);
    headset.SaveProfile();
    ASSERT_EQ(headset.ApplyLighting(), 1);
    EXPECT_EQ(headset.Core().TrailRing(0), 1);
    EXPECT_EQ(headset.Core().TrailRing(5), 0);
    // The same effect again keeps the trail where it is.
    headset.Core().SetTrailRing(5, 1);
    ASSERT_EQ(headset.ApplyLighting(), 1);
    EXPECT_EQ(headset.Core().TrailRing(5), 1);
}

TEST(DeviceLighting, TheMouseAppliesItsListOnlyWithTheLightingAndOffRestsAfterItsDarkFrame) {
    Driven<COrvaneMouseDevice> mouse;
    SetUpPage(mouse, "mouse", 1, 6, R"({"SelectItem": 7, "Light": 4})");
    ASSERT_EQ(mouse.LoadProfile(), 1);
    EXPECT_EQ(mouse.GetLedValue(1), 0xFF030201u);
    EXPECT_EQ(mouse.CurrentLightSchedule().kind, LightSchedule::Kind::kPeriodic);
    EXPECT_FALSE(mouse.CurrentLightSchedule().lightList);
    mouse.RenderLightFrame();
    mouse.EndLightPass();
    EXPECT_EQ(mouse.GetLedValue(1), 0u);
    EXPECT_EQ(mouse.CurrentLightSchedule().kind, LightSchedule::Kind::kIdle);
    // Id 9 plays the mouse's entry 0.
    Write(mouse.GetDocumentPath(), R"({"Device": [{"LightInfo": {"SelectItem": 9, "Light": 4}}]})");
    ASSERT_EQ(mouse.LoadProfile(), 1);
    mouse.RenderLightFrame();
    EXPECT_EQ(mouse.GetLedValue(5), 0xFFC80000u);
}

}  // namespace
}  // namespace r88
