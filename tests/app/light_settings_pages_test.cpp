// The mouse pad's and the headset's pages on the emulated devices: the
// settings they write when profiles change, the active profile a device
// reports, the restore-defaults button and the light frames on the wire.
#include <QAbstractButton>

#include "app/device_manager.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "device/qt/orvane_usb_device.h"
#include "headset/headset_light_reports.h"
#include "platform/window_messages.h"
#include "profile/json_file.h"
#include "profile/qt/device_profile_ui.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"
#include "tests/app/emulated_window_test.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/wait.h"
#include "ui/find_control.h"

namespace r88 {
namespace {

using sim::SimMemory;

constexpr int kWaitMs = 5000;

class LightSettingsPagesTest : public test::EmulatedWindowTest {
protected:
    CDeviceProfileUI& Bar(int row) { return *Device(row).ProfileBar(); }

    // Plugs the device and waits for its first read (the light frames start with it).
    std::shared_ptr<sim::EmulatedDevice> Connect(std::shared_ptr<sim::EmulatedDevice> device, int row) {
        bus_->Plug(device);
        EXPECT_TRUE(test::WaitUntil(
            [&] { return PageOfRow(row).item->TimerActive(CDeviceOptionUI::kTimerLightFrame); }, kWaitMs));
        return device;
    }

    // Sets "LightInfo"."SelectItem" in a profile document of the device.
    void SetDocumentEffect(int row, const std::string& profileId, int effect) {
        const std::string path = Bar(row).List().GetDocumentPath(profileId);
        Json::Value document = json_.ReadJson(path);
        document["Device"][0]["LightInfo"]["SelectItem"] = effect;
        ASSERT_EQ(json_.WriteJson(path, document), 0);
    }
    int DocumentEffect(int row) {
        const Json::Value document = json_.ReadJson(Device(row).GetDocumentPath());
        return document["Device"][0]["LightInfo"]["SelectItem"].asInt();
    }

    static uint8_t DataByte(sim::EmulatedDevice& d, size_t at) { return d.Memory(SimMemory::kData).at(at); }
    static size_t WritesOf(sim::EmulatedDevice& d) {
        size_t n = 0;
        for (const sim::SimPacket& p : d.Log().Received())
            if (p.bytes.size() > kPacketCommand && p.bytes[0] == kCommandReportId &&
                p.bytes[kPacketCommand] == kCmdWriteData)
                ++n;
        return n;
    }

    CJsonFile json_;
};

TEST_F(LightSettingsPagesTest, SelectingAProfileWritesItsEffectToThePad) {
    auto pad = Connect(sim::MakeEmulatedMousePad(), kPadRow);
    CDeviceProfileUI& bar = Bar(kPadRow);
    bar.NewProfile();
    ASSERT_EQ(bar.List().GetCount(), 2);
    struct Case {
        int index;
        int effect;
        uint8_t written;
    };
    // A user light sequence (12) is the host's own: the pad gets effect 0.
    const Case cases[] = {{0, 12, 0}, {1, 5, 5}, {0, 3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        // The other profile is shown first, so that choosing this one changes something.
        bar.Select(1 - c.index, true);
        SetDocumentEffect(kPadRow, bar.List().Entries()[static_cast<size_t>(c.index)].id, c.effect);
        pad->Log().Clear();
        bar.Select(c.index, true);  // as the user's choice in the drop-down
        EXPECT_EQ(bar.List().GetCurrentIndex(), c.index);
        EXPECT_EQ(WritesOf(*pad), 1u);
        EXPECT_EQ(DataByte(*pad, 1), c.written);  // profile 0 of the pad, at offset 0
    }
}

TEST_F(LightSettingsPagesTest, TheActiveProfileADeviceReportsIsSelectedOnItsOwnPageWhenListed) {
    // The keyboard comes first and stays the page shown.
    Connect(sim::MakeEmulatedKeyboard(), kKeyboardRow);
    auto pad = Connect(sim::MakeEmulatedMousePad(), kPadRow);
    ASSERT_EQ(wnd_->SelectedDevice(), &Device(kKeyboardRow));
    CDeviceProfileUI& bar = Bar(kPadRow);
    bar.NewProfile();
    bar.Select(0, true);
    ASSERT_EQ(bar.List().GetCurrentIndex(), 0);
    const std::string second = bar.List().Entries()[1].id;

    // The pad asks to be read again and reports profile 1 as active.
    ASSERT_TRUE(test::WaitUntil([&] { return Device(kPadRow).IsNotificationOpen(); }, kWaitMs));
    const uint8_t active[] = {1};
    ASSERT_TRUE(pad->Firmware().WriteMemory(SimMemory::kData, 0, active));
    pad->Log().Clear();
    ASSERT_TRUE(pad->RequestSync());
    ASSERT_TRUE(test::WaitUntil([&] { return bar.List().GetCurrentIndex() == 1; }, kWaitMs));
    EXPECT_EQ(bar.GetCurrentIndex(), 1);
    EXPECT_NE(Device(kPadRow).GetDocumentPath().find(second), std::string::npos);
    EXPECT_EQ(WritesOf(*pad), 1u);  // the chosen profile went to the pad
    EXPECT_EQ(Bar(kKeyboardRow).List().GetCurrentIndex(), 0);

    // Profiles the list does not have, and senders that are no page, change nothing.
    const std::string documentPath = Device(kPadRow).GetDocumentPath();
    wnd_->HandleMessage(kMsgActiveProfile, 2, reinterpret_cast<intptr_t>(&Device(kPadRow)));
    wnd_->HandleMessage(kMsgActiveProfile, ~uintptr_t{0}, reinterpret_cast<intptr_t>(&Device(kPadRow)));
    int notAPage = 0;
    wnd_->HandleMessage(kMsgActiveProfile, 0, reinterpret_cast<intptr_t>(&notAPage));
    EXPECT_EQ(bar.List().GetCurrentIndex(), 1);
    EXPECT_EQ(Device(kPadRow).GetDocumentPath(), documentPath);
    // In range it is taken as a choice.
    wnd_->HandleMessage(kMsgActiveProfile, 0, reinterpret_cast<intptr_t>(&Device(kPadRow)));
    EXPECT_EQ(bar.List().GetCurrentIndex(), 0);
}

TEST_F(LightSettingsPagesTest, DefaultButtonConfirmedRestoresTheFactorySectionOnThePad) {
    auto pad = Connect(sim::MakeEmulatedMousePad(), kPadRow);
    ASSERT_EQ(wnd_->SelectedDevice(), &Device(kPadRow));
    SetDocumentEffect(kPadRow, Bar(kPadRow).GetCurrentProfileId(), 5);
    ASSERT_EQ(Device(kPadRow).LoadProfile(), 1);
    const uint8_t marker[] = {7};
    ASSERT_TRUE(pad->Firmware().WriteMemory(SimMemory::kData, 1, marker));
    auto* button = ui::FindControl<QAbstractButton>(&Device(kPadRow), QStringLiteral("default_btn"));
    ASSERT_NE(button, nullptr);

    // Refused: nothing changes, nothing is sent.
    pad->Log().Clear();
    dialogs_.answers = {0};
    button->click();
    ASSERT_EQ(dialogs_.ShownTexts(), QStringList{QStringLiteral("message_text_22")});
    EXPECT_EQ(DocumentEffect(kPadRow), 5);
    EXPECT_EQ(WritesOf(*pad), 0u);
    EXPECT_EQ(DataByte(*pad, 1), 7);

    // Confirmed: the factory section (effect 1) is in the document and on the pad.
    button->click();
    EXPECT_EQ(dialogs_.ShownTexts().size(), 2);
    EXPECT_EQ(DocumentEffect(kPadRow), 1);
    EXPECT_EQ(WritesOf(*pad), 1u);
    EXPECT_EQ(DataByte(*pad, 1), 1);
}

TEST_F(LightSettingsPagesTest, ThePadGetsStreamFramesAndTheHeadsetWholeReportSets) {
    auto pad = Connect(sim::MakeEmulatedMousePad(), kPadRow);
    auto headset = Connect(sim::MakeEmulatedHeadset(), kHeadsetRow);
    const unsigned streamed = pad->Firmware().StreamedChunks();
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            return pad->Firmware().StreamedChunks() >= streamed + 20 &&
                   headset->Lights().ReportsApplied() >= 36;
        },
        kWaitMs));
    // Every frame reached the headset whole and in order: zone 0x22 then 0x44,
    // LEDs 0-6 then 7-12, red, green, blue.
    const uint8_t order[kHeadsetLightReportCount][2] = {
        {0x22, 0xAA}, {0x22, 0xAD}, {0x44, 0xAA}, {0x44, 0xAD}, {0x22, 0xAB}, {0x22, 0xAE},
        {0x44, 0xAB}, {0x44, 0xAE}, {0x22, 0xAC}, {0x22, 0xAF}, {0x44, 0xAC}, {0x44, 0xAF}};
    size_t n = 0;
    for (const sim::SimPacket& p : headset->Log().Received()) {
        if (!p.controlPipe) continue;
        ASSERT_EQ(p.bytes.size(), kHeadsetLightReportSize);
        ASSERT_EQ(p.bytes[0], kHeadsetLightReportId);
        EXPECT_EQ(p.bytes[1], order[n % kHeadsetLightReportCount][0]) << n;
        EXPECT_EQ(p.bytes[2], order[n % kHeadsetLightReportCount][1]) << n;
        ++n;
    }
    EXPECT_GE(n, 36u);
}

}  // namespace
}  // namespace r88
