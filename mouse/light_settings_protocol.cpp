#include "mouse/light_settings_protocol.h"

#include <array>

namespace r88 {

namespace {
// The first result of a sequence that is not success.
int Worst(int sofar, int next) {
    return sofar != kResultOk ? sofar : next;
}
}  // namespace

int CLightSettingsProtocol::ReadConnectionInfo() {
    if (!channel_.IsOpen()) return kResultNoReply;
    int result = channel_.CMD_BEGIN();
    std::array<std::uint8_t, kInfoBlockSize> info{};
    const int read = channel_.CMD_READ_INFO(info);
    if (read == kResultOk) info_ = info;
    result = Worst(result, read);
    return Worst(result, channel_.CMD_END());
}

int CLightSettingsProtocol::ReadSettings() {
    previous_ = image_;
    if (!channel_.IsOpen()) return kResultNoReply;
    std::uint8_t active = 0;
    int result = channel_.CMD_READ_DATA(std::span(&active, 1), 0);
    if (result != kResultOk) return result;
    // At most 255 x 25 + 25 bytes: always inside the 16-bit offsets.
    std::array<std::uint8_t, kLightSettingsReadStride> record{};
    result = channel_.CMD_READ_DATA(record, static_cast<std::uint16_t>(active * kLightSettingsReadStride));
    if (result != kResultOk) return result;
    activeProfile_ = active;
    image_ = DecodeLightSettings(record.data());
    return kResultOk;
}

int CLightSettingsProtocol::WriteSettings(int profile, std::uint8_t profileEffect) {
    constexpr int kLastProfile =
        static_cast<int>((0x10000 - kLightSettingsImageSize) / kLightSettingsWriteStride);
    if (!channel_.IsOpen() || profile < 0 || profile > kLastProfile) return kResultNoReply;
    const LightSettingsImage bytes = EncodeLightSettings(image_, profileEffect);
    int result = channel_.CMD_BEGIN();
    result = Worst(result, channel_.CMD_WRITE_DATA(
                               bytes, static_cast<std::uint16_t>(profile * kLightSettingsWriteStride)));
    return Worst(result, channel_.CMD_END());
}

}  // namespace r88
