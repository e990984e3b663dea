#include "macro/macro_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/trace.h"
#include "profile/json_file.h"

namespace r88 {
namespace {

// A device folder of its own inside a fresh temporary folder; files outside
// the device folder show what a hostile list must not reach.
class MacroStore : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::temp_directory_path() /
                ("r88-macro-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "keyboard");
        store_.SetFolder(Folder());
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::string Root() const { return root_.string() + "/"; }
    std::string Folder() const { return Root() + "keyboard/"; }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root_))
            if (e.is_regular_file()) files[e.path().string()] = ReadFile(e.path().string());
        return files;
    }

    // A list of macros named name_i with identifiers id_i.
    void WriteList(const std::vector<MacroEntry>& entries) {
        Json::Value doc;
        doc["MacroInfo"] = Json::Value(Json::arrayValue);
        for (const MacroEntry& e : entries) {
            Json::Value entry;
            entry["MacroName"] = e.name;
            entry["Guid"] = e.id;
            doc["MacroInfo"].append(entry);
        }
        ASSERT_EQ(CJsonFile().WriteJson(store_.GetListPath(), doc), 0);
    }
    void WriteEvents(const std::string& path, std::size_t count, const char* delay = "10") {
        std::string text = R"({"Events": [)";
        for (std::size_t i = 0; i < count; ++i)
            text += std::string(i ? "," : "") + R"({"Action":"down","Type":10,"Button":4,"Delay":")" + delay +
                    "\"}";
        WriteFile(path, text + R"(], "Version": 64})");
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const MacroEntry& e : store_.LoadMacroList()) names.push_back(e.name);
        return names;
    }

    std::filesystem::path root_;
    CMacroStore store_;
};

TEST_F(MacroStore, AddPicksTheLowestFreeNameIgnoringCaseAndStopsAtFifty) {
    WriteList({{"macro_1", "a"}, {"MACRO_3", "b"}});
    const MacroAdded second = store_.AddMacro();
    EXPECT_EQ(second.index, 2);
    EXPECT_EQ(second.name, "macro_2");
    EXPECT_EQ(store_.AddMacro().name, "macro_4");
    EXPECT_EQ(Names(), (std::vector<std::string>{"macro_1", "MACRO_3", "macro_2", "macro_4"}));
    EXPECT_EQ(store_.LoadMacroList()[2].id, second.id);
    EXPECT_FALSE(std::filesystem::exists(store_.GetEventFilePath(second.id)));  // no event file yet

    while (store_.LoadMacroList().size() < kMaxMacros) ASSERT_GE(store_.AddMacro().index, 0);
    const auto before = Snapshot();
    EXPECT_EQ(store_.AddMacro().index, -1);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(MacroStore, AddStartsAListWhereThereIsNone) {
    EXPECT_TRUE(store_.LoadMacroList().empty());
    const MacroAdded added = store_.AddMacro();
    EXPECT_EQ(added.index, 0);
    EXPECT_EQ(store_.LoadMacroList(), (std::vector<MacroEntry>{{"macro_1", added.id}}));
}

TEST_F(MacroStore, RenameRefusesEmptyAndTakenNamesIncludingItsOwn) {
    WriteList({{"macro_1", "a"}, {"Boss", "b"}});
    const auto before = Snapshot();
    EXPECT_EQ(store_.RenameMacro(0, ""), MacroRename::kEmptyName);
    EXPECT_EQ(store_.RenameMacro(0, "BOSS"), MacroRename::kNameTaken);
    EXPECT_EQ(store_.RenameMacro(0, "Macro_1"), MacroRename::kNameTaken);
    EXPECT_EQ(store_.RenameMacro(2, "new"), MacroRename::kNoMacro);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(store_.RenameMacro(0, "Ärger"), MacroRename::kDone);
    EXPECT_EQ(store_.RenameMacro(1, "äRGER"), MacroRename::kNameTaken);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Ärger", "Boss"}));
}

TEST_F(MacroStore, DeleteShiftsLaterMacrosDownAndRemovesOnlyItsOwnFile) {
    WriteList({{"m0", "a"}, {"m1", "b"}, {"m2", "c"}});
    for (const char* id : {"a", "b", "c"}) WriteEvents(Folder() + id + ".mac", 1);
    ASSERT_TRUE(store_.DeleteMacro(0));
    EXPECT_EQ(store_.LoadMacroList(), (std::vector<MacroEntry>{{"m1", "b"}, {"m2", "c"}}));
    EXPECT_FALSE(std::filesystem::exists(Folder() + "a.mac"));
    EXPECT_TRUE(std::filesystem::exists(Folder() + "b.mac"));
    // A key bound to index 1 now plays the former macro 2.
    WriteEvents(Folder() + "c.mac", 2);
    EXPECT_EQ(store_.LoadMacroEvents(1).size(), 2u);
    EXPECT_FALSE(store_.DeleteMacro(2));
    EXPECT_FALSE(store_.DeleteMacro(-1));
}

TEST_F(MacroStore, AHostileListNamesNoFileOutsideItsOwnEventFiles) {
    // "../x" would be <root>/x.mac, outside the device folder.
    WriteList({{"up", "../x"}, {"empty", ""}, {"one", "a"}, {"same", "a"}, {"dir", "sub/y"}});
    WriteEvents(Root() + "x.mac", 3);
    WriteEvents(Folder() + "a.mac", 1);
    WriteEvents(Folder() + ".mac", 1);
    TraceCapture trace;

    EXPECT_TRUE(store_.LoadMacroEvents(0).empty());
    EXPECT_FALSE(store_.SaveMacroEvents(0, "up", {}));
    EXPECT_FALSE(store_.ExportMacro(0, Root() + "out.mac"));
    const MacroImage image = store_.BuildMacroImage(256);
    ASSERT_EQ(image.result, 0);
    EXPECT_EQ(image.bytes.size(), 16u + 6 * 5 + 4 * 2);  // only the two entries naming a.mac have events
    EXPECT_TRUE(trace.Contains("\"../x\" names no event file"));

    const std::string outside = ReadFile(Root() + "x.mac");
    ASSERT_TRUE(store_.DeleteMacro(0));
    ASSERT_TRUE(store_.DeleteMacro(0));  // "" names no file either: ".mac" stays
    ASSERT_TRUE(store_.DeleteMacro(0));  // a.mac is still the file of "same"
    EXPECT_EQ(ReadFile(Root() + "x.mac"), outside);
    EXPECT_TRUE(std::filesystem::exists(Folder() + ".mac"));
    EXPECT_TRUE(std::filesystem::exists(Folder() + "a.mac"));
    ASSERT_TRUE(store_.DeleteMacro(0));
    EXPECT_FALSE(std::filesystem::exists(Folder() + "a.mac"));
    EXPECT_EQ(store_.LoadMacroList(), (std::vector<MacroEntry>{{"dir", "sub/y"}}));
}

TEST_F(MacroStore, AnUnreadableListIsNeverReplaced) {
    for (const char* text : {"not json {", "[1, 2]", R"({"MacroInfo": "x"})"}) {
        WriteFile(store_.GetListPath(), text);
        const auto before = Snapshot();
        TraceCapture trace;
        EXPECT_TRUE(store_.LoadMacroList().empty()) << text;
        EXPECT_EQ(store_.AddMacro().index, -1) << text;
        EXPECT_EQ(store_.RenameMacro(0, "new"), MacroRename::kNotSaved) << text;
        EXPECT_FALSE(store_.DeleteMacro(0)) << text;
        EXPECT_EQ(store_.ImportMacro(store_.GetListPath()).index, -1) << text;
        const MacroImage image = store_.BuildMacroImage(256);
        EXPECT_EQ(image.result, 0) << text;
        EXPECT_TRUE(image.bytes.empty()) << text;
        EXPECT_EQ(Snapshot(), before) << text;
        EXPECT_TRUE(trace.Contains("not a macro list, left as it is")) << text;
    }
}

TEST_F(MacroStore, ListChangesKeepMembersTheStoreDoesNotKnow) {
    WriteFile(store_.GetListPath(),
              R"({"Other": 5, "MacroInfo": [{"MacroName": "m0", "Guid": "a", "Note": "kept"}]})");
    EXPECT_EQ(store_.RenameMacro(0, "r"), MacroRename::kDone);
    EXPECT_EQ(store_.AddMacro().index, 1);
    const Json::Value doc = CJsonFile().ReadJson(store_.GetListPath());
    EXPECT_EQ(doc["Other"].asInt(), 5);
    EXPECT_EQ(doc["MacroInfo"][0]["Note"].asString(), "kept");
    EXPECT_EQ(doc["MacroInfo"][0]["MacroName"].asString(), "r");
}

TEST_F(MacroStore, SavedEventsLoadBackWithDelaysClamped) {
    WriteList({{"m0", "a"}});
    const std::vector<MacroEvent> events = {
        {"down", kMacroTypeKey, 4, 300}, {"up", kMacroTypeKey, 4, 70000}, {"down", kMacroTypeMoveX, 15, 0}};
    ASSERT_TRUE(store_.SaveMacroEvents(0, "shown name", events));
    const Json::Value file = CJsonFile().ReadJson(Folder() + "a.mac");
    EXPECT_EQ(file["Guid"].asString(), "a");
    EXPECT_EQ(file["MacroName"].asString(), "shown name");
    EXPECT_EQ(file["Version"].asInt(), 64);
    EXPECT_EQ(file["Events"][0]["Delay"], Json::Value("300"));
    EXPECT_EQ(file["Events"][1]["Delay"], Json::Value("65535"));

    std::vector<MacroEvent> expected = events;
    expected[1].delay = 65535;
    EXPECT_EQ(store_.LoadMacroEvents(0), expected);
    EXPECT_TRUE(store_.LoadMacroEvents(1).empty());
    EXPECT_FALSE(store_.SaveMacroEvents(1, "none", events));
}

TEST_F(MacroStore, ImageReadsTheFilesAsTheyAreNow) {
    // 3 and 0 events: L = 40, offsets 20 and 36; a stored 70000 goes out as 4464.
    WriteList({{"m0", "a"}, {"m1", "b"}});
    WriteEvents(Folder() + "a.mac", 3, "70000");
    MacroImage image = store_.BuildMacroImage(256);
    ASSERT_EQ(image.result, 0);
    ASSERT_EQ(image.bytes.size(), 40u);
    EXPECT_EQ(image.bytes[2], 40);
    EXPECT_EQ(image.bytes[16], 20);
    EXPECT_EQ(image.bytes[18], 36);
    EXPECT_EQ(image.bytes[20], 3);
    EXPECT_EQ(image.bytes[24], 0x70);
    EXPECT_EQ(image.bytes[25], 0x11);
    EXPECT_EQ(store_.LoadMacroEvents(0)[0].delay, 65535);  // what the editor shows

    // 68 events in all against 256 bytes.
    WriteEvents(Folder() + "b.mac", 65);
    image = store_.BuildMacroImage(256);
    EXPECT_EQ(image.result, 12);
    EXPECT_TRUE(image.bytes.empty());

    // Unreadable event files: not JSON, over the reader's size cap.
    WriteFile(Folder() + "a.mac", "{\"Events\": [");
    WriteFile(Folder() + "b.mac", std::string(CJsonFile::kMaxFileSize + 1, ' '));
    TraceCapture trace;
    image = store_.BuildMacroImage(256);
    ASSERT_EQ(image.result, 0);
    EXPECT_EQ(image.bytes.size(), 28u);
    EXPECT_TRUE(trace.Contains("larger than"));
    EXPECT_TRUE(store_.LoadMacroEvents(1).empty());

    WriteList({});
    image = store_.BuildMacroImage(256);
    EXPECT_EQ(image.result, 0);
    EXPECT_TRUE(image.bytes.empty());
}

TEST_F(MacroStore, ExportCopiesAndImportAddsUnderANewIdentifier) {
    WriteList({{"m0", "a"}, {"m1", "b"}});
    WriteFile(Folder() + "a.mac",
              R"({"Events": [{"Action": "down", "Type": 1, "Button": 1, "Delay": "5"}],
                  "Guid": "a", "MacroName": "m0", "Version": 64})");
    ASSERT_TRUE(store_.ExportMacro(0, Root() + "out.mac"));
    EXPECT_EQ(CJsonFile().ReadJson(Root() + "out.mac"), CJsonFile().ReadJson(Folder() + "a.mac"));
    EXPECT_FALSE(store_.ExportMacro(1, Root() + "none.mac"));  // b.mac is missing
    EXPECT_FALSE(std::filesystem::exists(Root() + "none.mac"));

    const MacroAdded added = store_.ImportMacro(Root() + "out.mac");
    ASSERT_EQ(added.index, 2);
    EXPECT_EQ(added.name, "macro_1");
    EXPECT_NE(added.id, "a");
    EXPECT_EQ(store_.LoadMacroEvents(2), store_.LoadMacroEvents(0));

    WriteFile(Root() + "bad.mac", "not a macro");
    const auto before = Snapshot();
    EXPECT_EQ(store_.ImportMacro(Root() + "bad.mac").index, -1);
    EXPECT_EQ(store_.ImportMacro(Root() + "missing.mac").index, -1);
    EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace r88
