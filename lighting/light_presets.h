#pragma once
// The names a device kind offers for its lighting: its built-in effects with
// whether each is offered, its area lights and the user's light sequences.
// They come from two read-only documents, each holding one array element
// per device kind index (0 keyboard, 1 mouse, 2 mouse pad, 3 headset,
// 4 second keyboard):
//   "default_light.json" (factory data): "DefaultLightName"[kind][i]
//       {"LightName", "visible"} and "AreaLightName"[kind][i] {"LightName"};
//   "kestra_light.config" (device folder): "LightInfo"[kind][i]
//       {"LightName", "Guid"}.
// Names are UTF-8 text and kept as read; the shipped built-in names are
// language text identifiers that the panel resolves. The shipped document
// lists the effect ids that play a user light sequence (the pad's and the
// headset's 5, the keyboard's 18-24, 26, 29 and 33) as not offered: nothing
// creates a sequence, and such an id would only turn the lights off.
#include <json/json.h>

#include <cstdint>
#include <string>
#include <vector>

namespace r88 {

inline constexpr char kDefaultLightFileName[] = "default_light.json";
// Effect ids are bytes: no kind has more names than that.
inline constexpr Json::ArrayIndex kMaxLightNames = 256;
// Brightness and speed levels go from 0 to this.
inline constexpr int kLightLevelMax = 4;
// The mouse's built-in effects; its ids from here on name user sequences.
inline constexpr int kMouseBuiltInEffects = 9;

struct LightPresetLists {
    std::vector<std::string> effectNames;  // by effect id
    std::vector<std::uint8_t> effectVisible;  // parallel to effectNames: 1 offered, 0 not
    std::vector<std::string> areaNames;
    std::vector<std::string> sequenceNames;
    bool operator==(const LightPresetLists&) const = default;
};

// Takes the built-in and area names of kind from a parsed "default_light.json".
// A list whose element for kind is missing (or not an array) stays as it was;
// an entry that is not an object keeps its place with an empty name, not offered.
void TakeDefaultLightNames(const Json::Value& document, int kind, LightPresetLists& lists);
// Takes the user sequence names of kind from a parsed "kestra_light.config",
// with the same rule.
void TakeSequenceNames(const Json::Value& document, int kind, LightPresetLists& lists);
// Reads both files and takes what they hold; a missing or unparsable file
// leaves its lists as they were. An empty path reads nothing.
void LoadLightPresetLists(const std::string& defaultLightPath, const std::string& sequencesPath, int kind,
                          LightPresetLists& lists);

// The name the mouse picture's logo shows for an effect id: a built-in name
// below kMouseBuiltInEffects, else the user sequence at (id - 9); "" when
// there is none.
std::string MouseLogoEffectName(const LightPresetLists& lists, int effect);

}  // namespace r88
