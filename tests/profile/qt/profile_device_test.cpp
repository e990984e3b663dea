// A device page's profile object driven by the profile list, as the profile
// bar drives it: what reaches the disk when restoring defaults or choosing a
// profile goes wrong half-way.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "mouse/qt/orvane_mouse_pad_device.h"
#include "profile/device_profile_list.h"
#include "profile/json_file.h"

namespace r88 {
namespace {

class ProfileOnDevice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        savedHome_ = qgetenv("XDG_DATA_HOME");
        hadHome_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        folder_ = DeviceDataFolder("MousePad");
        factory_ = file_.ReadJson(DefaultDocumentPath("MousePad"));
        ASSERT_TRUE(factory_["Device"][0].isObject());
        pad_.SetDeviceName("MousePad");
        pad_.SetLightPresetName("kestra_light");
    }
    void TearDown() override {
        if (hadHome_)
            qputenv("XDG_DATA_HOME", savedHome_);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    // Profiles A (id0, the user's own settings) and B (id1) on the disk; the
    // list and the device are set up as the page does it and A is loaded, as
    // on first contact. The device's factory document is factoryPath.
    void Start(const std::string& factoryPath, const std::string& secondText = {}) {
        Json::Value mine = factory_;
        mine["profilename"] = "A";
        mine["profileUUID"] = "id0";
        mine["Device"][0]["LightInfo"]["Red"] = 11;
        mine["Device"][0]["Marker"] = "mine";
        ASSERT_EQ(file_.WriteJson(folder_ + "id0.Json", mine), 0);
        if (secondText.empty()) {
            Json::Value other = factory_;
            other["profilename"] = "B";
            other["profileUUID"] = "id1";
            ASSERT_EQ(file_.WriteJson(folder_ + "id1.Json", other), 0);
        } else {
            std::ofstream(folder_ + "id1.Json", std::ios::binary) << secondText;
        }
        Json::Value list;
        list["profilelist"][0]["profilename"] = "A";
        list["profilelist"][0]["profileUUID"] = "id0";
        list["profilelist"][1]["profilename"] = "B";
        list["profilelist"][1]["profileUUID"] = "id1";
        list["profileselect"] = 0;
        ASSERT_EQ(file_.WriteJson(folder_ + kProfileListFileName, list), 0);

        pad_.Profile()->SetDefaultDocumentPath(factoryPath);
        profiles_.SetKind(kKindMousePad);
        profiles_.SetPaths(folder_, factoryPath);
        profiles_.SetDevice(&pad_);
        profiles_.Init();
        ASSERT_EQ(pad_.LoadProfile(), 1);
        userSection_ = mine["Device"][0];
    }

    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(folder_)) {
            std::ifstream in(e.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            files[e.path().string()] = text.str();
        }
        return files;
    }
    Json::Value Document(const std::string& id) const { return file_.ReadJson(folder_ + id + ".Json"); }
    std::string Missing() const { return home_.path().toStdString() + "/absent/MousePad.Json"; }

    QTemporaryDir home_;
    QByteArray savedHome_;
    bool hadHome_ = false;
    std::string folder_;
    CJsonFile file_;
    Json::Value factory_;
    Json::Value userSection_;
    COrvaneMousePadDevice pad_;
    CDeviceProfileList profiles_;
};

TEST_F(ProfileOnDevice, RestoreDefaultsWithTheFactoryDocumentMissingChangesNothingOnDisk) {
    Start(Missing());
    const auto before = Snapshot();
    EXPECT_FALSE(profiles_.RestoreDefaults().done);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(pad_.Profile()->GetSection(), userSection_);

    // The next change is saved on top of the user's settings, not over them.
    LightState state = pad_.Profile()->ReadLightState();
    state.red = 99;
    pad_.SetLightState(state);
    pad_.SaveProfile();
    Json::Value expected = userSection_;
    expected["LightInfo"]["Red"] = 99;
    EXPECT_EQ(Document("id0")["Device"][0], expected);
    EXPECT_EQ(Document("id0")["profilename"], "A");

    // With the factory document back, restoring takes its section.
    pad_.Profile()->SetDefaultDocumentPath(DefaultDocumentPath("MousePad"));
    EXPECT_TRUE(profiles_.RestoreDefaults().done);
    EXPECT_EQ(Document("id0")["Device"][0], factory_["Device"][0]);
    EXPECT_EQ(Document("id0")["profileUUID"], "id0");
}

TEST_F(ProfileOnDevice, AProfileThatCannotBeLoadedLeavesTheDeviceWithThePreviousOne) {
    // B's document is broken and there is no factory document to complete it.
    const std::string broken = "{\"profilename\": \"B\", \"Device\": [";
    Start(Missing(), broken);
    EXPECT_FALSE(profiles_.Select(1).done);
    EXPECT_EQ(profiles_.GetCurrentProfileId(), "id0");
    EXPECT_EQ(pad_.GetDocumentPath(), folder_ + "id0.Json");
    EXPECT_EQ(pad_.Profile()->GetSection(), userSection_);

    // A change after that belongs to A and goes into A's document only.
    LightState state = pad_.Profile()->ReadLightState();
    state.red = 42;
    pad_.SetLightState(state);
    pad_.SaveProfile();
    EXPECT_EQ(Document("id0")["Device"][0]["LightInfo"]["Red"], 42);
    EXPECT_EQ(Document("id0")["Device"][0]["Marker"], "mine");
    EXPECT_EQ(Snapshot().at(folder_ + "id1.Json"), broken);
    EXPECT_EQ(file_.ReadJson(folder_ + kProfileListFileName)["profileselect"], 0);

    // A profile that loads is chosen as before.
    std::ofstream(folder_ + "id1.Json", std::ios::binary) << "{\"Device\": [{\"LightInfo\": {\"Red\": 5}}]}";
    EXPECT_TRUE(profiles_.Select(1).done);
    EXPECT_EQ(pad_.GetDocumentPath(), folder_ + "id1.Json");
    EXPECT_EQ(pad_.Profile()->ReadLightState().red, 5);
}

}  // namespace
}  // namespace r88
