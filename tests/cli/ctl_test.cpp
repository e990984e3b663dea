#include "cli/ctl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "device/hid_command_set.h"
#include "platform/hidraw_backend.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

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

TEST(Ctl, InfoReadsTheBlockOfEveryDeviceThatHasOne) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCtl({"--simulate", "info"}, out, err, nullptr), 0) << err.str();
    const std::string text = out.str();
    const size_t keyboard = text.find("keyboard  /sim/hid");
    const size_t pad = text.find("MousePad  /sim/hid");
    ASSERT_NE(keyboard, std::string::npos) << text;
    ASSERT_NE(pad, std::string::npos) << text;
    EXPECT_NE(text.find("#vid_320f&pid_502b&mi_01&col04\n0000: 01 00 01 01 07 7e 20 00", keyboard), std::string::npos)
        << text;
    EXPECT_EQ(text.find("HD"), std::string::npos);  // the headset has no information block
    EXPECT_EQ(text.find("命令"), std::string::npos);

    std::ostringstream traced;
    ASSERT_EQ(RunCtl({"--simulate", "--trace", "info"}, traced, err, nullptr), 0);
    EXPECT_NE(traced.str().find("命令\n04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  "), std::string::npos)
        << traced.str();
    EXPECT_NE(traced.str().find("返回\n04 "), std::string::npos);
}

TEST(Ctl, InfoSaysWhatWentWrong) {
    auto bus = std::make_shared<sim::SimHidBus>();
    std::ostringstream out, err;
    EXPECT_EQ(ShowDeviceInfo(*bus, false, out, err), 1);
    EXPECT_NE(err.str().find("no supported device found"), std::string::npos);

    auto keyboard = sim::MakeEmulatedKeyboard();
    keyboard->Faults().Arm({.kind = sim::FaultKind::kStatus, .command = kCmdReadInfo, .status = 0xFF});
    bus->Plug(keyboard);
    EXPECT_EQ(ShowDeviceInfo(*bus, false, out, err), 1);
    EXPECT_NE(err.str().find("keyboard: no information block (result -102)"), std::string::npos) << err.str();
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

TEST(Ctl, RenderPrintsTheBytesOfEachFrame) {
    std::ostringstream out, err;
    // Static red at brightness 0: 255 × 30 / 256 = 29 on each of the mouse's six LEDs.
    ASSERT_EQ(RunCtl({"render", "mouse", "--frames", "2", "--effect", "4", "--brightness", "0", "--colour",
                      "255,0,0"},
                     out, err, nullptr),
              0)
        << err.str();
    const std::string red = "1d 00 00 1d 00 00 1d 00 00 1d 00 00 1d 00 00 1d 00 00\n";
    EXPECT_EQ(out.str(), red + red);

    // A flash that has not come on yet sends zeros, whatever the colour.
    std::ostringstream dark;
    ASSERT_EQ(RunCtl({"render", "mousepad", "--frames", "1", "--effect", "4", "--colour", "9,9,9"}, dark, err,
                     nullptr),
              0);
    std::string zeros;
    for (int i = 0; i < 45; ++i) zeros += i == 0 ? "00" : " 00";
    EXPECT_EQ(dark.str(), zeros + "\n");

    // Unset options from the factory profile; the headset prints its twelve reports; deterministic.
    std::ostringstream first, second;
    ASSERT_EQ(RunCtl({"render", "headset", "--frames", "3"}, first, err, nullptr), 0);
    ASSERT_EQ(RunCtl({"render", "headset", "--frames", "3"}, second, err, nullptr), 0);
    EXPECT_EQ(first.str(), second.str());
    const std::string line = first.str().substr(0, first.str().find('\n'));
    size_t parts = 1;
    for (size_t at = line.find(" | "); at != std::string::npos; at = line.find(" | ", at + 1)) ++parts;
    EXPECT_EQ(parts, 12u);
    EXPECT_EQ(line.size(), 12 * (17 * 3 - 1) + 11 * 3);
}

TEST(Ctl, RenderKeyboardStartsAfterTheEffectChangeAndTakesKeyEvents) {
    // Effect 10 in white at full brightness: LED 0 starts from hue 33, so frame 1 shows
    // spectrum entry 34 = (220, 255, 0) scaled by 255 / 256.
    std::ostringstream out, err;
    ASSERT_EQ(RunCtl({"render", "keyboard", "--frames", "1", "--effect", "10", "--brightness", "4"}, out, err,
                     nullptr),
              0)
        << err.str();
    const std::string line = out.str();
    EXPECT_EQ(line.size(), 126 * 3 * 3);  // 378 bytes, space-separated, one newline
    EXPECT_EQ(line.substr(0, 8), "db fe 00");

    // Effect 6 in one colour: LED 5 is dark until pressed before frame 2, full while held,
    // and fades by 5 a frame from its release before frame 4.
    std::ostringstream keys;
    ASSERT_EQ(RunCtl({"render", "keyboard", "--frames", "5", "--effect", "6", "--multicolour", "0", "--colour",
                      "255,255,255", "--brightness", "4", "--key", "up:5@4", "--key", "down:5@2"},
                     keys, err, nullptr),
              0)
        << err.str();
    std::vector<std::string> led5;
    std::istringstream lines(keys.str());
    for (std::string l; std::getline(lines, l);) led5.push_back(l.substr(5 * 9, 2));
    // Level 255 → alpha 254 → 255 × 254 / 256 = 253; 250 → 249 → 248; 245 → 244 → 243.
    EXPECT_EQ(led5, (std::vector<std::string>{"00", "fd", "fd", "f8", "f3"}));

    // The random draws start from one seed: the sparkle repeats run by run.
    std::ostringstream a, b;
    ASSERT_EQ(RunCtl({"render", "keyboard", "--frames", "4", "--effect", "9"}, a, err, nullptr), 0);
    ASSERT_EQ(RunCtl({"render", "keyboard", "--frames", "4", "--effect", "9"}, b, err, nullptr), 0);
    EXPECT_EQ(a.str(), b.str());
    EXPECT_NE(a.str().find_first_not_of("0 \n"), std::string::npos);
}

TEST(Ctl, RenderRefusesBadArgumentsAndSequences) {
    const std::vector<std::vector<std::string>> bad = {
        {"render"},
        {"render", "keyboard", "--frames", "1", "--effect", "18"},  // a user light sequence
        {"render", "keyboard", "--frames", "1", "--key", "down:126@1"},
        {"render", "keyboard", "--frames", "1", "--key", "down:5@0"},
        {"render", "keyboard", "--frames", "1", "--key", "press:5@1"},
        {"render", "keyboard", "--frames", "1", "--key", "down:5"},
        {"render", "mouse", "--frames", "1", "--key", "down:5@1"},
        {"render", "mouse"},
        {"render", "mouse", "--frames", "0"},
        {"render", "mouse", "--frames", "1", "--brightness", "5"},
        {"render", "mouse", "--frames", "1", "--direction", "2"},
        {"render", "mouse", "--frames", "1", "--colour", "1,2"},
        {"render", "mouse", "--frames", "1", "--colour", "1,2,256"},
        {"render", "mouse", "--frames", "1", "--speed"},
        {"render", "mouse", "--frames", "1", "--shade", "1"},
        {"render", "mouse", "--frames", "1", "--effect", "9"},     // a user light sequence
        {"render", "headset", "--frames", "1", "--effect", "5"},
    };
    for (const auto& args : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCtl(args, out, err, nullptr), 2) << args.back();
        EXPECT_NE(err.str().find("r88ctl render"), std::string::npos);
        EXPECT_TRUE(out.str().empty());
    }
}

}  // namespace
}  // namespace r88
