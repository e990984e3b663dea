#include "device/hid_path.h"

#include <cctype>
#include <cstdio>

namespace r88 {
namespace {

size_t FindNoCase(std::string_view text, std::string_view tag) {
    if (tag.size() > text.size()) return std::string_view::npos;
    for (size_t i = 0; i + tag.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < tag.size() && std::tolower(static_cast<unsigned char>(text[i + k])) ==
                                     std::tolower(static_cast<unsigned char>(tag[k])))
            ++k;
        if (k == tag.size()) return i;
    }
    return std::string_view::npos;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "%x": optional blanks, an optional sign, an optional "0x", then hex digits.
// The number wraps at 32 bits; the callers keep the low 16.
uint32_t ScanHex(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && HexDigit(s[i + 2]) >= 0)
        i += 2;
    uint32_t value = 0;
    for (; i < s.size() && HexDigit(s[i]) >= 0; ++i)
        value = value * 16 + static_cast<uint32_t>(HexDigit(s[i]));
    return negative ? 0u - value : value;
}

uint16_t ParseTag(std::string_view path, std::string_view tag) {
    const size_t at = FindNoCase(path, tag);
    if (at == std::string_view::npos) return 0;
    return static_cast<uint16_t>(ScanHex(path.substr(at + tag.size())) & 0xFFFF);
}

}  // namespace

uint16_t ParseVendorId(std::string_view path) {
    return ParseTag(path, "vid_");
}
uint16_t ParseProductId(std::string_view path) {
    return ParseTag(path, "pid_");
}
uint16_t ParseInterfaceNumber(std::string_view path) {
    return ParseTag(path, "&mi_");
}
uint16_t ParseCollectionNumber(std::string_view path) {
    return ParseTag(path, "&col");
}

std::string FormatHidPath(std::string_view node, uint16_t vendorId, uint16_t productId,
                          std::optional<uint16_t> interfaceNumber, size_t collectionIndex,
                          size_t collectionCount) {
    std::string path(node);
    char tags[64];
    std::snprintf(tags, sizeof tags, "#vid_%04x&pid_%04x", vendorId, productId);
    path += tags;
    if (interfaceNumber) {
        std::snprintf(tags, sizeof tags, "&mi_%02x", *interfaceNumber);
        path += tags;
    }
    if (collectionCount > 1) {
        std::snprintf(tags, sizeof tags, "&col%02zx", (collectionIndex + 1) & 0xFFFF);
        path += tags;
    }
    return path;
}

std::string HidPathNode(std::string_view path) {
    return std::string(path.substr(0, path.find('#')));
}

std::optional<size_t> HidPathCollectionIndex(std::string_view path, size_t collectionCount) {
    const uint16_t number = ParseCollectionNumber(path);
    if (number == 0) {
        if (collectionCount == 1) return 0;
        return std::nullopt;
    }
    if (number > collectionCount || collectionCount == 1) return std::nullopt;
    return static_cast<size_t>(number - 1);
}

}  // namespace r88
