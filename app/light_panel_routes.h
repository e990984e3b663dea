#pragma once
// The main window's routes of the lighting panel: every change the user
// makes there becomes a new light state of the selected device, which is
// stored in its profile, saved, applied and written to the device.
#include <QSize>
#include <QString>
#include <optional>

#include "ui/notify.h"

namespace r88 {

class COrvaneUSBDevice;

// Handles n when it is one of the lighting panel's notifications (or the end
// of a selection on a device picture) and says whether it was. With no
// selected device, or a sender outside that device's page, a lighting
// notification is taken and nothing changes. screen is the size handed to
// WriteSettings.
bool RouteLightPanel(const ui::Notification& n, COrvaneUSBDevice* device, QSize screen);

// The value a colour box's text gives: decimal digits, above 255 read as
// 255; none for anything else (empty, signs, letters).
std::optional<int> ColourBoxValue(const QString& text);

}  // namespace r88
