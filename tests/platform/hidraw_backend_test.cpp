#include "platform/hidraw_backend.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <mutex>
#include <thread>

#include "device/device_discovery.h"
#include "device/hid_command_channel.h"
#include "device/hid_device.h"
#include "device/hid_device_list.h"
#include "platform/hid_combined_backend.h"
#include "platform/trace.h"
#include "sim/report_descriptors.h"
#include "sim/simulated_setup.h"

namespace r88 {
namespace {
namespace fs = std::filesystem;

// Node access that hands out one end of a datagram socket pair per open, so
// the test plays the kernel side: what it sends arrives as one report.
class FakeNodeAccess : public IHidrawNodeAccess {
public:
    struct Node {
        uint16_t vendorId, productId;
        std::vector<uint8_t> descriptor;
    };
    std::map<std::string, Node> nodes;
    std::vector<int> peers;  // kernel ends, in open order
    std::vector<int> ends;   // the ends the backend got (and owns), in open order
    std::vector<std::vector<uint8_t>> outputReports;

    ~FakeNodeAccess() override {
        for (int fd : peers) close(fd);
    }
    int Open(const std::string& devnode, int) override {
        if (!nodes.count(devnode)) return -1;
        int pair[2];
        if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0) return -1;
        peers.push_back(pair[1]);
        ends.push_back(pair[0]);
        fdNode[pair[0]] = devnode;
        return pair[0];
    }
    bool GetRawInfo(int fd, uint16_t& vendorId, uint16_t& productId) override {
        const Node& n = nodes.at(fdNode.at(fd));
        vendorId = n.vendorId;
        productId = n.productId;
        return true;
    }
    bool GetReportDescriptor(int fd, std::vector<uint8_t>& out) override {
        out = nodes.at(fdNode.at(fd)).descriptor;
        return true;
    }
    bool SendOutputReport(int, std::span<const uint8_t> report) override {
        std::lock_guard lock(outputMutex);
        outputReports.emplace_back(report.begin(), report.end());
        return true;
    }
    // Output reports may come from the connection's batch thread.
    std::vector<std::vector<uint8_t>> OutputReports() {
        std::lock_guard lock(outputMutex);
        return outputReports;
    }
    std::mutex outputMutex;

private:
    std::map<int, std::string> fdNode;
};

// A sysfs tree as the kernel lays it out: class/hidraw/hidrawN/device -> the
// HID device, inside the USB interface, inside the USB device.
class HidrawBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("r88-sysfs-" + std::to_string(getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "class" / "hidraw");
    }
    void TearDown() override { fs::remove_all(root_); }

    void AddNode(int n, uint16_t vid, uint16_t pid, std::optional<int> interfaceNumber,
                 std::span<const uint8_t> descriptor) {
        fs::path usbDevice = root_ / "devices" / ("usb" + std::to_string(n));
        fs::path parent = usbDevice;
        if (interfaceNumber) {
            parent = usbDevice / ("1-" + std::to_string(n) + ":1." + std::to_string(*interfaceNumber));
            fs::create_directories(parent);
            Write(parent / "bInterfaceNumber", "0" + std::to_string(*interfaceNumber) + "\n");
            Write(usbDevice / "bcdDevice", "0107\n");
        }
        char hidName[64];
        std::snprintf(hidName, sizeof hidName, "0003:%04X:%04X.%04X", vid, pid, n);
        const fs::path hid = parent / hidName;
        fs::create_directories(hid);
        char uevent[128];
        std::snprintf(uevent, sizeof uevent, "DRIVER=hid-generic\nHID_ID=0003:%08X:%08X\nHID_NAME=Test\n",
                      vid, pid);
        Write(hid / "uevent", uevent);
        Write(hid / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        const fs::path node = root_ / "class" / "hidraw" / ("hidraw" + std::to_string(n));
        fs::create_directories(node);
        fs::create_directory_symlink(hid, node / "device");
        access_->nodes["/dev/hidraw" + std::to_string(n)] = {
            vid, pid, {descriptor.begin(), descriptor.end()}};
    }

    std::shared_ptr<HidrawBackend> Backend() {
        auto access = std::make_unique<FakeNodeAccess>();
        access->nodes = access_->nodes;
        fake_ = access.get();
        return std::make_shared<HidrawBackend>(HidrawBackendOptions{root_.string(), "/dev"},
                                               std::move(access));
    }

    static void Write(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }

    fs::path root_;
    std::unique_ptr<FakeNodeAccess> access_ = std::make_unique<FakeNodeAccess>();
    FakeNodeAccess* fake_ = nullptr;
};

const std::vector<uint8_t> kBroken = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF};

TEST_F(HidrawBackendTest, EnumerationGivesOnePathPerCollectionAndSkipsBrokenNodes) {
    AddNode(3, 0x320F, 0x502B, 1, sim::GamingInterfaceDescriptor());
    AddNode(10, 0x046D, 0xC52B, std::nullopt, sim::BootMouseDescriptor());  // not on USB
    AddNode(2, 0x320F, 0x502B, 0, sim::BootKeyboardDescriptor());
    AddNode(7, 0x1234, 0x5678, 0, kBroken);
    TraceCapture trace;
    CHidDeviceList list(Backend());
    ASSERT_TRUE(list.Enumerate());
    std::vector<std::string> paths;
    while (const std::string* p = list.Next()) paths.push_back(*p);
    EXPECT_EQ(paths, (std::vector<std::string>{
                         "/dev/hidraw2#vid_320f&pid_502b&mi_00",
                         "/dev/hidraw3#vid_320f&pid_502b&mi_01&col01",
                         "/dev/hidraw3#vid_320f&pid_502b&mi_01&col02",
                         "/dev/hidraw3#vid_320f&pid_502b&mi_01&col03",
                         "/dev/hidraw3#vid_320f&pid_502b&mi_01&col04",
                         "/dev/hidraw10#vid_046d&pid_c52b",
                     }));
    EXPECT_TRUE(trace.Contains("/dev/hidraw7 skipped, report descriptor refused (item runs past the end)"));
}

TEST_F(HidrawBackendTest, NoHidrawNodesGiveAnEmptyList) {
    fs::remove_all(root_ / "class");
    CHidDeviceList list(Backend());
    EXPECT_TRUE(list.Enumerate());
    EXPECT_EQ(list.Count(), 0u);
}

TEST_F(HidrawBackendTest, OpenWithoutAccessReadsSysfsAndOpenForIoAsksTheNode) {
    AddNode(3, 0x320F, 0x502B, 1, sim::GamingInterfaceDescriptor());
    auto backend = Backend();
    CHidDevice probe(backend);
    ASSERT_TRUE(probe.Open("/dev/hidraw3#vid_320f&pid_502b&mi_01&col04", false, false, true, false));
    EXPECT_EQ(probe.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(probe.Caps().usage, 0x92);
    EXPECT_EQ(probe.Attributes().versionNumber, 0x0107);
    EXPECT_TRUE(fake_->peers.empty());  // no node was opened
    uint8_t buffer[64];
    EXPECT_FALSE(probe.Read(buffer, sizeof buffer, 10));

    CHidDevice device(backend);
    ASSERT_TRUE(device.Open("/dev/hidraw3#vid_320f&pid_502b&mi_01&col03", true, true, true, false));
    EXPECT_EQ(fake_->peers.size(), 1u);
    EXPECT_EQ(device.Caps().inputReportByteLength, 3);

    // Stale or impossible paths are refused.
    for (const char* bad :
         {"/dev/hidraw3#vid_320f&pid_502c&mi_01&col04", "/dev/hidraw3#vid_320f&pid_502b&mi_01&col05",
          "/dev/hidraw3#vid_320f&pid_502b&mi_01", "/dev/hidraw9#vid_320f&pid_502b&mi_01&col04"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(probe.Open(bad, true, true, true, false));
        EXPECT_FALSE(backend->IsPresent(bad));
    }
    EXPECT_TRUE(backend->IsPresent("/dev/hidraw3#vid_320f&pid_502b&mi_01&col04"));
}

TEST_F(HidrawBackendTest, ReadsKeepTheirCollectionsReportsAndWritesCarryTheReportId) {
    AddNode(3, 0x320F, 0x502B, 1, sim::GamingInterfaceDescriptor());
    auto backend = Backend();
    CHidDevice vendor(backend);
    ASSERT_TRUE(vendor.Open("/dev/hidraw3#vid_320f&pid_502b&mi_01&col04", true, true, true, false));
    const int kernel = fake_->peers.back();

    const uint8_t notification[] = {0x03, 0x01, 0x04};
    std::vector<uint8_t> reply(64, 0);
    reply[0] = 0x04;
    reply[3] = 0x01;
    ASSERT_EQ(send(kernel, notification, sizeof notification, 0), 3);
    ASSERT_EQ(send(kernel, reply.data(), reply.size(), 0), 64);
    uint8_t buffer[64] = {};
    size_t n = 0;
    ASSERT_TRUE(vendor.Read(buffer, sizeof buffer, 1000, &n));
    EXPECT_EQ(n, 64u);
    EXPECT_EQ(buffer[0], 0x04);  // the consumer report was not this collection's
    EXPECT_EQ(buffer[3], 0x01);

    std::vector<uint8_t> request(64, 0);
    request[0] = 0x04;
    ASSERT_TRUE(vendor.Write(request.data(), request.size(), 1000, &n));
    uint8_t got[80];
    EXPECT_EQ(recv(kernel, got, sizeof got, 0), 64);
    EXPECT_EQ(got[0], 0x04);
    request[0] = 0x03;  // another collection's report
    EXPECT_FALSE(vendor.Write(request.data(), request.size(), 1000, &n));
    EXPECT_EQ(n, 0u);

    // The device goes away: the kernel end closes and reads fail at once.
    close(kernel);
    fake_->peers.pop_back();
    EXPECT_FALSE(vendor.Read(buffer, sizeof buffer, kHidInfinite, &n));
}

TEST_F(HidrawBackendTest, OutputReportBatchesGoOutWholeThroughTheOutputReportCall) {
    AddNode(3, 0x320F, 0x502B, 1, sim::GamingInterfaceDescriptor());
    auto backend = Backend();
    CHidDevice vendor(backend);
    ASSERT_TRUE(vendor.Open("/dev/hidraw3#vid_320f&pid_502b&mi_01&col04", true, true, true, false));
    std::vector<uint8_t> batch(2 * 64, 0);
    batch[0] = batch[64] = 0x04;
    batch[1] = 1;
    batch[65] = 2;
    // One report of another collection refuses the whole batch.
    std::vector<uint8_t> mixed = batch;
    mixed[64] = 0x03;
    EXPECT_EQ(vendor.SubmitOutputReports(mixed, 64), HidBatchResult::kRefused);

    EXPECT_EQ(vendor.SubmitOutputReports(batch, 64), HidBatchResult::kAccepted);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (fake_->OutputReports().size() < 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto sent = fake_->OutputReports();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], std::vector<uint8_t>(batch.begin(), batch.begin() + 64));
    EXPECT_EQ(sent[1], std::vector<uint8_t>(batch.begin() + 64, batch.end()));
    vendor.Close();
    EXPECT_EQ(vendor.SubmitOutputReports(batch, 64), HidBatchResult::kRefused);
}

TEST_F(HidrawBackendTest, UnnumberedReportsGetTheIdByteInFrontAndCloseCutsAWaitingReadShort) {
    AddNode(2, 0x320F, 0x502B, 0, sim::BootKeyboardDescriptor());
    auto backend = Backend();
    CHidDevice keyboard(backend);
    ASSERT_TRUE(keyboard.Open("/dev/hidraw2#vid_320f&pid_502b&mi_00", true, true, true, false));
    const int kernel = fake_->peers.back();
    const uint8_t keys[8] = {0x02, 0x00, 0x04};
    ASSERT_EQ(send(kernel, keys, sizeof keys, 0), 8);
    uint8_t buffer[9] = {};
    size_t n = 0;
    ASSERT_TRUE(keyboard.Read(buffer, sizeof buffer, 1000, &n));
    EXPECT_EQ(n, 9u);
    EXPECT_EQ(buffer[0], 0x00);
    EXPECT_EQ(buffer[1], 0x02);
    EXPECT_EQ(buffer[3], 0x04);

    const uint8_t leds[2] = {0x00, 0x01};
    EXPECT_TRUE(keyboard.SetOutputReport(leds, sizeof leds));
    ASSERT_EQ(fake_->outputReports.size(), 1u);

    bool result = true;
    std::thread reader([&] { result = keyboard.Read(buffer, sizeof buffer, kHidInfinite, &n); });
    while (!keyboard.ReadPending()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto start = std::chrono::steady_clock::now();
    keyboard.Close();
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

// A device that takes nothing: the node's outgoing queue is full, so the next
// write() blocks in the kernel, as a hidraw write does until the USB time-out.
// Returns how many filler reports wait in the queue.
size_t StallNode(int end) {
    std::vector<uint8_t> filler(64, 0xEE);
    filler[0] = kCommandReportId;
    size_t queued = 0;
    while (send(end, filler.data(), filler.size(), MSG_DONTWAIT | MSG_NOSIGNAL) > 0) ++queued;
    return queued;
}

// The device takes again: what was queued arrives in order, the filler first.
std::vector<std::vector<uint8_t>> TakeReports(int kernel) {
    std::vector<std::vector<uint8_t>> out;
    for (;;) {
        pollfd p{kernel, POLLIN, 0};
        if (poll(&p, 1, out.empty() ? 2000 : 200) <= 0) break;
        std::vector<uint8_t> report(80);
        const ssize_t n = recv(kernel, report.data(), report.size(), 0);
        if (n <= 0) break;
        report.resize(static_cast<size_t>(n));
        out.push_back(std::move(report));
    }
    return out;
}

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

TEST_F(HidrawBackendTest, AWriteStuckInTheKernelIsGivenUpOnAndLightFramesAreDroppedWithoutWaiting) {
    AddNode(3, 0x320F, 0x502B, 1, sim::GamingInterfaceDescriptor());
    CHidCommandChannel channel(Backend());
    ASSERT_TRUE(channel.OpenHid("/dev/hidraw3#vid_320f&pid_502b&mi_01&col04"));
    const int kernel = fake_->peers.back();
    const size_t filler = StallNode(fake_->ends.back());
    ASSERT_GT(filler, 0u);
    CHidDevice& hid = channel.Hid();

    std::vector<uint8_t> first(64, 0x11), second(64, 0x22);
    first[0] = second[0] = kCommandReportId;
    auto start = Clock::now();
    EXPECT_FALSE(hid.Write(first.data(), first.size(), 150));
    const auto firstTook = Clock::now() - start;
    EXPECT_GE(firstTook, 140ms);
    EXPECT_LT(firstTook, 1000ms);

    // The first report is still inside the kernel: the next write waits for it within its own time-out.
    start = Clock::now();
    EXPECT_FALSE(hid.Write(second.data(), second.size(), 150));
    EXPECT_GE(Clock::now() - start, 140ms);

    // A light frame neither waits nor goes out in part.
    {
        TraceCapture trace;
        const std::vector<uint8_t> frame(100, 0x40);  // two chunks
        start = Clock::now();
        EXPECT_EQ(channel.CMD_STREAM_LIGHT(frame), kResultOk);
        EXPECT_LT(Clock::now() - start, 100ms);
        EXPECT_TRUE(trace.Contains(kTraceLightDropped));
        bool busy = false;
        EXPECT_FALSE(hid.TryWrite(second.data(), second.size(), 1000, busy));
        EXPECT_TRUE(busy);
    }

    // A command waiting behind the stuck report is cut short by closing the channel.
    auto command = std::async(std::launch::async, [&] { return channel.CMD_BEGIN(); });
    std::this_thread::sleep_for(50ms);
    start = Clock::now();
    channel.CloseHid();
    EXPECT_LT(Clock::now() - start, 100ms);
    ASSERT_EQ(command.wait_for(500ms), std::future_status::ready);
    EXPECT_EQ(command.get(), kResultWriteFailed);

    // When the device takes again, the report the kernel held lands (and
    // nothing after it): the writer ends by itself although its connection has gone.
    const std::vector<std::vector<uint8_t>> taken = TakeReports(kernel);
    ASSERT_EQ(taken.size(), filler + 1);
    EXPECT_EQ(taken.back(), first);
}

TEST_F(HidrawBackendTest, CloseReturnsAtOnceDuringAWriteWithoutTimeOutAndTheNextOpenWritesAgain) {
    AddNode(3, 0x320F, 0x502B, 1, sim::GamingInterfaceDescriptor());
    auto backend = Backend();
    CHidDevice vendor(backend);
    const std::string path = "/dev/hidraw3#vid_320f&pid_502b&mi_01&col04";
    ASSERT_TRUE(vendor.Open(path, true, true, true, false));
    const int kernel = fake_->peers.back();
    const size_t filler = StallNode(fake_->ends.back());

    std::vector<uint8_t> report(64, 0x33);
    report[0] = kCommandReportId;
    auto write = std::async(std::launch::async,
                            [&] { return vendor.Write(report.data(), report.size(), kHidInfinite); });
    while (!vendor.WritePending()) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(20ms);
    const auto start = Clock::now();
    vendor.Close();
    EXPECT_LT(Clock::now() - start, 100ms);
    ASSERT_EQ(write.wait_for(500ms), std::future_status::ready);
    EXPECT_FALSE(write.get());
    const std::vector<std::vector<uint8_t>> taken = TakeReports(kernel);
    ASSERT_EQ(taken.size(), filler + 1);
    EXPECT_EQ(taken.back(), report);

    ASSERT_TRUE(vendor.Open(path, true, true, true, false));
    size_t n = 0;
    ASSERT_TRUE(vendor.Write(report.data(), report.size(), 1000, &n));
    EXPECT_EQ(n, 64u);
    uint8_t got[80];
    EXPECT_EQ(recv(fake_->peers.back(), got, sizeof got, 0), 64);
}

// Records the slots of 3090 and 3091.
class SlotMessages : public IMessageSink {
public:
    void PostMessage(unsigned, uintptr_t, intptr_t) override {}
    intptr_t SendMessage(unsigned msg, uintptr_t slot, intptr_t) override {
        (msg == kMsgDeviceFound ? found : gone).push_back(slot);
        return 0;
    }
    std::vector<uintptr_t> found, gone;
};

// The presence check of claimed slots runs every 100 ms: it must not list the
// nodes once per slot (with udev, a scan of every hidraw device each time).
TEST_F(HidrawBackendTest, DiscoveryListsTheNodesAtMostOncePerPassAndNotAtAllWithEverySlotClaimed) {
    AddNode(3, 0x320F, 0x502B, 1, sim::GamingInterfaceDescriptor());  // keyboard
    AddNode(5, 0x0C45, 0x6627, 1, sim::GamingInterfaceDescriptor());  // mouse pad
    AddNode(7, 0x0D8C, 0x01DA, 3, sim::HeadsetDescriptor());          // headset
    AddNode(8, 0x046D, 0xC52B, 0, sim::BootMouseDescriptor());        // not ours
    auto backend = Backend();
    SlotMessages window;
    CDeviceDiscovery discovery(window, backend);

    size_t listed = backend->NodeListings();
    ASSERT_TRUE(discovery.RunOnce());
    EXPECT_EQ(backend->NodeListings() - listed, 1u);
    EXPECT_EQ(window.found, (std::vector<uintptr_t>{1, 0, 5, 4, 6}));  // in enumeration order
    for (int pass = 0; pass < 5; ++pass) {
        listed = backend->NodeListings();
        ASSERT_TRUE(discovery.RunOnce());
        EXPECT_EQ(backend->NodeListings(), listed);
    }
    EXPECT_TRUE(window.gone.empty());

    // The mouse pad goes: both its slots are freed in one pass, which lists at
    // most once (its scan, now that slots are free).
    fs::remove_all(root_ / "class" / "hidraw" / "hidraw5");
    listed = backend->NodeListings();
    ASSERT_TRUE(discovery.RunOnce());
    EXPECT_EQ(window.gone, (std::vector<uintptr_t>{4, 5}));
    EXPECT_LE(backend->NodeListings() - listed, 1u);

    // Beside the emulated devices (as "--simulate" runs), with all of them
    // claimed: the hidraw nodes are not listed either.
    fs::remove_all(root_ / "class" / "hidraw");
    fs::create_directories(root_ / "class" / "hidraw");
    sim::SimulatedSetup simulated = sim::MakeSimulatedSetup();
    auto hidraw = Backend();
    SlotMessages simWindow;
    CDeviceDiscovery both(simWindow, std::make_shared<CombinedHidBackend>(
                                         std::vector<std::shared_ptr<IHidBackend>>{hidraw, simulated.bus}));
    ASSERT_TRUE(both.RunOnce());
    EXPECT_EQ(simWindow.found.size(), 5u);
    listed = hidraw->NodeListings();
    for (int pass = 0; pass < 5; ++pass) ASSERT_TRUE(both.RunOnce());
    EXPECT_EQ(hidraw->NodeListings(), listed);
    EXPECT_TRUE(simWindow.gone.empty());
}

}  // namespace
}  // namespace r88
