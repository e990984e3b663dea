#include "platform/hidraw_backend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "device/hid_path.h"
#include "platform/hidraw_writer.h"
#include "platform/output_report_sender.h"
#include "platform/trace.h"

namespace r88 {
namespace {

using Clock = std::chrono::steady_clock;

class KernelHidrawAccess : public IHidrawNodeAccess {
public:
    int Open(const std::string& devnode, int flags) override { return ::open(devnode.c_str(), flags); }

    bool GetRawInfo(int fd, uint16_t& vendorId, uint16_t& productId) override {
        hidraw_devinfo info{};
        if (ioctl(fd, HIDIOCGRAWINFO, &info) < 0) return false;
        vendorId = static_cast<uint16_t>(info.vendor);
        productId = static_cast<uint16_t>(info.product);
        return true;
    }

    bool GetReportDescriptor(int fd, std::vector<uint8_t>& out) override {
        int size = 0;
        if (ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0) return false;
        if (size <= 0 || static_cast<size_t>(size) > kHidMaxDescriptorSize || size > HID_MAX_DESCRIPTOR_SIZE)
            return false;
        hidraw_report_descriptor rd{};
        rd.size = static_cast<uint32_t>(size);
        if (ioctl(fd, HIDIOCGRDESC, &rd) < 0) return false;
        out.assign(rd.value, rd.value + rd.size);
        return true;
    }

    bool SendOutputReport(int fd, std::span<const uint8_t> report) override {
#ifdef HIDIOCSOUTPUT
        std::vector<uint8_t> copy(report.begin(), report.end());
        return ioctl(fd, HIDIOCSOUTPUT(copy.size()), copy.data()) >= 0;
#else
        (void)fd;
        (void)report;
        return false;
#endif
    }
};

// The output-report call, or the interrupt pipe on kernels without it.
bool SendOutputReportOn(IHidrawNodeAccess& access, int fd, std::span<const uint8_t> report) {
    if (access.SendOutputReport(fd, report)) return true;
    const ssize_t n = ::write(fd, report.data(), report.size());
    return n == static_cast<ssize_t>(report.size());
}

// A duplicate of a node's fd for a thread that may outlive the connection.
class OwnedFd {
public:
    explicit OwnedFd(int fd) : fd_(fd >= 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1) {}
    ~OwnedFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

// Milliseconds left until `deadline`, for poll(); -1 for no deadline.
int Remaining(bool infinite, Clock::time_point deadline) {
    if (infinite) return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

class HidrawConnection : public IHidConnection {
public:
    HidrawConnection(int fd, std::shared_ptr<IHidrawNodeAccess> access, HidAttributes attributes,
                     std::shared_ptr<const HidReportDescriptor> descriptor, size_t collectionIndex,
                     bool forWrite)
        : fd_(fd),
          access_(std::move(access)),
          attributes_(attributes),
          descriptor_(std::move(descriptor)),
          collectionIndex_(collectionIndex) {
        if (fd_ >= 0 && forWrite) {
            writer_ = std::make_unique<HidrawWriter>(fd_);
            auto own = std::make_shared<OwnedFd>(fd_);
            batches_ = std::make_unique<OutputReportSender>(
                [own, access = access_](std::span<const uint8_t> report) {
                    return own->Get() >= 0 && SendOutputReportOn(*access, own->Get(), report);
                });
        }
    }
    ~HidrawConnection() override {
        // Waits neither for a write nor for an output report still inside the
        // kernel: the writer and the batch sender own their own fds.
        writer_.reset();
        batches_.reset();
        if (fd_ >= 0) ::close(fd_);
    }

    HidAttributes Attributes() const override { return attributes_; }
    std::shared_ptr<const HidReportDescriptor> Descriptor() const override { return descriptor_; }
    size_t CollectionIndex() const override { return collectionIndex_; }

    HidTransferResult Read(std::span<uint8_t> buffer, int timeoutMs, int cancelFd,
                           size_t& transferred) override;
    HidTransferResult Write(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                            size_t& transferred) override {
        return WriteThroughWriter(report, timeoutMs, cancelFd, false, transferred);
    }
    HidTransferResult TryWrite(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                               size_t& transferred) override {
        return WriteThroughWriter(report, timeoutMs, cancelFd, true, transferred);
    }
    bool SetOutputReport(std::span<const uint8_t> report) override;
    HidBatchResult SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize) override;

private:
    const HidCollection& Collection() const { return descriptor_->collections[collectionIndex_]; }
    bool OutputIdAllowed(std::span<const uint8_t> report) const;
    HidTransferResult WriteThroughWriter(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                                         bool ifIdle, size_t& transferred);

    int fd_;
    std::shared_ptr<IHidrawNodeAccess> access_;
    HidAttributes attributes_;
    std::shared_ptr<const HidReportDescriptor> descriptor_;
    size_t collectionIndex_;
    std::unique_ptr<HidrawWriter> writer_;  // connections opened for writing
    // The output-report call blocks until the device took the report.
    std::unique_ptr<OutputReportSender> batches_;
};

HidTransferResult HidrawConnection::Read(std::span<uint8_t> buffer, int timeoutMs, int cancelFd,
                                         size_t& transferred) {
    transferred = 0;
    if (fd_ < 0) return HidTransferResult::kFailed;
    const bool infinite = timeoutMs < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(infinite ? 0 : timeoutMs);
    const bool numbered = descriptor_->usesReportIds;
    // One report, with room for the id byte we put in front of unnumbered reports.
    uint8_t report[kHidMaxReportBytes + 1];
    for (;;) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {cancelFd, POLLIN, 0}};
        const int r = poll(fds, cancelFd >= 0 ? 2 : 1, Remaining(infinite, deadline));
        if (r < 0) {
            if (errno == EINTR) continue;
            return HidTransferResult::kFailed;
        }
        if (cancelFd >= 0 && (fds[1].revents & POLLIN)) return HidTransferResult::kCancelled;
        if (r == 0) return HidTransferResult::kTimedOut;
        if (fds[0].revents & POLLIN) {
            uint8_t* into = numbered ? report : report + 1;
            const ssize_t n = ::read(fd_, into, kHidMaxReportBytes);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n <= 0) return HidTransferResult::kFailed;  // device gone
            size_t length = static_cast<size_t>(n);
            if (!numbered) {
                report[0] = 0;
                ++length;
            } else if (!Collection().HasReportId(report[0])) {
                continue;  // another collection's report
            }
            const size_t copy = std::min(length, buffer.size());
            if (copy > 0) std::memcpy(buffer.data(), report, copy);
            transferred = copy;
            return HidTransferResult::kCompleted;
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return HidTransferResult::kFailed;
    }
}

bool HidrawConnection::OutputIdAllowed(std::span<const uint8_t> report) const {
    if (report.empty() || report.size() > kHidMaxReportBytes + 1) return false;
    return descriptor_->usesReportIds ? Collection().HasReportId(report[0]) : report[0] == 0;
}

HidTransferResult HidrawConnection::WriteThroughWriter(std::span<const uint8_t> report, int timeoutMs,
                                                       int cancelFd, bool ifIdle, size_t& transferred) {
    transferred = 0;
    if (!writer_ || !OutputIdAllowed(report)) return HidTransferResult::kFailed;
    // poll() says a hidraw node is always writable and write() then blocks until
    // the device took the report: only the writer's thread may wait on it.
    return writer_->Write(report, timeoutMs, cancelFd, ifIdle, transferred);
}

bool HidrawConnection::SetOutputReport(std::span<const uint8_t> report) {
    if (fd_ < 0 || !OutputIdAllowed(report)) return false;
    return SendOutputReportOn(*access_, fd_, report);
}

HidBatchResult HidrawConnection::SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize) {
    if (!batches_ || reportSize == 0 || reports.size() % reportSize != 0) return HidBatchResult::kRefused;
    for (size_t at = 0; at < reports.size(); at += reportSize)
        if (!OutputIdAllowed(reports.subspan(at, reportSize))) return HidBatchResult::kRefused;
    return batches_->Submit(reports, reportSize);
}

class HidrawInterfaceSet : public IHidInterfaceSet {
public:
    explicit HidrawInterfaceSet(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    HidEnumItem Item(size_t index, std::string& path) override {
        if (index >= paths_.size()) return HidEnumItem::kNoMoreItems;
        path = paths_[index];
        return HidEnumItem::kPresent;
    }

private:
    std::vector<std::string> paths_;
};

// Parses a node's descriptor; a descriptor we refuse skips the node with a trace line.
std::shared_ptr<const HidReportDescriptor> ParseNodeDescriptor(const std::string& devnode,
                                                               const std::vector<uint8_t>& bytes) {
    auto descriptor = std::make_shared<HidReportDescriptor>();
    const HidParseError e = ParseHidReportDescriptor(bytes, *descriptor);
    if (e != HidParseError::kNone) {
        TraceF("HID: %s skipped, report descriptor refused (%s)", devnode.c_str(), HidParseErrorText(e));
        return nullptr;
    }
    return descriptor;
}

}  // namespace

std::unique_ptr<IHidrawNodeAccess> MakeKernelHidrawAccess() {
    return std::make_unique<KernelHidrawAccess>();
}

std::unique_ptr<IHidConnection> MakeHidrawConnection(int fd, std::shared_ptr<IHidrawNodeAccess> access,
                                                     HidAttributes attributes,
                                                     std::shared_ptr<const HidReportDescriptor> descriptor,
                                                     size_t collectionIndex, HidOpenMode mode) {
    if (!descriptor || collectionIndex >= descriptor->collections.size()) {
        if (fd >= 0) ::close(fd);
        return nullptr;
    }
    return std::make_unique<HidrawConnection>(fd, std::move(access), attributes, std::move(descriptor),
                                              collectionIndex, mode.write);
}

HidrawBackend::HidrawBackend() : HidrawBackend(HidrawBackendOptions{}, MakeKernelHidrawAccess()) {}

HidrawBackend::HidrawBackend(HidrawBackendOptions options, std::unique_ptr<IHidrawNodeAccess> access)
    : options_(std::move(options)), access_(std::move(access)) {}

HidrawBackend::~HidrawBackend() = default;

bool HidrawBackend::ListNodes(std::vector<HidrawNodeRef>& out) {
    ++listings_;
    if (options_.sysfsRoot.empty()) return ListHidrawNodesWithUdev(out);
    return ListHidrawNodesInSysfs(options_.sysfsRoot, options_.devDir, out);
}

bool HidrawBackend::FindNode(const std::string& devnode, HidrawNodeRef& out) {
    // Opening and the presence check run for one path at a time (the discovery
    // thread checks every claimed slot every 100 ms): they look at that node
    // only, never list the bus.
    return FindHidrawNode(options_.sysfsRoot, options_.devDir, devnode, out);
}

std::unique_ptr<IHidInterfaceSet> HidrawBackend::OpenInterfaceSet() {
    std::vector<HidrawNodeRef> nodes;
    if (!ListNodes(nodes)) return nullptr;
    std::vector<std::string> paths;
    for (const HidrawNodeRef& node : nodes) {
        HidrawNodeInfo info;
        if (!DescribeHidrawNode(node.syspath, info)) continue;  // gone since the listing
        const auto descriptor = ParseNodeDescriptor(node.devnode, info.reportDescriptor);
        if (!descriptor) continue;
        const size_t count = descriptor->collections.size();
        for (size_t c = 0; c < count; ++c)
            paths.push_back(
                FormatHidPath(node.devnode, info.vendorId, info.productId, info.interfaceNumber, c, count));
    }
    return std::make_unique<HidrawInterfaceSet>(std::move(paths));
}

std::unique_ptr<IHidConnection> HidrawBackend::Open(const std::string& path, HidOpenMode mode) {
    HidrawNodeRef node;
    if (!FindNode(HidPathNode(path), node)) return nullptr;
    HidrawNodeInfo info;
    if (!DescribeHidrawNode(node.syspath, info)) return nullptr;
    HidAttributes attributes{info.vendorId, info.productId, info.version};

    int fd = -1;
    std::vector<uint8_t> descriptorBytes = std::move(info.reportDescriptor);
    if (mode.read || mode.write) {
        const int access = mode.read && mode.write ? O_RDWR : (mode.write ? O_WRONLY : O_RDONLY);
        fd = access_->Open(node.devnode, access | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return nullptr;
        // The node itself is the authority on what it is.
        if (!access_->GetRawInfo(fd, attributes.vendorId, attributes.productId) ||
            !access_->GetReportDescriptor(fd, descriptorBytes)) {
            ::close(fd);
            return nullptr;
        }
    }
    // A path whose ids do not match the node names a device that has gone (the node number was reused).
    if (attributes.vendorId != ParseVendorId(path) || attributes.productId != ParseProductId(path)) {
        if (fd >= 0) ::close(fd);
        return nullptr;
    }
    auto descriptor = ParseNodeDescriptor(node.devnode, descriptorBytes);
    const auto index =
        descriptor ? HidPathCollectionIndex(path, descriptor->collections.size()) : std::nullopt;
    if (!index) {
        if (fd >= 0) ::close(fd);
        return nullptr;
    }
    return MakeHidrawConnection(fd, access_, attributes, std::move(descriptor), *index, mode);
}

bool HidrawBackend::IsPresent(const std::string& path) {
    HidrawNodeRef node;
    HidrawNodeInfo info;
    if (!FindNode(HidPathNode(path), node) || !DescribeHidrawNode(node.syspath, info) ||
        info.vendorId != ParseVendorId(path) || info.productId != ParseProductId(path))
        return false;
    HidReportDescriptor descriptor;
    return ParseHidReportDescriptor(info.reportDescriptor, descriptor) == HidParseError::kNone &&
           HidPathCollectionIndex(path, descriptor.collections.size()).has_value();
}

}  // namespace r88
