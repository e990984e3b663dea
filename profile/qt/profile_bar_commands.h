#pragma once
// The main window's handling of the profile bar's controls. The window calls
// these for the profile bar of the selected device's page; each returns
// whether the control was one of the bar's (names compared without regard to
// case), so that the window stops routing it. Messages and file dialogs go
// through the dialogs interface.
#include <QString>

class QWidget;

namespace r88 {

class CDeviceProfileUI;

namespace ui {
class IDialogs;
}

// A "click" notification: new, delete, copy, export, import, reset and
// rename of profiles, the profile menu's spread button and the device's
// restore-defaults button, with their confirmations and messages.
bool HandleProfileBarClick(CDeviceProfileUI& bar, ui::IDialogs& dialogs, QWidget* owner,
                           const QString& controlName);

// An "itemselect" notification of "device_profile_combo": the user chose a
// profile, which becomes current, is loaded and written to the device.
bool HandleProfileBarItemSelect(CDeviceProfileUI& bar, const QString& controlName);

// The function tab number of a tab's name ("deng_Op_tab" 1 .. "magic_Op_tab"
// 7), 0 for any other name. The window gives the device this number on the
// tab's "selectchanged", and the bar follows with SelectTab.
int FunctionTabNumber(const QString& controlName);

}  // namespace r88
