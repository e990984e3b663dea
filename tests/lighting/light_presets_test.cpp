// The light presets store: the names of a device kind from the factory
// document and the user's sequence list.
#include "lighting/light_presets.h"

#include <gtest/gtest.h>

#include "profile/json_file.h"
#include "tests/profile/profile_test_env.h"

namespace r88 {
namespace {

class LightPresetsTest : public test::ProfileHome {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = Root() + name;
        WriteFile(path, text);
        return path;
    }
};

// Kind 2 (mouse pad) has three entries, the second not offered; kind 0 has one.
constexpr char kDefaultLight[] = R"({
  "DefaultLightName": [
    [ {"LightName": "kb", "visible": true} ],
    [],
    [ {"LightName": "wave", "visible": true},
      {"LightName": "灯光序列", "visible": false},
      {"LightName": "static", "visible": true} ]
  ],
  "AreaLightName": [ [], [], [ {"LightName": "edge"}, {"LightName": "角落"} ] ]
})";

constexpr char kSequences[] = R"({
  "LightInfo": [ [], [ {"LightName": "Mine", "Guid": "a"}, {"LightName": "Zweite Folge", "Guid": "b"} ] ]
})";

TEST_F(LightPresetsTest, AKindsElementGivesItsNamesInOrderWithTheirFlags) {
    LightPresetLists lists;
    LoadLightPresetLists(Write("default_light.json", kDefaultLight), Write("kestra_light.config", kSequences), 2,
                         lists);
    // Three entries, three names: effect ids 3 and above have none.
    EXPECT_EQ(lists.effectNames, (std::vector<std::string>{"wave", "灯光序列", "static"}));
    // A name not offered keeps its place, so its position stays its effect id.
    EXPECT_EQ(lists.effectVisible, (std::vector<std::uint8_t>{1, 0, 1}));
    EXPECT_EQ(lists.areaNames, (std::vector<std::string>{"edge", "角落"}));
    // Kind 2 has no sequence element: the list stays as it was (empty).
    EXPECT_TRUE(lists.sequenceNames.empty());

    LoadLightPresetLists(Root() + "default_light.json", Root() + "kestra_light.config", 1, lists);
    EXPECT_TRUE(lists.effectNames.empty());  // an empty element is still the kind's element
    EXPECT_EQ(lists.sequenceNames, (std::vector<std::string>{"Mine", "Zweite Folge"}));
}

TEST_F(LightPresetsTest, WhatCannotBeReadLeavesTheListsAsTheyWere) {
    LightPresetLists before;
    LoadLightPresetLists(Write("default_light.json", kDefaultLight), Write("kestra_light.config", kSequences), 2,
                         before);
    before.sequenceNames = {"kept"};
    struct Case {
        const char* what;
        std::string defaults;
        std::string sequences;
        int kind;
    };
    const Case cases[] = {
        {"missing files", Root() + "none.json", Root() + "none.config", 2},
        {"unparsable files", Write("broken.json", "{\"DefaultLightName\": [[{"), Write("broken.config", "[,"), 2},
        {"no element for the kind", Root() + "default_light.json", Root() + "kestra_light.config", 4},
        {"a negative kind", Root() + "default_light.json", Root() + "kestra_light.config", -1},
        {"elements of the wrong type",
         Write("odd.json", R"({"DefaultLightName": [0, 0, "x"], "AreaLightName": {"2": []}})"),
         Write("odd.config", R"({"LightInfo": [[], [], {"a": 1}]})"), 2},
        {"no paths", "", "", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LightPresetLists lists = before;
        LoadLightPresetLists(c.defaults, c.sequences, c.kind, lists);
        EXPECT_EQ(lists, before);
    }
}

TEST_F(LightPresetsTest, EntriesThatAreNoObjectsKeepTheirPlaceNotOffered) {
    LightPresetLists lists;
    TakeDefaultLightNames(Json::Value(), 0, lists);
    const std::string path =
        Write("mixed.json", R"({"DefaultLightName": [[ 5, {"LightName": "b"}, {"visible": true} ]]})");
    LoadLightPresetLists(path, "", 0, lists);
    EXPECT_EQ(lists.effectNames, (std::vector<std::string>{"", "b", ""}));
    // A missing "visible" reads false, like every missing value of a document.
    EXPECT_EQ(lists.effectVisible, (std::vector<std::uint8_t>{0, 0, 1}));
}

TEST_F(LightPresetsTest, TheShippedDocumentNamesEveryBuiltInEffectOfEveryKind) {
    struct Kind {
        int index;
        std::size_t effects;
        std::vector<int> hidden;
    };
    // Ids that play a user light sequence are listed but not offered: no
    // sequence exists until the user has one.
    const Kind kinds[] = {{0, 37, {18, 19, 20, 21, 22, 23, 24, 26, 29, 33}},
                          {1, 9, {}},
                          {2, 9, {5}},
                          {3, 9, {5}},
                          {4, 37, {18, 19, 20, 21, 22, 23, 24, 26, 29, 33}}};
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.index);
        LightPresetLists lists;
        LoadLightPresetLists(DefaultDataFolder() + kDefaultLightFileName, "", k.index, lists);
        ASSERT_EQ(lists.effectNames.size(), k.effects);
        ASSERT_EQ(lists.effectVisible.size(), k.effects);
        EXPECT_FALSE(lists.areaNames.empty());
        for (std::size_t i = 0; i < k.effects; ++i) {
            const bool hidden = std::find(k.hidden.begin(), k.hidden.end(), static_cast<int>(i)) != k.hidden.end();
            EXPECT_EQ(lists.effectVisible[i], hidden ? 0 : 1) << "effect " << i;
            EXPECT_FALSE(lists.effectNames[i].empty()) << "effect " << i;
        }
    }
}

TEST(MouseLogoEffectName, BuiltInBelowNineThenTheUsersSequences) {
    LightPresetLists lists;
    lists.effectNames = {"e0", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "e8"};
    lists.sequenceNames = {"s0", "s1"};
    const std::pair<int, const char*> cases[] = {{0, "e0"}, {8, "e8"}, {9, "s0"}, {10, "s1"}, {11, ""}, {-1, ""}};
    for (const auto& [effect, name] : cases) EXPECT_EQ(MouseLogoEffectName(lists, effect), name) << effect;
    lists.effectNames.resize(3);
    EXPECT_EQ(MouseLogoEffectName(lists, 5), "");
}

}  // namespace
}  // namespace r88
