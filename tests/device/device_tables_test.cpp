#include "device/device_tables.h"

#include <gtest/gtest.h>

#include "device/device_discovery.h"
#include "device/hid_command_channel.h"
#include "device/notification_reader.h"
#include "device/usb_device_core.h"
#include "device/worker_thread.h"

namespace r88 {
namespace {

// Every description row names exactly one supported command interface, and
// only the rows with real ids can ever connect.
static_assert(kDeviceDescriptions.size() == kDevicePages.size());
static_assert(kSupportedInterfaces[0].usagePage == 0xFF1C && kSupportedInterfaces[1].subType == 0xFF);

}  // namespace
}  // namespace r88
