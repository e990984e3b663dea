// Synchronised lighting through the main window on the emulated bus: the
// "deng_same_mode" action gives every connected device the selected device's
// effect in its own numbering, and the window's worker then lights all of
// them alike, frame by frame, until the strip shows at most one device.
#include "app/sync_lighting.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <set>

#include "app/device_manager.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "device/qt/orvane_usb_device.h"
#include "platform/trace.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"
#include "tests/app/emulated_window_test.h"
#include "tests/ui/wait.h"

namespace r88 {
namespace {

class SyncLightingTest : public test::EmulatedWindowTest {
protected:
    void SetUp() override {
        test::EmulatedWindowTest::SetUp();
        sameMode_.setObjectName(QStringLiteral("deng_same_mode"));
    }

    bool Syncing(int row) { return Device(row).CommandChannel().IsSyncLighting(); }

    // Plugs the devices and waits for their first read (profile loaded,
    // light thread running, frame timer armed).
    void PlugAndRead(const std::vector<std::pair<int, std::shared_ptr<sim::EmulatedDevice>>>& devices) {
        for (const auto& [row, device] : devices) {
            bus_->Plug(device);
            plugged_[row] = device;
            ASSERT_TRUE(test::WaitUntil([&, row = row] { return Device(row).LightThreadRunning(); }, 5000))
                << row;
        }
    }

    void ClickSameMode() { wnd_->Notify({ui::event::kClick, &sameMode_, 0, 0}); }

    static LightState State(std::uint8_t effect) {
        LightState s;
        s.effect = effect;
        s.brightness = 3;
        s.speed = 4;
        s.direction = 1;
        s.red = 200;
        s.green = 100;
        s.blue = 50;
        return s;
    }

    // The value every LED of every row holds, when they all hold the same one.
    std::optional<std::uint32_t> CommonLed(const std::vector<int>& rows) {
        std::set<std::uint32_t> values;
        for (int row : rows)
            for (int i = 0; i < Device(row).GetLightCount(); ++i) values.insert(Device(row).GetLedValue(i));
        if (values.size() != 1) return std::nullopt;
        return *values.begin();
    }

    std::map<int, std::shared_ptr<sim::EmulatedDevice>> plugged_;
    QPushButton sameMode_;
};

TEST_F(SyncLightingTest, AKeyboardOnSpectrumPutsEveryDeviceOnTheSameColours) {
    PlugAndRead({{kKeyboardRow, sim::MakeEmulatedKeyboard()},
                 {kPadRow, sim::MakeEmulatedMousePad()},
                 {kHeadsetRow, sim::MakeEmulatedHeadset()}});
    ASSERT_EQ(wnd_->SelectedDevice(), &Device(kKeyboardRow));
    Device(kKeyboardRow).SetLightState(State(3));  // spectrum cycle
    ClickSameMode();

    const CommonLightParams p = wnd_->SyncLighting().Params();
    EXPECT_EQ(p.kind, CommonLightKind::kSpectrum);
    EXPECT_EQ(p.brightness, 3);
    EXPECT_EQ(p.speed, 4);
    // The pad and the headset show their own spectrum id, in memory, in the
    // profile and in the saved document.
    for (int row : {kPadRow, kHeadsetRow}) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(Syncing(row));
        EXPECT_EQ(Device(row).GetLightState().effect, 1);
        EXPECT_EQ(Device(row).Profile()->ReadLightState().effect, 1);
        EXPECT_EQ(Device(row).Profile()->ReadLightState().red, 200);
        QFile saved(QString::fromStdString(Device(row).GetDocumentPath()));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.readAll().contains("\"SelectItem\" : 1"));
        EXPECT_TRUE(Item(row).IsSynchroMarked());
    }
    EXPECT_TRUE(Syncing(kKeyboardRow));
    EXPECT_EQ(Device(kKeyboardRow).GetLightState().effect, 3);
    EXPECT_TRUE(Item(kKeyboardRow).IsSynchroMarked());

    // Every LED of the three shows one spectrum colour at a time, at the
    // common brightness, and the colour moves on.
    const std::vector<int> rows = {kKeyboardRow, kPadRow, kHeadsetRow};
    std::set<std::uint32_t> seen;
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            const auto v = CommonLed(rows);
            if (v && *v != 0) seen.insert(*v);
            return seen.size() >= 3;
        },
        3000));
    for (std::uint32_t v : seen) {
        EXPECT_EQ(v >> 24, BrightnessLevels[3]);
        const Rgb colour{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                         static_cast<std::uint8_t>(v >> 16)};
        EXPECT_NE(std::find(SpectrumTable.begin(), SpectrumTable.end(), colour), SpectrumTable.end());
    }
    // The pad's frame timer sends what the worker lit.
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            const auto frame = plugged_[kPadRow]->Memory(sim::SimMemory::kFrame);
            return frame.size() >= 3 && (frame[0] | frame[1] | frame[2]) != 0;
        },
        3000));

    // A device whose part ends by another path (its settings read, a
    // lighting change) loses its mark with its next frame.
    Device(kPadRow).CommandChannel().SetSyncLighting(false);
    EXPECT_TRUE(test::WaitUntil([&] { return !Item(kPadRow).IsSynchroMarked(); }, 2000));
    EXPECT_TRUE(Item(kHeadsetRow).IsSynchroMarked());

    TraceCapture trace;
    wnd_->Exit();
    EXPECT_FALSE(wnd_->SyncLighting().Running());
    EXPECT_TRUE(trace.Contains("同步灯光线程设定退出"));
    EXPECT_FALSE(trace.Contains("超时"));
}

TEST_F(SyncLightingTest, AnEffectWithoutACommonKindChangesNothing) {
    PlugAndRead({{kKeyboardRow, sim::MakeEmulatedKeyboard()}, {kPadRow, sim::MakeEmulatedMousePad()}});
    const LightState padBefore = Device(kPadRow).GetLightState();
    const LightState padProfile = Device(kPadRow).Profile()->ReadLightState();
    for (std::uint8_t effect : {0, 1, 20}) {  // per-key effects and a user sequence
        SCOPED_TRACE(effect);
        Device(kKeyboardRow).SetLightState(State(effect));
        ClickSameMode();
        EXPECT_FALSE(Syncing(kKeyboardRow));
        EXPECT_FALSE(Syncing(kPadRow));
        EXPECT_EQ(Device(kPadRow).GetLightState().WordA(), padBefore.WordA());
        EXPECT_EQ(Device(kPadRow).Profile()->ReadLightState().WordA(), padProfile.WordA());
        EXPECT_FALSE(Item(kPadRow).IsSynchroMarked());
    }
    // Nobody selected: nothing to follow.
    bus_->UnplugAll();
    ASSERT_TRUE(test::WaitUntil([&] { return wnd_->SelectedDevice() == nullptr; }));
    EXPECT_FALSE(wnd_->SyncLighting().SynchroniseLighting(QSize(1920, 1080)));
}

TEST_F(SyncLightingTest, UnpluggingAllButOneEndsIt) {
    PlugAndRead({{kKeyboardRow, sim::MakeEmulatedKeyboard()}, {kPadRow, sim::MakeEmulatedMousePad()}});
    // The pad selected: its static effect becomes the keyboard's static.
    Item(kPadRow).Selector()->click();
    ASSERT_EQ(wnd_->SelectedDevice(), &Device(kPadRow));
    Device(kPadRow).SetLightState(State(3));
    ClickSameMode();
    EXPECT_EQ(Device(kKeyboardRow).GetLightState().effect, 5);
    ASSERT_TRUE(Syncing(kPadRow) && Syncing(kKeyboardRow));
    const std::uint32_t lit =
        200 | 100 << 8 | 50 << 16 | static_cast<std::uint32_t>(BrightnessLevels[3]) << 24;
    ASSERT_TRUE(test::WaitUntil([&] { return CommonLed({kKeyboardRow, kPadRow}) == lit; }, 3000));

    bus_->Unplug(plugged_[kKeyboardRow]);
    ASSERT_TRUE(test::WaitUntil([&] { return !Item(kKeyboardRow).IsVisibleItem(); }));
    EXPECT_FALSE(Syncing(kPadRow));
    EXPECT_FALSE(Syncing(kKeyboardRow));
    EXPECT_FALSE(Item(kPadRow).IsSynchroMarked());
    // Plugged again, the keyboard takes part again only through the action.
    bus_->Plug(plugged_[kKeyboardRow]);
    ASSERT_TRUE(test::WaitUntil([&] { return Device(kKeyboardRow).IsCommandOpen(); }, 5000));
    EXPECT_FALSE(Syncing(kKeyboardRow));
    ClickSameMode();
    EXPECT_TRUE(Syncing(kKeyboardRow) && Syncing(kPadRow));
}

}  // namespace
}  // namespace r88
