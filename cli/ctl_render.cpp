// r88ctl render: the light frames a device kind's renderer draws, as the
// bytes the application would send, on a counted clock so every run prints
// the same lines.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ctl.h"
#include "device/device_tables.h"
#include "device/usb_device_core.h"
#include "headset/headset_light_reports.h"
#include "lighting/led_value.h"
#include "lighting/light_effect_runner.h"
#include "lighting/light_effect_tables.h"
#include "lighting/light_engine.h"
#include "profile/json_file.h"
#include "profile/profile_data.h"

namespace r88 {
namespace {

constexpr long kMaxFrames = 1000000;
// The keyboard effects' random numbers start here on every run.
constexpr std::uint32_t kKeyboardRandomSeed = 1;

struct RenderKind {
    std::string_view name;  // as r88ctl takes it
    std::size_t descriptionRow;
    const LightKindTable* table;
    bool headsetReports;
};

constexpr std::array<RenderKind, 4> kRenderKinds = {{
    {"mouse", 0, &kMouseLightKind, false},
    {"keyboard", 1, &kKeyboardLightKind, false},
    {"mousepad", 2, &kMousePadLightKind, false},
    {"headset", 3, &kHeadsetLightKind, true},
}};

std::optional<long> Number(const std::string& text, long low, long high) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<Rgb> Colour(const std::string& text) {
    std::array<std::uint8_t, 3> channels{};
    std::size_t from = 0;
    for (std::size_t c = 0; c < channels.size(); ++c) {
        const std::size_t comma = text.find(',', from);
        const bool last = c + 1 == channels.size();
        if (last != (comma == std::string::npos)) return std::nullopt;
        const auto value = Number(text.substr(from, last ? std::string::npos : comma - from), 0, 255);
        if (!value) return std::nullopt;
        channels[c] = static_cast<std::uint8_t>(*value);
        from = comma + 1;
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

// A key event handed to the keyboard's reactions before frame `frame`.
struct KeyEvent {
    long frame = 0;
    std::uint8_t led = 0;
    std::uint8_t action = 0;  // 1 down, 2 up
};

// "down:N@F" or "up:N@F".
std::optional<KeyEvent> ParseKeyEvent(const std::string& text) {
    const std::size_t colon = text.find(':');
    const std::size_t at = text.find('@');
    if (colon == std::string::npos || at == std::string::npos || at < colon) return std::nullopt;
    const std::string action = text.substr(0, colon);
    if (action != "down" && action != "up") return std::nullopt;
    const auto led = Number(text.substr(colon + 1, at - colon - 1), 0, 125);
    const auto frame = Number(text.substr(at + 1), 1, kMaxFrames);
    if (!led || !frame) return std::nullopt;
    return KeyEvent{*frame, static_cast<std::uint8_t>(*led),
                    static_cast<std::uint8_t>(action == "down" ? 1 : 2)};
}

void Hex(std::string& line, std::uint8_t byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02x", byte);
    if (!line.empty() && line.back() != ' ') line += ' ';
    line += text;
}

}  // namespace

int RenderFrames(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return 2;
    const auto kind = std::find_if(kRenderKinds.begin(), kRenderKinds.end(),
                                   [&](const RenderKind& k) { return k.name == args[0]; });
    if (kind == kRenderKinds.end()) return 2;

    // Unset options come from the kind's factory profile, read as the application reads it.
    const std::string deviceName(kDeviceDescriptions[kind->descriptionRow].deviceName);
    CBasicProfiledata profile;
    profile.SetDefaultDocumentPath(DefaultDocumentPath(deviceName));
    if (!profile.LoadFactorySection()) {
        err << "r88ctl: no factory profile for " << kind->name << '\n';
        return 1;
    }
    LightState light = profile.ReadLightState();

    long frames = 0;
    std::vector<KeyEvent> keys;
    const bool keyboard = kind->table == &kKeyboardLightKind;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return 2;
        const std::string& option = args[i];
        const std::string& value = args[i + 1];
        std::optional<long> n;
        if (option == "--frames") {
            n = Number(value, 1, kMaxFrames);
            if (n) frames = *n;
        } else if (option == "--effect") {
            n = Number(value, 0, 255);
            if (n) light.effect = static_cast<std::uint8_t>(*n);
        } else if (option == "--brightness") {
            n = Number(value, 0, 4);
            if (n) light.brightness = static_cast<std::uint8_t>(*n);
        } else if (option == "--speed") {
            n = Number(value, 0, 4);
            if (n) light.speed = static_cast<std::uint8_t>(*n);
        } else if (option == "--direction") {
            n = Number(value, 0, 1);
            if (n) light.direction = static_cast<std::uint8_t>(*n);
        } else if (option == "--multicolour") {
            n = Number(value, 0, 1);
            if (n) light.multiColor = static_cast<std::uint8_t>(*n);
        } else if (option == "--key" && keyboard) {
            const auto event = ParseKeyEvent(value);
            if (event) {
                keys.push_back(*event);
                n = 0;
            }
        } else if (option == "--colour") {
            const auto colour = Colour(value);
            if (colour) {
                light.red = colour->red;
                light.green = colour->green;
                light.blue = colour->blue;
                n = 0;
            }
        }
        if (!n) return 2;
    }
    if (frames == 0) return 2;
    const LightEffectEntry& entry = EffectEntry(*kind->table, light.effect);
    // A user light sequence depends on the user's files, not on the kind.
    if (entry.effect == LightEffect::kSequence) return 2;

    // A fresh device state, as after the lighting was applied.
    CUsbDeviceCore frame(nullptr);
    frame.SetLightCount(kDevicePages[kind->descriptionRow].lightCount);
    CLightEngine engine(kind->table);
    engine.ResetTrail(frame);
    CLightEffectRunner runner(frame, engine);
    runner.SetLight(light);
    CKeyboardEffectShared keyboardShared;
    keyboardShared.Seed(kKeyboardRandomSeed);
    CKeyboardEffects keyboardEffects(frame, engine.State(), keyboardShared);
    if (keyboard) {
        keyboardEffects.ChangeEffect(light.effect);
        runner.SetKeyboardEffects(&keyboardEffects);
    }
    // Events of one frame in the order given.
    std::stable_sort(keys.begin(), keys.end(),
                     [](const KeyEvent& a, const KeyEvent& b) { return a.frame < b.frame; });
    auto nextKey = keys.begin();

    const auto step =
        static_cast<std::uint32_t>(std::max(FramePeriod(entry, light.speed), 1) * kind->table->tickMs);
    const int count = frame.LightCount();
    std::vector<std::uint32_t> records(static_cast<std::size_t>(count));
    std::string line;
    for (long k = 1; k <= frames; ++k) {
        for (; nextKey != keys.end() && nextKey->frame == k; ++nextKey)
            keyboardEffects.DispatchKeyReaction(nextKey->led, nextKey->action, light);
        runner.RenderFrame(static_cast<std::uint32_t>(k) * step);
        for (int i = 0; i < count; ++i) records[static_cast<std::size_t>(i)] = frame.GetLedValue(i);
        line.clear();
        if (kind->headsetReports) {
            const HeadsetLightReports reports = BuildHeadsetLightReports(records);
            for (std::size_t r = 0; r < reports.size(); ++r) {
                if (r != 0) line += " | ";
                for (const std::uint8_t byte : reports[r]) Hex(line, byte);
            }
        } else {
            for (const std::uint32_t v : records) {
                const Rgb colour = LedColour(v);
                const std::uint8_t alpha = LedAlpha(v);
                Hex(line, ScaleByAlpha(colour.red, alpha));
                Hex(line, ScaleByAlpha(colour.green, alpha));
                Hex(line, ScaleByAlpha(colour.blue, alpha));
            }
        }
        line += '\n';
        out << line;
    }
    return 0;
}

}  // namespace r88
