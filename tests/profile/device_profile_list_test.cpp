#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "platform/trace.h"
#include "profile/device_profile_list.h"
#include "profile_test_env.h"

namespace r88 {
namespace {

// Records what the profile list asks of the device object.
class RecordingDevice : public IProfileDevice {
public:
    void SetDocumentPaths(const std::string& id) override {
        calls.push_back("paths " + id);
        pathsId = id;
    }
    int LoadProfile() override {
        calls.push_back("load");
        return loads(pathsId) ? 1 : 0;
    }
    bool RestoreDefaults() override {
        calls.push_back("defaults");
        return restores;
    }
    void WriteProfileToDevice(ProfileWrite occasion) override {
        calls.push_back(occasion == ProfileWrite::kSelected ? "write selected"
                        : occasion == ProfileWrite::kReset  ? "write reset"
                                                            : "write defaults");
    }
    std::vector<std::string> calls;
    std::string pathsId;
    std::function<bool(const std::string& id)> loads = [](const std::string&) { return true; };
    bool restores = true;  // whether RestoreDefaults finds a factory section
};

class ProfileList : public test::ProfileHome {
protected:
    // A list for a device kind on its device folder; names seeds a list file
    // whose profiles have the identifiers id0, id1, ...
    void Start(int kind, const std::string& folderName, const std::vector<std::string>& names = {},
               int select = 0) {
        folder = DeviceDataFolder(folderName);
        defaults = DefaultDocumentPath(folderName);
        if (!names.empty()) {
            Json::Value list;
            for (std::size_t i = 0; i < names.size(); ++i) {
                const std::string id = "id" + std::to_string(i);
                list["profilelist"][static_cast<Json::ArrayIndex>(i)]["profilename"] = names[i];
                list["profilelist"][static_cast<Json::ArrayIndex>(i)]["profileUUID"] = id;
                Json::Value doc = file.ReadJson(defaults);
                doc["profilename"] = names[i];
                doc["profileUUID"] = id;
                file.WriteJson(folder + id + ".Json", doc);
            }
            list["profileselect"] = select;
            file.WriteJson(folder + "ProfileList.ini", list);
        }
        profiles.SetKind(kind);
        profiles.SetPaths(folder, defaults);
        profiles.SetDevice(&device);
        profiles.Init();
        device.calls.clear();
    }
    Json::Value List() const { return file.ReadJson(folder + "ProfileList.ini"); }
    Json::Value Document(const std::string& id) const { return file.ReadJson(folder + id + ".Json"); }
    std::string Exported(const std::string& name, const Json::Value& doc) const {
        file.WriteJson(Root() + name, doc);
        return Root() + name;
    }

    std::string folder;
    std::string defaults;
    CJsonFile file;
    RecordingDevice device;
    CDeviceProfileList profiles;
};

TEST_F(ProfileList, InitMakesAFirstProfileFromTheFactoryDocumentWithoutLoadingIt) {
    folder = DeviceDataFolder("keyboard");
    profiles.SetKind(kKindKeyboard);
    profiles.SetPaths(folder, DefaultDocumentPath("keyboard"));
    profiles.SetDevice(&device);
    profiles.Init();
    ASSERT_EQ(profiles.Names(), std::vector<std::string>{"Profile1"});
    EXPECT_EQ(profiles.GetCurrentIndex(), 0);
    const std::string id = profiles.GetCurrentProfileId();
    EXPECT_EQ(device.calls, std::vector<std::string>{"paths " + id});
    const Json::Value list = List();
    EXPECT_EQ(list["profilelist"][0]["profileUUID"], id);
    EXPECT_EQ(list["profilelist"][0]["profileislink"], 0);
    EXPECT_EQ(list["profilelist"][0]["profilelinkmame"], "");
    EXPECT_EQ(list["profileselect"], 0);
    const Json::Value doc = Document(id);
    EXPECT_EQ(doc["profilename"], "Profile1");
    EXPECT_EQ(doc["Device"], file.ReadJson(DefaultDocumentPath("keyboard"))["Device"]);

    // A kept list comes back with its selection; one out of range selects 0.
    for (const int select : {1, 7}) {
        Start(kKindKeyboard, "keyboard", {"A", "B"}, select);
        EXPECT_EQ(profiles.Names(), (std::vector<std::string>{"A", "B"}));
        EXPECT_EQ(profiles.GetCurrentIndex(), select == 1 ? 1 : 0);
    }
    EXPECT_EQ(profiles.GetTabRule()->shown[0], std::string("macro_Op_tab"));
}

TEST_F(ProfileList, NewNamesFollowTheNamingRules) {
    const struct {
        std::vector<std::string> names;
        int current;
        ProfileOutcome (CDeviceProfileList::*op)();
        std::string expected;
    } cases[] = {
        {{"Profile1", "profile2"}, 0, &CDeviceProfileList::NewProfile, "Profile3"},
        {{"Profile2"}, 0, &CDeviceProfileList::NewProfile, "Profile1"},
        {{"A", "A copy"}, 0, &CDeviceProfileList::CopyProfile, "A copy copy"},
        {{"A", "a COPY", "A copy copy"}, 0, &CDeviceProfileList::CopyProfile, "A copy copy copy"},
        {{"X", "A copy"}, 1, &CDeviceProfileList::CopyProfile, "A copy copy"},
        {{"Été", "ÉTÉ COPY"}, 0, &CDeviceProfileList::CopyProfile, "Été copy copy"},
    };
    for (const auto& c : cases) {
        Start(kKindMousePad, "MousePad", c.names, c.current);
        ASSERT_TRUE((profiles.*c.op)().done);
        EXPECT_EQ(profiles.Names().back(), c.expected);
        EXPECT_EQ(profiles.GetCurrentIndex(), static_cast<int>(c.names.size()));
        EXPECT_EQ(List()["profilelist"][static_cast<Json::ArrayIndex>(c.names.size())]["profilename"], c.expected);
        EXPECT_EQ(List()["profileselect"], static_cast<int>(c.names.size()));
        EXPECT_EQ(Document(profiles.GetCurrentProfileId())["profilename"], c.expected);
        EXPECT_EQ(device.calls, (std::vector<std::string>{"paths " + profiles.GetCurrentProfileId(), "load",
                                                          "write selected"}));
    }
    // The copy carries the source document's settings.
    Start(kKindMousePad, "MousePad", {"A"});
    Json::Value source = Document("id0");
    source["Device"][0]["LightInfo"]["Red"] = 17;
    file.WriteJson(folder + "id0.Json", source);
    profiles.CopyProfile();
    EXPECT_EQ(Document(profiles.GetCurrentProfileId())["Device"][0]["LightInfo"]["Red"], 17);

    // Importing A.json next to A and A(1) gives A(1)(2).
    Start(kKindMousePad, "MousePad", {"A", "A(1)"});
    ASSERT_TRUE(profiles.ImportProfile(Exported("A.json", Document("id0"))).done);
    EXPECT_EQ(profiles.Names().back(), "A(1)(2)");
    Start(kKindMousePad, "MousePad", {"σοφία"});
    ASSERT_TRUE(profiles.ImportProfile(Exported("ΣΟΦΊΑ.json", Document("id0"))).done);
    EXPECT_EQ(profiles.Names().back(), "ΣΟΦΊΑ(1)");
}

TEST_F(ProfileList, AProfileThatCannotBeLoadedLeavesThePreviousOneCurrent) {
    Start(kKindMousePad, "MousePad", {"A", "B", "C"}, 0);
    device.loads = [](const std::string& id) { return id != "id1"; };
    const auto before = Snapshot(folder);
    EXPECT_FALSE(profiles.Select(1).done);
    EXPECT_EQ(profiles.GetCurrentIndex(), 0);
    EXPECT_EQ(profiles.GetCurrentProfileId(), "id0");
    // The device went back to the previous profile and reloaded it; nothing
    // was written to the hardware or the list.
    EXPECT_EQ(device.calls, (std::vector<std::string>{"paths id1", "load", "paths id0", "load"}));
    EXPECT_EQ(device.pathsId, "id0");
    EXPECT_EQ(Snapshot(folder), before);

    device.calls.clear();
    ASSERT_TRUE(profiles.Select(2).done);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"paths id2", "load", "write selected"}));
    EXPECT_EQ(List()["profileselect"], 2);

    // A new profile that cannot be loaded is listed; the previous one stays current.
    device.loads = [](const std::string& id) { return id.rfind("id", 0) == 0; };
    device.calls.clear();
    ASSERT_TRUE(profiles.NewProfile().done);
    const std::string added = profiles.Entries().back().id;
    EXPECT_EQ(profiles.Names(), (std::vector<std::string>{"A", "B", "C", "Profile1"}));
    EXPECT_EQ(profiles.GetCurrentProfileId(), "id2");
    EXPECT_EQ(device.calls, (std::vector<std::string>{"paths " + added, "load", "paths id2", "load"}));
    EXPECT_EQ(List()["profilelist"].size(), 4u);
    EXPECT_EQ(List()["profileselect"], 2);
}

TEST_F(ProfileList, FiftyProfilesStopNewButNotCopyOrImport) {
    Start(kKindMousePad, "MousePad");
    std::set<std::string> ids{profiles.GetCurrentProfileId()};
    while (profiles.GetCount() < kMaxNewProfiles) {
        ASSERT_TRUE(profiles.NewProfile().done);
        ids.insert(profiles.GetCurrentProfileId());
    }
    // Created back to back, often in the same millisecond, yet every
    // profile has an identifier and a document of its own.
    EXPECT_EQ(ids.size(), 50u);
    for (const std::string& id : ids) EXPECT_TRUE(std::filesystem::exists(folder + id + ".Json")) << id;

    const auto before = Snapshot(folder);
    EXPECT_FALSE(profiles.NewProfile().done);
    EXPECT_EQ(profiles.GetCount(), 50);
    EXPECT_EQ(Snapshot(folder), before);
    EXPECT_TRUE(profiles.CopyProfile().done);
    EXPECT_TRUE(profiles.ImportProfile(Exported("Mine.json", Document(profiles.GetCurrentProfileId()))).done);
    EXPECT_EQ(profiles.GetCount(), 52);
    EXPECT_EQ(List()["profilelist"].size(), 52u);
}

TEST_F(ProfileList, RenameRefusesANameInUseIgnoringCase) {
    const struct {
        int current;
        std::string name;
        bool done;
        std::string message;
    } cases[] = {
        {1, "PROFILE1", false, kTextNameTaken},
        {0, "PROFILE1", true, ""},
        {1, "ÄBC", false, kTextNameTaken},  // profile 0 is "äbc" below
        {1, "Профиль", false, kTextNameTaken},
        {1, "Neu", true, ""},
        {1, "", false, ""},
    };
    for (const auto& c : cases) {
        Start(kKindMouse, "mouse", {"Profile1", "Profile2", "äbc", "пРОФИЛЬ"}, c.current);
        const auto before = Snapshot(folder);
        const ProfileOutcome outcome = profiles.RenameProfile(c.name);
        EXPECT_EQ(outcome.done, c.done) << c.name;
        EXPECT_EQ(outcome.message, c.message) << c.name;
        const std::string id = "id" + std::to_string(c.current);
        if (c.done) {
            EXPECT_EQ(profiles.GetCurrentName(), c.name);
            EXPECT_EQ(List()["profilelist"][c.current]["profilename"], c.name);
            EXPECT_EQ(Document(id)["profilename"], c.name);
            EXPECT_TRUE(Document(id)["Device"][0].isMember("DPIStages"));  // the rest stays
        } else {
            EXPECT_EQ(Snapshot(folder), before);
        }
        EXPECT_TRUE(device.calls.empty());
    }
}

TEST_F(ProfileList, DeleteNeverRemovesTheLastProfile) {
    Start(kKindKeyboard, "keyboard", {"A"});
    const auto before = Snapshot(folder);
    EXPECT_FALSE(profiles.DeleteProfile().done);
    EXPECT_EQ(Snapshot(folder), before);

    Start(kKindKeyboard, "keyboard", {"A", "B", "C"}, 0);
    ASSERT_TRUE(profiles.DeleteProfile().done);
    EXPECT_EQ(profiles.Names(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(List()["profileselect"], 0);
    EXPECT_FALSE(std::filesystem::exists(folder + "id0.Json"));
    EXPECT_EQ(device.calls, (std::vector<std::string>{"paths id1", "load", "write selected"}));

    Start(kKindKeyboard, "keyboard", {"A", "B", "C"}, 2);
    ASSERT_TRUE(profiles.DeleteProfile().done);
    EXPECT_EQ(profiles.GetCurrentProfileId(), "id1");
    EXPECT_FALSE(std::filesystem::exists(folder + "id2.Json"));
}

TEST_F(ProfileList, ImportValidatesTheDocumentForTheDeviceKind) {
    Start(kKindMouse, "mouse", {"M"});
    const std::string mouseDoc = Exported("mouse.json", Document("id0"));
    Json::Value keyboard = file.ReadJson(DefaultDocumentPath("keyboard"));
    const std::string keyboardDoc = Exported("board.json", keyboard);
    Json::Value unnamed = keyboard;
    unnamed.removeMember("profileUUID");
    const std::string unnamedDoc = Exported("unnamed.json", unnamed);
    const std::string listDoc = Exported("list.json", Json::Value(Json::arrayValue));

    const struct {
        int kind;
        const char* folderName;
        std::string path;
        bool done;
        std::string message;
    } cases[] = {
        {kKindKeyboard, "keyboard", mouseDoc, false, kTextImportRefused},
        {kKindMouse, "mouse", keyboardDoc, false, kTextImportRefused},
        {kKindKeyboard, "keyboard", unnamedDoc, false, ""},
        {kKindKeyboard, "keyboard", listDoc, false, ""},
        {kKindKeyboard, "keyboard", Root() + "absent.json", false, ""},
        {kKindKeyboard, "keyboard", keyboardDoc, true, ""},
        {kKindHeadset, "HD", mouseDoc, true, ""},
    };
    for (const auto& c : cases) {
        Start(c.kind, c.folderName, {"P"});
        const auto before = Snapshot(Root());
        const ProfileOutcome outcome = profiles.ImportProfile(c.path);
        EXPECT_EQ(outcome.done, c.done) << c.path;
        EXPECT_EQ(outcome.message, c.message) << c.path;
        if (!c.done) {
            EXPECT_EQ(profiles.GetCount(), 1);
            EXPECT_EQ(Snapshot(Root()), before) << c.path;
            continue;
        }
        // The imported document keeps its content under a new name and identifier.
        const std::string id = profiles.GetCurrentProfileId();
        Json::Value expected = file.ReadJson(c.path);
        expected["profilename"] = profiles.GetCurrentName();
        expected["profileUUID"] = id;
        EXPECT_EQ(Document(id), expected);
        EXPECT_NE(id, file.ReadJson(c.path)["profileUUID"].asString());
    }
}

TEST_F(ProfileList, ResetTakesTheFactoryDocumentAndAHeadsetKeepsItsCustomCurves) {
    Start(kKindHeadset, "HD", {"Mine"});
    Json::Value doc = Document("id0");
    doc["Device"][0]["CustomEQNameInfo"][0]["Name"] = "Bass";
    for (int i = 0; i < 10; ++i) doc["Device"][0]["CustomEQHzValueInfo"][0][i]["value"] = i;
    doc["Device"][0]["SystemSetStages"]["MicInValue"] = 3;
    doc["Device"][0]["EQHzValueInfo"][1][0]["value"] = 99;
    file.WriteJson(folder + "id0.Json", doc);

    ASSERT_TRUE(profiles.ResetProfile().done);
    Json::Value expected = file.ReadJson(defaults);
    expected["profilename"] = "Mine";
    expected["profileUUID"] = "id0";
    expected["Device"][0]["CustomEQNameInfo"] = doc["Device"][0]["CustomEQNameInfo"];
    expected["Device"][0]["CustomEQHzValueInfo"] = doc["Device"][0]["CustomEQHzValueInfo"];
    EXPECT_EQ(Document("id0"), expected);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"load", "write reset"}));

    // Other kinds take the factory document whole.
    Start(kKindMousePad, "MousePad", {"Pad"});
    doc = Document("id0");
    doc["Device"][0]["CustomEQNameInfo"][0]["Name"] = "stray";
    file.WriteJson(folder + "id0.Json", doc);
    profiles.ResetProfile();
    EXPECT_FALSE(Document("id0")["Device"][0].isMember("CustomEQNameInfo"));

    // Without a factory document the profile is kept.
    Start(kKindMousePad, "MousePad", {"Pad"});
    profiles.SetPaths(folder, Root() + "none.Json");
    const auto before = Snapshot(folder);
    EXPECT_FALSE(profiles.ResetProfile().done);
    EXPECT_EQ(Snapshot(folder), before);

    EXPECT_TRUE(profiles.RestoreDefaults().done);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"defaults", "write defaults"}));
    // A device without its factory section keeps the profile: nothing is written to it.
    device.calls.clear();
    device.restores = false;
    EXPECT_FALSE(profiles.RestoreDefaults().done);
    EXPECT_EQ(device.calls, std::vector<std::string>{"defaults"});
    // A factory document without a device section is no factory document.
    WriteFile(Root() + "none.Json", R"({"profilename":"x","Device":[]})");
    EXPECT_FALSE(profiles.ResetProfile().done);
    EXPECT_EQ(Snapshot(folder), before);
}

TEST_F(ProfileList, EveryChangeKeepsWhatAnotherProcessDidToTheList) {
    // Another process (r88ctl, say) adds a profile after this one read the list.
    auto addElsewhere = [this] {
        Json::Value list = List();
        Json::Value entry;
        entry["profilename"] = "Other";
        entry["profileUUID"] = "id9";
        list["profilelist"].append(entry);
        file.WriteJson(folder + "ProfileList.ini", list);
        file.WriteJson(folder + "id9.Json", Document("id0"));
    };
    const std::string imported = Exported("X.json", file.ReadJson(DefaultDocumentPath("MousePad")));
    using Op = std::function<ProfileOutcome(CDeviceProfileList&)>;
    const struct {
        const char* what;
        Op op;
        std::vector<std::string> names;
        std::string current;
    } cases[] = {
        {"new",
         [](CDeviceProfileList& p) { return p.NewProfile(); },
         {"A", "B", "Other", "Profile1"},
         "Profile1"},
        {"copy",
         [](CDeviceProfileList& p) { return p.CopyProfile(); },
         {"A", "B", "Other", "B copy"},
         "B copy"},
        {"rename", [](CDeviceProfileList& p) { return p.RenameProfile("R"); }, {"A", "R", "Other"}, "R"},
        {"delete", [](CDeviceProfileList& p) { return p.DeleteProfile(); }, {"A", "Other"}, "A"},
        {"import",
         [&](CDeviceProfileList& p) { return p.ImportProfile(imported); },
         {"A", "B", "Other", "X"},
         "X"},
        {"select", [](CDeviceProfileList& p) { return p.Select(0); }, {"A", "B", "Other"}, "A"},
    };
    for (const auto& c : cases) {
        Start(kKindMousePad, "MousePad", {"A", "B"}, 1);
        addElsewhere();
        ASSERT_TRUE(c.op(profiles).done) << c.what;
        std::vector<std::string> listed;
        const Json::Value list = List();
        for (const Json::Value& e : list["profilelist"]) listed.push_back(e["profilename"].asString());
        EXPECT_EQ(listed, c.names) << c.what;
        EXPECT_EQ(profiles.Names(), c.names) << c.what;
        EXPECT_EQ(profiles.GetCurrentName(), c.current) << c.what;
        EXPECT_EQ(list["profilelist"][list["profileselect"].asUInt()]["profilename"], c.current) << c.what;
    }

    // Profiles are matched by identifier: another process removed A and
    // renamed B; renaming the current profile renames B, and only B.
    Start(kKindMousePad, "MousePad", {"A", "B"}, 1);
    Json::Value list;
    list["profilelist"][0]["profilename"] = "B elsewhere";
    list["profilelist"][0]["profileUUID"] = "id1";
    list["profilelist"][1]["profilename"] = "A";
    list["profilelist"][1]["profileUUID"] = "id9";
    list["profileselect"] = 1;
    file.WriteJson(folder + "ProfileList.ini", list);
    ASSERT_TRUE(profiles.RenameProfile("R").done);
    EXPECT_EQ(profiles.Names(), (std::vector<std::string>{"R", "A"}));
    EXPECT_EQ(List()["profilelist"][0]["profileUUID"], "id1");
    EXPECT_EQ(List()["profilelist"][1]["profilename"], "A");
    EXPECT_EQ(List()["profileselect"], 0);
    EXPECT_EQ(Document("id1")["profilename"], "R");
}

TEST_F(ProfileList, ExportWritesTheCurrentDocumentUnchanged) {
    Start(kKindKeyboard, "keyboard", {"A", "B"}, 1);
    ASSERT_TRUE(profiles.ExportProfile(Root() + "out.json").done);
    EXPECT_EQ(file.ReadJson(Root() + "out.json"), Document("id1"));

    std::filesystem::remove(folder + "id1.Json");
    EXPECT_FALSE(profiles.ExportProfile(Root() + "none.json").done);
    EXPECT_FALSE(std::filesystem::exists(Root() + "none.json"));
}

TEST_F(ProfileList, HostileListEntriesAreRefusedAndNothingOutsideTheFolderChanges) {
    Start(kKindKeyboard, "keyboard", {"A"});
    WriteFile(Root() + "victim.Json", "keep me");
    Json::Value list = List();
    const char* ids[] = {"../../../victim", "/etc/passwd", "", ".", "id0"};
    for (const char* id : ids) {
        Json::Value entry;
        entry["profilename"] = std::string("bad ") + id;
        entry["profileUUID"] = id;
        list["profilelist"].append(entry);
    }
    list["profilelist"].append(Json::Value(5));
    list["profileselect"] = "first";
    list["custom"] = "kept";
    file.WriteJson(folder + "ProfileList.ini", list);

    TraceCapture trace;
    profiles.Init();
    EXPECT_EQ(profiles.Names(), std::vector<std::string>{"A"});
    EXPECT_TRUE(trace.Contains("refused")) << trace.Text();
    const auto before = Snapshot(Root());
    ASSERT_TRUE(profiles.NewProfile().done);
    ASSERT_TRUE(profiles.DeleteProfile().done);
    const auto after = Snapshot(Root());
    for (const auto& [path, text] : before)
        if (path.rfind(folder, 0) != 0) {
            EXPECT_EQ(after.at(path), text) << path;
        }
    EXPECT_EQ(ReadFile(Root() + "victim.Json"), "keep me");
    EXPECT_EQ(List()["custom"], "kept");
    EXPECT_EQ(List()["profilelist"].size(), 1u);

    // A list that cannot be read at all is replaced by a fresh one.
    for (const std::string& text : {std::string(1000, '['), std::string("{\"profilelist\": {}}"),
                                    "\"" + std::string(CJsonFile::kMaxFileSize, 'x') + "\""}) {
        WriteFile(folder + "ProfileList.ini", text);
        profiles.Init();
        EXPECT_EQ(profiles.Names(), std::vector<std::string>{"Profile1"});
        EXPECT_EQ(List()["profilelist"].size(), 1u);
    }
}

}  // namespace
}  // namespace r88
