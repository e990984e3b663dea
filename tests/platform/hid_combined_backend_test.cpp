#include "platform/hid_combined_backend.h"

#include <gtest/gtest.h>

#include "device/hid_device.h"
#include "device/hid_device_list.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

TEST(CombinedHidBackend, ListsEveryBackendInTurnAndOpensThroughTheOneThatKnowsThePath) {
    auto first = std::make_shared<sim::SimHidBus>();
    auto second = std::make_shared<sim::SimHidBus>();
    first->Plug(sim::MakeEmulatedKeyboard());
    second->Plug(sim::MakeEmulatedHeadset());
    auto combined =
        std::make_shared<CombinedHidBackend>(std::vector<std::shared_ptr<IHidBackend>>{first, second});

    CHidDeviceList list(combined);
    ASSERT_TRUE(list.Enumerate());
    std::vector<std::string> paths;
    while (const std::string* p = list.Next()) paths.push_back(*p);
    std::vector<std::string> expected = first->Paths();
    for (const std::string& p : second->Paths()) expected.push_back(p);
    EXPECT_EQ(paths, expected);

    // Both buses number their nodes from 0, so the same node name exists twice;
    // the ids in the path pick the right device.
    CHidDevice headset(combined);
    ASSERT_TRUE(headset.Open(second->Paths()[0], true, true, true, false));
    EXPECT_EQ(headset.Attributes().productId, 0x01DA);
    EXPECT_TRUE(combined->IsPresent(first->Paths()[0]));

    second->InjectEnumerationFault({sim::EnumerationFault::Kind::kSetUnavailable, 0});
    EXPECT_FALSE(list.Enumerate());
}

}  // namespace
}  // namespace r88
