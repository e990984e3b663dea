#pragma once
// Identifying numbers carried in an interface path, and how our backends
// write them: "/dev/hidraw3#vid_320f&pid_502b&mi_01&col04".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace r88 {

// Each finds its tag anywhere in the path regardless of case and reads the
// hexadecimal number after it as "%x" would (stopping at the first character
// that is not a hex digit); the result is cut to 16 bits; 0 when the tag is absent.
uint16_t ParseVendorId(std::string_view path);          // "vid_"
uint16_t ParseProductId(std::string_view path);         // "pid_"
uint16_t ParseInterfaceNumber(std::string_view path);   // "&mi_"
uint16_t ParseCollectionNumber(std::string_view path);  // "&col"

// No "&mi_" without an interface number; no "&col" when the interface has a
// single collection (otherwise collections are numbered from 1).
std::string FormatHidPath(std::string_view node, uint16_t vendorId, uint16_t productId,
                          std::optional<uint16_t> interfaceNumber, size_t collectionIndex,
                          size_t collectionCount);

// The node part of a path (everything before '#').
std::string HidPathNode(std::string_view path);

// The 0-based collection a path names on an interface with `collectionCount`
// collections; nothing when the "&col" tag does not fit the interface.
std::optional<size_t> HidPathCollectionIndex(std::string_view path, size_t collectionCount);

}  // namespace r88
