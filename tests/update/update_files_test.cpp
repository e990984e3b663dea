#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/autostart.h"
#include "update/update_time_config.h"

namespace r88 {
namespace {

namespace fs = std::filesystem;

class UserFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("r88-update-files-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        savedConfig_ = old != nullptr ? old : "";
        setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
    }
    void TearDown() override {
        if (savedConfig_.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", savedConfig_.c_str(), 1);
        fs::remove_all(root_);
    }
    fs::path root_;
    std::string savedConfig_;
};

TEST_F(UserFolderTest, AutostartEntryIsWrittenOnceAndRemoved) {
    EXPECT_FALSE(AutostartEnabled());
    EXPECT_EQ(AutostartEntryPath(), root_.string() + "/autostart/vantiro-r88.desktop");
    ASSERT_TRUE(EnableAutostart("/opt/r88/bin/vantiro-r88"));
    EXPECT_TRUE(AutostartEnabled());
    struct stat first {};
    ASSERT_EQ(stat(AutostartEntryPath().c_str(), &first), 0);
    ASSERT_TRUE(EnableAutostart("/opt/r88/bin/vantiro-r88"));
    struct stat second {};
    ASSERT_EQ(stat(AutostartEntryPath().c_str(), &second), 0);
    EXPECT_EQ(first.st_ino, second.st_ino);  // not written again
    EXPECT_EQ(fs::directory_entry(root_ / "autostart").exists(), true);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "autostart"), fs::directory_iterator()), 1);
    EXPECT_TRUE(DisableAutostart());
    EXPECT_FALSE(AutostartEnabled());
    EXPECT_TRUE(DisableAutostart());  // nothing to remove is fine
}

TEST(AutostartEntry, StartsTheProgramHiddenWhateverItsPath) {
    struct Case {
        const char* path;
        const char* exec;
    };
    const Case cases[] = {
        {"/usr/bin/vantiro-r88", "Exec=\"/usr/bin/vantiro-r88\" --hidden\n"},
        {"/home/a b/R88 100%/run", "Exec=\"/home/a b/R88 100%%/run\" --hidden\n"},
        {"/x/\"q\"$`", "Exec=\"/x/\\\\\"q\\\\\"\\\\$\\\\`\" --hidden\n"},
    };
    for (const Case& c : cases) {
        const std::string text = AutostartEntryText(c.path);
        EXPECT_NE(text.find(c.exec), std::string::npos) << text;
        EXPECT_EQ(text.rfind("[Desktop Entry]\nType=Application\n", 0), 0u);
    }
}

TEST_F(UserFolderTest, LastCheckDateRoundTrips) {
    const std::string path = (root_ / "updatetime.config").string();
    EXPECT_EQ(ReadLastCheckDate(path), "");
    ASSERT_EQ(WriteLastCheckDate(path, "2026-5-1"), 0);
    EXPECT_EQ(ReadLastCheckDate(path), "2026-5-1");
    std::ofstream(path) << R"({"updatelasttime":{"value":7}})";
    EXPECT_EQ(ReadLastCheckDate(path), "");
    EXPECT_TRUE(std::regex_match(TodayText(), std::regex("[0-9]{4}-[1-9][0-9]?-[1-9][0-9]?"))) << TodayText();
}

}  // namespace
}  // namespace r88
