#include <gtest/gtest.h>

#include "platform/trace.h"
#include "profile/profile_data.h"
#include "profile_test_env.h"

namespace r88 {
namespace {

class ProfileData : public test::ProfileHome {
protected:
    // A profile data object on the document at Root()/p.Json with the
    // factory document of folderName as its default.
    template <class T>
    T Open(const std::string& folderName, const std::string& documentText) {
        T data;
        data.SetDefaultDocumentPath(DefaultDocumentPath(folderName));
        data.SetDocumentPath(DocPath());
        if (!documentText.empty()) WriteFile(DocPath(), documentText);
        data.Load(DocPath());
        return data;
    }
    std::string DocPath() const { return Root() + "p.Json"; }
    Json::Value Doc() const { return file.ReadJson(DocPath()); }
    Json::Value Factory(const std::string& folderName) const {
        return file.ReadJson(DefaultDocumentPath(folderName))["Device"][0];
    }
    CJsonFile file;
};

TEST_F(ProfileData, LoadCompletesADocumentWithoutItsSectionFromTheFactoryDocument) {
    const std::string factoryText = ReadFile(DefaultDocumentPath("mouse"));
    auto data = Open<CMouseProfiledata>("mouse", R"({"profilename":"Mine","profileUUID":"2024_05_01_13_45_12_345"})");
    EXPECT_EQ(data.GetSection(), Factory("mouse"));
    const Json::Value doc = Doc();
    EXPECT_EQ(doc["profilename"], "Mine");
    EXPECT_EQ(doc["profileUUID"], "2024_05_01_13_45_12_345");
    EXPECT_EQ(doc["Device"][0], Factory("mouse"));
    EXPECT_EQ(ReadFile(DefaultDocumentPath("mouse")), factoryText);

    // Restoring defaults loads the factory section; the document path stays.
    data.WriteActiveStage(3);
    ASSERT_TRUE(data.LoadFactorySection());
    EXPECT_EQ(data.GetDocumentPath(), DocPath());
    EXPECT_EQ(data.ReadDpiStages().size(), 5u);
    EXPECT_EQ(data.GetActiveStage(), 1);
    ASSERT_EQ(data.Save(), 0);
    EXPECT_EQ(Doc()["Device"][0], Factory("mouse"));
    EXPECT_EQ(Doc()["profilename"], "Mine");
}

TEST_F(ProfileData, WithoutTheFactoryDocumentRestoringDefaultsKeepsTheProfile) {
    auto data = Open<CKeyboardProfiledata>("keyboard", R"({"profilename":"Mine","Device":[{}]})");
    data.WriteKeyboardSystem(0x00100020, 1, 0);
    data.WriteLightState(LightState{5, 1, 2, 0, 0, 9, 8, 7, 0, 0});
    ASSERT_EQ(data.Save(), 0);
    const Json::Value section = data.GetSection();
    const std::string text = ReadFile(DocPath());

    for (const std::string& factory : {Root() + "absent.Json", DocPath() + ".broken"}) {
        WriteFile(DocPath() + ".broken", "{\"Device\": [");
        data.SetDefaultDocumentPath(factory);
        EXPECT_FALSE(data.LoadFactorySection()) << factory;
        EXPECT_EQ(data.GetSection(), section) << factory;
        EXPECT_EQ(ReadFile(DocPath()), text) << factory;
    }
    // The next change is saved on top of the whole section, not over it.
    data.WriteLightState(LightState{6, 1, 2, 0, 0, 9, 8, 7, 0, 0});
    ASSERT_EQ(data.Save(), 0);
    EXPECT_EQ(Doc()["Device"][0]["SystemStages"]["Repeat"], 0x20);
    EXPECT_EQ(Doc()["Device"][0]["LightInfo"]["SelectItem"], 6);
}

TEST_F(ProfileData, ASectionIsSavedOnlyIntoTheDocumentItWasLoadedFor) {
    auto data =
        Open<CBasicProfiledata>("MousePad", R"({"profilename":"A","Device":[{"LightInfo":{"Red":1}}]})");
    const std::string other = Root() + "other.Json";
    WriteFile(other, R"({"profilename":"B","Device":[{"LightInfo":{"Red":2},"LightList":[]}]})");
    const std::string otherText = ReadFile(other);

    // The path moved on to B while A's settings are in memory.
    data.SetDocumentPath(other);
    data.WriteLightState(LightState{1, 2, 3, 0, 0, 50, 60, 70, 0, 0});
    TraceCapture trace;
    EXPECT_EQ(data.Save(), 1);
    EXPECT_EQ(ReadFile(other), otherText);
    EXPECT_TRUE(trace.Contains("other.Json")) << trace.Text();

    // Once B is loaded its own changes are saved.
    data.Load(other);
    data.WriteLightState(LightState{1, 2, 3, 0, 0, 50, 60, 70, 0, 0});
    ASSERT_EQ(data.Save(), 0);
    EXPECT_EQ(file.ReadJson(other)["Device"][0]["LightInfo"]["Red"], 50);
    EXPECT_TRUE(file.ReadJson(other)["Device"][0].isMember("LightList"));
    EXPECT_EQ(Doc()["Device"][0]["LightInfo"]["Red"], 1);

    // A profile object that loaded nothing writes nothing, even after a change.
    CBasicProfiledata fresh;
    fresh.SetDocumentPath(DocPath());
    const std::string text = ReadFile(DocPath());
    fresh.WriteLightState(LightState{});
    EXPECT_EQ(fresh.Save(), 1);
    EXPECT_EQ(ReadFile(DocPath()), text);
}

TEST_F(ProfileData, HostileDocumentsFallBackToTheFactorySectionWithATraceLine) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"a list", "[1, 2]"},
        {"Device not a list", R"({"Device": {"0": 1}, "profilename": "x"})"},
        {"section not an object", R"({"Device": [7]})"},
        {"too deep", R"({"Device": [)" + std::string(200, '[') + std::string(200, ']') + "]}"},
        {"too large", R"({"Device": [{}], "pad": ")" + std::string(CJsonFile::kMaxFileSize, 'x') + "\"}"},
    };
    for (const auto& c : cases) {
        const auto before = Snapshot(DefaultDataFolder());
        TraceCapture trace;
        auto data = Open<CKeyboardProfiledata>("keyboard", c.text);
        EXPECT_EQ(data.GetSection(), Factory("keyboard")) << c.name;
        EXPECT_EQ(data.ReadKeyList().size(), 126u) << c.name;
        EXPECT_TRUE(trace.Contains("p.Json")) << c.name;
        EXPECT_EQ(Snapshot(DefaultDataFolder()), before) << c.name;
    }
}

TEST_F(ProfileData, SaveKeepsOtherKeysAndRecreatesADeletedDocument) {
    auto data = Open<CBasicProfiledata>(
        "MousePad", R"({"profilename":"P","profileUUID":"u","extra":[1],"Device":[{"LightInfo":{}},{"other":2}]})");
    data.WriteLightState(LightState{3, 4, 1, 0, 1, 10, 20, 30, 0, 0});
    ASSERT_EQ(data.Save(), 0);
    Json::Value doc = Doc();
    EXPECT_EQ(doc["profilename"], "P");
    EXPECT_EQ(doc["extra"][0], 1);
    EXPECT_EQ(doc["Device"][1]["other"], 2);
    EXPECT_EQ(doc["Device"][0]["LightInfo"]["Blue"], 30);

    std::filesystem::remove(DocPath());
    ASSERT_EQ(data.Save(), 0);
    doc = Doc();
    EXPECT_EQ(doc.getMemberNames(), std::vector<std::string>{"Device"});
    EXPECT_EQ(doc["Device"][0], data.GetSection());

    // Nothing loaded yet: nothing is written over the document.
    CBasicProfiledata fresh;
    fresh.SetDocumentPath(DocPath());
    EXPECT_EQ(fresh.Save(), 1);
    EXPECT_EQ(Doc(), doc);
}

TEST_F(ProfileData, LightStateReadsFlagsAsBooleansAndWritesWholeBytes) {
    auto data = Open<CBasicProfiledata>("HD", R"({"Device":[{"LightInfo":
        {"SelectItem":12,"Light":2,"Speed":3,"Fx":1,"MultiColor":7,"Red":1,"Green":2,"Blue":3}}]})");
    const LightState s = data.ReadLightState();
    EXPECT_EQ(s, (LightState{12, 2, 3, 1, 1, 1, 2, 3, 0, 0}));
    data.WriteLightState(s.WordA(), s.WordB(), 0x00AB1234);
    EXPECT_EQ(data.GetLightState().spare16, 0x1234);
    EXPECT_EQ(data.GetLightState().spare8, 0xAB);
    data.Save();
    const Json::Value info = Doc()["Device"][0]["LightInfo"];
    EXPECT_EQ(info["MultiColor"], 1);
    EXPECT_EQ(info["SelectItem"], 12);
    EXPECT_EQ(info.size(), 8u);  // spare values are not stored

    // No "LightInfo": the all-zero fallback state.
    auto none = Open<CBasicProfiledata>("HD", R"({"Device":[{"LightList":[]}]})");
    EXPECT_EQ(none.ReadLightState(), LightState{});
}

TEST_F(ProfileData, LightListAndUserLightSequencesStayInTheDeviceFolder) {
    auto data = Open<CBasicProfiledata>("MousePad", R"({"Device":[{"LightList":[null,
        {"LEDREGMode":2,"LEDBrightness":3,"LEDSpeed":1,"LEDDirection":5,"LEDMultiColor":0,"red":9,"green":8,"blue":7}]}]})");
    EXPECT_EQ(data.ReadLightList(), (std::vector<LedLightEntry>{{}, {2, 3, 1, 1, 0, 9, 8, 7, 1}}));

    // Sequences are read beside the presets file; an identifier that is not a
    // plain file name reads nothing.
    const std::string presets = Root() + "kestra_light.config";
    WriteFile(presets, R"({"LightInfo":[[],[],[{"LightName":"Fire","Guid":"fire"},
        {"LightName":"Out","Guid":"../outside"}]]})");
    WriteFile(Root() + "fire.light", R"({"LEDEffectList":[{"LEDREGMode":4,"red":255,"Time":1500,"Cyle":3},{}]})");
    data.SetLightPresetsPath(presets);
    data.ReadLightPresets(presets);
    LightStep fire;
    fire.mode = 4;
    fire.red = 255;
    fire.time = 1500;
    fire.cycle = 3;
    EXPECT_EQ(data.ReadLedEffectList(2, 0), (std::vector<LightStep>{fire, LightStep{}}));
    TraceCapture trace;
    EXPECT_TRUE(data.ReadLedEffectList(2, 1).empty());
    EXPECT_TRUE(trace.Contains("not a plain file name"));
    EXPECT_TRUE(data.ReadLedEffectList(2, 9).empty());
    EXPECT_TRUE(data.ReadLedEffectList(7, 0).empty());
}

TEST_F(ProfileData, WrongJsonTypesReadAsEmptyWithoutTouchingTheFile) {
    const std::string text = R"({"Device":[{
        "LightInfo": "red", "LightList": {"0": 1}, "KeyList": [5, {"Assignment": "x"}],
        "SystemStages": {"Repeat": "fast", "RepeatDelay": [1], "PollingRate": 3.9},
        "CustomLightMode": {"CustomLightModeGroupIndex": 1e15},
        "DPIStages": {"StageActive": {}, "StageDPIs": "many"}, "CorrectInfo": [{"CorrectName": 5}],
        "SystemSetStages": true, "EQHzValueInfo": [0, "flat"], "CustomEQNameInfo": [{"Name": null}, 3]}]})";
    TraceCapture trace;
    auto keyboard = Open<CKeyboardProfiledata>("keyboard", text);
    const std::string stored = ReadFile(DocPath());
    EXPECT_EQ(keyboard.ReadLightState(), LightState{});
    EXPECT_TRUE(keyboard.ReadLightList().empty());
    const auto keys = keyboard.ReadKeyList();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1].current.code, KeyAssignment{});
    EXPECT_EQ(keyboard.ReadKeyboardSystem().words, (std::array<std::uint32_t, 3>{0, 3 << 16, 0}));
    EXPECT_EQ(keyboard.ReadCustomLightGroup(), 0);

    auto mouse = Open<CMouseProfiledata>("mouse", text);
    EXPECT_TRUE(mouse.ReadDpiStages().empty());
    ASSERT_EQ(mouse.ReadCorrections().size(), 1u);
    EXPECT_EQ(mouse.ReadCorrections()[0].name, "");

    auto headset = Open<CHs6533Profiledata>("HD", text);
    EXPECT_EQ(headset.ReadHeadsetSystem(), HeadsetSystemSettings{});
    EXPECT_EQ(headset.ReadCustomEqNames(), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(ReadFile(DocPath()), stored);
    EXPECT_TRUE(trace.Contains("is not an integer")) << trace.Text();
    EXPECT_TRUE(trace.Contains("out of range")) << trace.Text();
}

TEST_F(ProfileData, KeyboardKeysSystemAndCustomColours) {
    auto data = Open<CKeyboardProfiledata>("keyboard", "{}");
    auto keys = data.ReadKeyList();
    ASSERT_EQ(keys.size(), 126u);
    EXPECT_EQ(keys[0].defaults, (KeyAssignmentEntry{0, {0x20, 0x00, 0x29}, 0}));  // Esc
    EXPECT_EQ(keys[120].current.code, (KeyAssignment{0xD0, 0xA2, 0x01}));           // M1
    keys[5].current.code = {0x70, 2, 1};
    data.WriteKeyList(keys);
    data.WriteKeyboardSystem(0x0001001F, 0x00030001, 0x00010000);
    data.Save();
    const Json::Value section = Doc()["Device"][0];
    EXPECT_EQ(section["KeyList"][5]["Assignment"], 0x700201);
    EXPECT_EQ(section["KeyList"][5]["DefaultAssignment"], 0x20003E);
    EXPECT_EQ(section["SystemStages"]["PollingRate"], 3);
    EXPECT_EQ(section["SystemStages"]["WinFlag"], 1);
    EXPECT_EQ(data.ReadKeyboardSystemFromOs(20, 2).words, (std::array<std::uint32_t, 3>{0x00020014, 0x00030001, 0x00010000}));

    // A group that does not exist yet: all off but W, A, S, D and the arrows.
    const auto colours = data.ReadCustomLightColours(2, 126);
    ASSERT_EQ(colours.size(), 126u);
    for (int i = 0; i < 126; ++i) {
        const bool red = std::find(std::begin(kDefaultCustomColourKeys), std::end(kDefaultCustomColourKeys), i) !=
                         std::end(kDefaultCustomColourKeys);
        EXPECT_EQ(colours[static_cast<std::size_t>(i)], red ? (KeyColour{255, 0, 0, 255}) : KeyColour{}) << i;
    }
    EXPECT_EQ(data.GetSection()["CustomLightMode"]["LightColorInfo"][2].size(), 126u);

    // A group with a missing key gets that key filled; stored colours stay.
    auto partial = Open<CKeyboardProfiledata>("keyboard", R"({"Device":[{"CustomLightMode":{"LightColorInfo":[
        [{"Red":1,"Green":2,"Blue":3,"Alpha":4}, null, {"Red":9,"Green":9,"Blue":9,"Alpha":9}]]}}]})");
    const auto some = partial.ReadCustomLightColours(0, 3);
    EXPECT_EQ(some, (std::vector<KeyColour>{{1, 2, 3, 4}, {}, {9, 9, 9, 9}}));
    partial.WriteCustomLightColours({{5, 6, 7, 8}}, 0);
    partial.WriteCustomLightGroup(0);
    EXPECT_EQ(partial.GetSection()["CustomLightMode"]["LightColorInfo"][0][0]["Alpha"], 8);
    EXPECT_EQ(partial.GetSection()["CustomLightMode"]["LightColorInfo"][0][2]["Red"], 9);
}

TEST_F(ProfileData, MouseStagesMergeAndSystemSettingsPack) {
    auto data = Open<CMouseProfiledata>("mouse", "{}");
    const auto five = data.ReadDpiStages();
    ASSERT_EQ(five.size(), 5u);
    EXPECT_EQ(five[4], (DpiStage{1, 0, 127, 127, 255, 0, 255}));

    // A document with three stages overwrites stages 0..2 and leaves 3 and 4.
    WriteFile(DocPath(), R"({"Device":[{"DPIStages":{"StageActive":2,"StageDPIs":[
        {"StageDPIX":800},{"StageDPIX":801},{"StageDPIX":802,"StageXY":1,"StageDPIY":900}]}}]})");
    data.Load(DocPath());
    const auto merged = data.ReadDpiStages();
    ASSERT_EQ(merged.size(), 5u);
    EXPECT_EQ(merged[2], (DpiStage{0, 1, 802, 900, 0, 0, 0}));
    EXPECT_EQ(merged[3], five[3]);
    EXPECT_EQ(merged[4], five[4]);
    EXPECT_EQ(data.GetActiveStage(), 2);

    data.WriteMouseSystem(6 | (12 << 16), 1 | (1 << 16), 3 | (4 << 16), 0x1FF);
    EXPECT_EQ(data.GetSection()["HeightStages"]["StageActive"], 0xFF);
    EXPECT_EQ(data.GetSection()["ReportStages"]["StageActive"], 4);
    EXPECT_EQ(data.ReadMouseSystem().words, (std::array<std::uint32_t, 3>{6 | (12 << 16), 1 | (1 << 16), 3 | (4 << 16)}));

    const MouseSystemSettings os = data.ReadMouseSystemFromOs({500, 14, 1, OsMouseSettings::kWheelScrollPage});
    EXPECT_EQ(os.words[0], 6u | (14u << 16));
    EXPECT_EQ(os.words[1], 1u | (1u << 16));
    EXPECT_EQ(os.words[2], 0xFFFFu | (4u << 16));
    EXPECT_EQ(os.word3, 0xFF);
}

TEST(DoubleClickValue, FollowsTheTenStepScaleAndNeverWraps) {
    const struct {
        std::uint32_t ms;
        std::uint16_t value;
    } cases[] = {{200, 10}, {269, 10}, {270, 9}, {500, 6}, {899, 1}, {900, 0}, {100, 10}, {5000, 0}};
    for (const auto& c : cases) EXPECT_EQ(CMouseProfiledata::DoubleClickValue(c.ms), c.value) << c.ms;
}

TEST_F(ProfileData, HeadsetEqualiserSlotsAndCustomCurves) {
    auto data = Open<CHs6533Profiledata>("HD", "{}");
    const struct {
        int eqType;
        std::vector<int> bands;
    } cases[] = {
        {0, {7, 11, 2, -3, -1, 4, 9, 12, 9, 5}},  {14, {7, 11, 2, -3, -1, 4, 9, 12, 9, 5}},
        {-2, {7, 11, 2, -3, -1, 4, 9, 12, 9, 5}}, {1, {7, 11, 2, -3, -1, 4, 9, 12, 9, 5}},
        {12, {2, 1, -2, -4, -8, 4, 12, 16, 18, 15}}, {13, {}},
    };
    const Json::Value before = data.GetSection();
    for (const auto& c : cases) EXPECT_EQ(data.ReadEqBands(c.eqType), c.bands) << c.eqType;
    EXPECT_EQ(data.GetSection(), before);
    data.WriteEqBands(13, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(data.GetSection(), before);
    data.WriteEqBands(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(data.ReadEqBands(1), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    // A missing custom curve reads flat and is created in memory.
    EXPECT_EQ(data.ReadCustomEqBands(1), std::vector<int>(10, 0));
    EXPECT_EQ(data.GetSection()["CustomEQHzValueInfo"][1].size(), 10u);
    EXPECT_EQ(data.ReadCustomEqBands(1 << 30), std::vector<int>(10, 0));
    data.WriteCustomEqNames({"Bass", "Voix"});
    data.WriteCustomEqBands(1, {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10});
    HeadsetSystemSettings s;
    s.values = {1, 2, 13, 1, 1, 70, 0, 40};
    data.WriteHeadsetSystem(s);
    data.Save();

    CHs6533Profiledata again;
    again.SetDocumentPath(DocPath());
    again.Load(DocPath());
    EXPECT_EQ(again.ReadHeadsetSystem(), s);
    EXPECT_EQ(again.ReadCustomEqNames(), (std::vector<std::string>{"Bass", "Voix"}));
    EXPECT_EQ(again.ReadCustomEqBands(1), (std::vector<int>{-1, -2, -3, -4, -5, -6, -7, -8, -9, -10}));
    EXPECT_EQ(Doc()["Device"][0]["SystemSetStages"]["MicMoniterValue"], 40);
}

TEST_F(ProfileData, FactoryDocumentsHoldEverySectionOfTheirKind) {
    const struct {
        const char* folder;
        std::vector<const char*> sections;
        unsigned keys;
        unsigned leds;
    } cases[] = {
        {"keyboard", {"LightInfo", "LightList", "KeyList", "SystemStages", "CustomLightMode"}, 126, 126},
        {"keyboard5284", {"LightInfo", "LightList", "KeyList", "SystemStages", "CustomLightMode"}, 126, 126},
        {"mouse", {"LightInfo", "LightList", "KeyList", "SystemStages", "DPIStages", "ReportStages",
                   "HeightStages", "CorrectInfo"}, 11, 6},
        {"MousePad", {"LightInfo", "LightList"}, 0, 15},
        {"HD", {"LightInfo", "LightList", "SystemSetStages", "EQHzValueInfo", "CustomEQNameInfo",
                "CustomEQHzValueInfo"}, 0, 13},
    };
    for (const auto& c : cases) {
        const Json::Value section = Factory(c.folder);
        for (const char* key : c.sections) EXPECT_TRUE(section.isMember(key)) << c.folder << " " << key;
        EXPECT_EQ(section["KeyList"].size(), c.keys) << c.folder;
        EXPECT_EQ(section["LightList"].size(), c.leds) << c.folder;
    }
    auto mouse = Open<CMouseProfiledata>("mouse", "{}");
    const auto buttons = mouse.ReadKeyList();
    ASSERT_EQ(buttons.size(), 11u);
    EXPECT_EQ(buttons[10].defaults.code, (KeyAssignment{0x16, 0x90, 0x01}));
    EXPECT_EQ(mouse.ReadCorrections().at(0).select, 1);
    auto headset = Open<CHs6533Profiledata>("HD", "{}");
    EXPECT_EQ(headset.ReadHeadsetSystem().values[HeadsetSystemSettings::kEqType], 5);
    EXPECT_EQ(headset.ReadEqBands(5), std::vector<int>(10, 0));
}

}  // namespace
}  // namespace r88
