#pragma once
// A main window on an emulated bus of its own, with a private data folder:
// the set-up of the UI tests that plug emulated devices into the window.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <utility>
#include <vector>

#include "app/device_manager.h"
#include "app/device_option_ui.h"
#include "app/light_control_bus.h"
#include "app/main_wnd.h"
#include "device/qt/orvane_usb_device.h"
#include "platform/hid_backend.h"
#include "sim/sim_bus.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/ui_fixture.h"

namespace r88::test {

class EmulatedWindowTest : public SkinTest {
protected:
    // Description rows of the pages (the strip keeps that order).
    static constexpr int kMouseRow = 0;
    static constexpr int kKeyboardRow = 1;
    static constexpr int kPadRow = 2;
    static constexpr int kHeadsetRow = 3;

    struct NoLightBus : ILightControlBus {
        void Announce(int, int) override {}
    };

    void SetUp() override {
        SkinTest::SetUp();
        ASSERT_TRUE(home_.isValid());
        KeepEnv("XDG_DATA_HOME", home_.filePath(QStringLiteral("data")));
        KeepEnv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral("config")));
        previousBackend_ = CurrentHidBackend();
        SetCurrentHidBackend(bus_);
        wnd_ = std::make_unique<CMainWnd>(dialogs_, lightBus_);
        ASSERT_TRUE(wnd_->Create()) << wnd_->Error().toStdString();
    }

    // The window goes before the bus it reads is given back.
    void TearDown() override {
        wnd_.reset();
        SetCurrentHidBackend(previousBackend_);
        for (const auto& [name, value] : savedEnv_) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }

    void KeepEnv(const char* name, const QString& value) {
        savedEnv_.emplace_back(name, qgetenv(name));
        qputenv(name, value.toUtf8());
    }

    CDeviceManager& Devices() { return wnd_->Devices(); }
    const CDeviceManager::Page& PageOfRow(int row) {
        for (const CDeviceManager::Page& p : Devices().Pages())
            if (p.row == row) return p;
        ADD_FAILURE() << "no page for row " << row;
        return Devices().Pages().front();
    }
    COrvaneUSBDevice& Device(int row) { return *PageOfRow(row).device; }
    CDeviceOptionUI& Item(int row) { return *PageOfRow(row).item; }

    QTemporaryDir home_;
    std::vector<std::pair<const char*, QByteArray>> savedEnv_;
    std::shared_ptr<IHidBackend> previousBackend_;
    std::shared_ptr<sim::SimHidBus> bus_ = std::make_shared<sim::SimHidBus>();
    CScriptedDialogs dialogs_;
    NoLightBus lightBus_;
    std::unique_ptr<CMainWnd> wnd_;
};

}  // namespace r88::test
