#include "cli/ctl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "platform/hidraw_backend.h"

namespace r88 {
namespace {

TEST(Ctl, SimulatedListShowsEveryEmulatedInterfaceWithItsTags) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCtl({"--simulate", "list"}, out, err, nullptr), 0);
    const std::string text = out.str();
    EXPECT_NE(
        text.find(
            "#vid_320f&pid_502b&mi_01&col04  vid=320f pid=502b mi=01 col=04 usage_page=ff1c usage=0092\n"),
        std::string::npos)
        << text;
    EXPECT_NE(
        text.find(
            "#vid_320f&pid_502b&mi_01&col03  vid=320f pid=502b mi=01 col=03 usage_page=000c usage=0001\n"),
        std::string::npos);
    EXPECT_NE(
        text.find(
            "#vid_0c45&pid_6627&mi_01&col04  vid=0c45 pid=6627 mi=01 col=04 usage_page=ff1c usage=0092\n"),
        std::string::npos);
    EXPECT_NE(
        text.find("#vid_0d8c&pid_01da&mi_03  vid=0d8c pid=01da mi=03 col=00 usage_page=000c usage=0001\n"),
        std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    EXPECT_TRUE(err.str().empty());
}

TEST(Ctl, ListWithoutDevicesPrintsNothingAndBadArgumentsAreRefused) {
    const auto root = std::filesystem::temp_directory_path() / ("r88-ctl-empty-sysfs-" + std::to_string(getpid()));
    std::filesystem::create_directories(root);
    auto empty = std::make_shared<HidrawBackend>(HidrawBackendOptions{root.string(), "/dev"},
                                                 MakeKernelHidrawAccess());
    std::ostringstream out, err;
    EXPECT_EQ(RunCtl({"list"}, out, err, empty), 0);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(RunCtl({"frobnicate"}, out, err, empty), 2);
    EXPECT_NE(err.str().find("usage: r88ctl"), std::string::npos);
    std::filesystem::remove_all(root);
}

TEST(Ctl, DumpShowsAnEmulatedMemoryInHex) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCtl({"--simulate", "dump", "keyboard", "info"}, out, err, nullptr), 0);
    EXPECT_EQ(out.str(),
              "0000: 01 00 01 01 07 7e 20 00 00 00 00 00 00 00 00 00\n"
              "0010: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
              "0020: 00 00\n");
    EXPECT_EQ(RunCtl({"--simulate", "dump", "keyboard", "nothing"}, out, err, nullptr), 2);
    EXPECT_EQ(RunCtl({"dump", "keyboard", "info"}, out, err, nullptr), 2);  // real devices are not dumped
}

TEST(Ctl, TheToolListsTheEmulatedBusFromOutside) {
    FILE* pipe = popen(R88CTL_PATH " --simulate list", "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_NE(text.find("#vid_320f&pid_502b&mi_01&col04"), std::string::npos) << text;
}

}  // namespace
}  // namespace r88
