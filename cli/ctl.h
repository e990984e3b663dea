#pragma once
// r88ctl, the headless companion: lists the HID interfaces it sees (real ones,
// or the emulated bus with --simulate), reads the information block of every
// supported device it finds (optionally printing each exchanged packet) and
// dumps an emulated device's memory, and prints the light frames a device
// kind's renderer draws.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/hid_backend.h"

namespace r88 {

// Runs one command line (without the program name). `realBackend` is used
// unless --simulate is given. Returns the process exit code.
int RunCtl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           std::shared_ptr<IHidBackend> realBackend);

// One line per interface: path, ids, interface and collection numbers, usage page and usage.
int ListInterfaces(IHidBackend& backend, std::ostream& out, std::ostream& err);

// For each supported device found (as the discovery finds it): its name and
// command path, then its information block in hex. With `trace` every
// exchanged packet is printed too, "命令" / "返回" and two lines of 32 bytes.
int ShowDeviceInfo(IHidBackend& backend, bool trace, std::ostream& out, std::ostream& err);

// r88ctl render KIND --frames N [options]: one line per frame of the kind's
// renderer (args start with KIND). 2 for a bad argument (the caller prints
// the usage), 1 when the kind's factory profile cannot be read.
int RenderFrames(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace r88
