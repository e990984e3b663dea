#include "cli/ctl.h"

#include <cstdio>

#include "device/device_discovery.h"
#include "device/hid_command_channel.h"
#include "device/hid_device.h"
#include "device/hid_device_list.h"
#include "device/hid_path.h"
#include "platform/trace.h"
#include "sim/simulated_setup.h"

namespace r88 {
namespace {

// A backend that is not ours to own (shared_ptr with no deleter work).
std::shared_ptr<IHidBackend> Borrow(IHidBackend& backend) {
    return std::shared_ptr<IHidBackend>(&backend, [](IHidBackend*) {});
}

void Usage(std::ostream& err) {
    err << "usage: r88ctl [--simulate] list\n"
           "       r88ctl [--simulate] [--trace] info\n"
           "       r88ctl --simulate dump keyboard|mousepad|headset MEMORY\n"
           "       r88ctl render mouse|keyboard|mousepad|headset --frames N [--effect ID] [--brightness 0..4]\n"
           "              [--speed 0..4] [--direction 0|1] [--multicolour 0|1] [--colour R,G,B]\n"
           "              [--key down:LED@FRAME|up:LED@FRAME]...   (keyboard)\n"
           "  list        every HID interface with its path, ids, interface and collection\n"
           "              numbers, usage page and usage\n"
           "  info        the device information block of every supported device found\n"
           "  dump        the bytes of one memory of an emulated device, MEMORY one of\n"
           "              info data keyblock ledindex lightmask macro frame status\n"
           "  render      the first N light frames of the kind's effect, as the bytes sent to\n"
           "              the device (the headset: its twelve reports); unset options come from\n"
           "              the kind's factory profile; the keyboard starts as after a change to\n"
           "              the effect, and --key hands a key press or release to its reactions\n"
           "              just before that frame\n"
           "  --simulate  use the emulated keyboard, mouse pad and headset instead of hardware\n"
           "  --trace     print every exchanged packet as the command trace writes it\n";
}

void HexDump(const std::vector<uint8_t>& bytes, std::ostream& out) {
    for (size_t at = 0; at < bytes.size(); at += 16) {
        char line[80];
        int n = std::snprintf(line, sizeof line, "%04zx:", at);
        for (size_t i = at; i < bytes.size() && i < at + 16; ++i)
            n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), " %02x", bytes[i]);
        out << line << '\n';
    }
}

int Dump(const sim::SimulatedSetup& setup, const std::string& device, const std::string& memory,
         std::ostream& out, std::ostream& err) {
    std::shared_ptr<sim::EmulatedDevice> target;
    if (device == "keyboard") target = setup.keyboard;
    if (device == "mousepad") target = setup.mousePad;
    if (device == "headset") target = setup.headset;
    const auto which = sim::SimMemoryFromName(memory);
    if (!target || !which) {
        Usage(err);
        return 2;
    }
    HexDump(target->Memory(*which), out);
    return 0;
}

// The discovery's messages have no window to go to here.
class NoWindow : public IMessageSink {
public:
    void PostMessage(unsigned, uintptr_t, intptr_t) override {}
    intptr_t SendMessage(unsigned, uintptr_t, intptr_t) override { return 0; }
};

// Prints trace lines while it lives (the packet trace of --trace).
class TracePrinter {
public:
    TracePrinter(std::ostream& out, bool on) {
        if (on) previous_ = SetTraceSink([&out](std::string_view line) {
                out << line;
                if (line.empty() || line.back() != '\n') out << '\n';
            });
        on_ = on;
    }
    ~TracePrinter() {
        if (on_) SetTraceSink(std::move(previous_));
    }
    TracePrinter(const TracePrinter&) = delete;
    TracePrinter& operator=(const TracePrinter&) = delete;

private:
    bool on_ = false;
    TraceSink previous_;
};

}  // namespace

int ShowDeviceInfo(IHidBackend& backend, bool trace, std::ostream& out, std::ostream& err) {
    const std::shared_ptr<IHidBackend> shared = Borrow(backend);
    NoWindow window;
    CDeviceDiscovery discovery(window, shared);
    if (!discovery.RunOnce()) {
        err << "r88ctl: the HID interfaces could not be enumerated\n";
        return 1;
    }
    int code = 0;
    bool any = false;
    for (const DeviceInterfaceSlot& slot : discovery.Slots()) {
        // The information block belongs to the keyboard, the mouse and the mouse pad.
        if (slot.connected == 0 || slot.subType != kSubTypeCommand || slot.type == kDeviceHeadset) continue;
        const int row = FindDescriptionRow(slot.vendorId, slot.productId, slot.type, slot.subType);
        const std::string name = row >= 0 ? std::string(kDeviceDescriptions[static_cast<size_t>(row)].deviceName)
                                          : std::string("device");
        any = true;
        out << name << "  " << slot.path << '\n';
        CHidCommandChannel channel(shared);
        if (!channel.OpenHid(slot.path)) {
            err << "r88ctl: " << name << ": the command interface could not be opened\n";
            code = 1;
            continue;
        }
        std::vector<uint8_t> info(kInfoBlockSize, 0);
        int result = kResultOk;
        {
            TracePrinter printer(out, trace);
            result = channel.CMD_BEGIN();
            if (result == kResultOk) result = channel.CMD_READ_INFO(info);
            channel.CMD_END();
        }
        if (result != kResultOk) {
            err << "r88ctl: " << name << ": no information block (result " << result << ")\n";
            code = 1;
            continue;
        }
        HexDump(info, out);
    }
    if (!any) {
        err << "r88ctl: no supported device found\n";
        return 1;
    }
    return code;
}

int ListInterfaces(IHidBackend& backend, std::ostream& out, std::ostream& err) {
    const std::shared_ptr<IHidBackend> shared = Borrow(backend);
    CHidDeviceList list(shared);
    if (!list.Enumerate()) {
        err << "r88ctl: the HID interfaces could not be enumerated\n";
        return 1;
    }
    CHidDevice probe(shared);
    while (const std::string* path = list.Next()) {
        char line[128];
        std::snprintf(line, sizeof line, "vid=%04x pid=%04x mi=%02x col=%02x", ParseVendorId(*path),
                      ParseProductId(*path), ParseInterfaceNumber(*path), ParseCollectionNumber(*path));
        out << *path << "  " << line;
        // The usages need the descriptor; an open without access rights reads it.
        if (probe.Open(*path, false, false, true, false)) {
            std::snprintf(line, sizeof line, " usage_page=%04x usage=%04x", probe.Caps().usagePage,
                          probe.Caps().usage);
            probe.Close();
        } else {
            std::snprintf(line, sizeof line, " usage_page=? usage=?");
        }
        out << line << '\n';
    }
    return 0;
}

int RunCtl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           std::shared_ptr<IHidBackend> realBackend) {
    bool simulate = false;
    bool trace = false;
    std::vector<std::string> rest;
    for (const std::string& a : args) {
        if (a == "--simulate") {
            simulate = true;
        } else if (a == "--trace") {
            trace = true;
        } else if (a == "--help" || a == "-h") {
            Usage(out);
            return 0;
        } else {
            rest.push_back(a);
        }
    }
    if (!rest.empty() && rest[0] == "render") {
        const int code = RenderFrames(std::vector<std::string>(rest.begin() + 1, rest.end()), out, err);
        if (code == 2) Usage(err);
        return code;
    }
    const bool list = rest.size() == 1 && rest[0] == "list";
    const bool info = rest.size() == 1 && rest[0] == "info";
    const bool dump = simulate && rest.size() == 3 && rest[0] == "dump";
    if (!list && !info && !dump) {
        Usage(err);
        return 2;
    }
    if (simulate) {
        sim::SimulatedSetup setup = sim::MakeSimulatedSetup();
        int code = 0;
        if (list) code = ListInterfaces(*setup.bus, out, err);
        if (info) code = ShowDeviceInfo(*setup.bus, trace, out, err);
        if (dump) code = Dump(setup, rest[1], rest[2], out, err);
        setup.bus->UnplugAll();
        return code;
    }
    if (!realBackend) realBackend = CurrentHidBackend();
    return info ? ShowDeviceInfo(*realBackend, trace, out, err) : ListInterfaces(*realBackend, out, err);
}

}  // namespace r88
