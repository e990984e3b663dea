#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/paths.h"

namespace r88 {
namespace {

TEST(PlainFileName, AcceptsOnlyNamesThatStayInTheirFolder) {
    struct Case {
        const char* name;
        bool plain;
    };
    const Case cases[] = {
        {"2024_05_01_13_45_12_345", true}, {"Profile 1.Json", true}, {"", false},
        {".", false}, {"..", false}, {"../x", false}, {"a/b", false}, {"/etc/passwd", false},
        {"a\\b", false}, {"..x", true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
    EXPECT_FALSE(IsPlainFileName(std::string("a\0b", 3)));
}

TEST(Folders, FollowTheXdgVariablesAndEndWithSlash) {
    setenv("XDG_DATA_HOME", "/tmp/r88-xdg-data", 1);
    setenv("XDG_CONFIG_HOME", "/tmp/r88-xdg-config/", 1);
    EXPECT_EQ(LocalAppDataFolder(), "/tmp/r88-xdg-data/");
    EXPECT_EQ(UserConfigFolder(), "/tmp/r88-xdg-config/");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(LocalAppDataFolder(), "/home/someone/.local/share/");
}

TEST(Folders, MakeFoldersCreatesEveryLevel) {
    const std::string root = std::filesystem::temp_directory_path() / "r88-make-folders";
    std::filesystem::remove_all(root);
    EXPECT_TRUE(MakeFolders(root + "/a/b/c/"));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/a/b/c"));
    EXPECT_TRUE(MakeFolders(root + "/a/b/c/"));  // existing is fine
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace r88
