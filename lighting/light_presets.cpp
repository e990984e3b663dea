#include "lighting/light_presets.h"

#include "profile/json_access.h"
#include "profile/json_file.h"

namespace r88 {

namespace {
// The kind's element of a top-level array, or null.
const Json::Value& KindElement(const Json::Value& document, const char* key, int kind) {
    static const Json::Value kNull;
    if (kind < 0) return kNull;
    const Json::Value& element = json::At(json::Get(document, key), static_cast<Json::ArrayIndex>(kind));
    return element.isArray() ? element : kNull;
}

std::vector<std::string> Names(const Json::Value& list, const char* what) {
    std::vector<std::string> names;
    const Json::ArrayIndex n = json::Count(list, kMaxLightNames, what);
    names.reserve(n);
    for (Json::ArrayIndex i = 0; i < n; ++i) names.push_back(json::Text(json::Get(list[i], "LightName"), "LightName"));
    return names;
}
}  // namespace

void TakeDefaultLightNames(const Json::Value& document, int kind, LightPresetLists& lists) {
    const Json::Value& effects = KindElement(document, "DefaultLightName", kind);
    if (!effects.isNull()) {
        lists.effectNames = Names(effects, "DefaultLightName");
        lists.effectVisible.assign(lists.effectNames.size(), 0);
        for (std::size_t i = 0; i < lists.effectNames.size(); ++i) {
            const Json::Value& e = effects[static_cast<Json::ArrayIndex>(i)];
            lists.effectVisible[i] = json::Bool(json::Get(e, "visible"), "visible") ? 1 : 0;
        }
    }
    const Json::Value& areas = KindElement(document, "AreaLightName", kind);
    if (!areas.isNull()) lists.areaNames = Names(areas, "AreaLightName");
}

void TakeSequenceNames(const Json::Value& document, int kind, LightPresetLists& lists) {
    const Json::Value& sequences = KindElement(document, "LightInfo", kind);
    if (!sequences.isNull()) lists.sequenceNames = Names(sequences, "LightInfo");
}

void LoadLightPresetLists(const std::string& defaultLightPath, const std::string& sequencesPath, int kind,
                          LightPresetLists& lists) {
    const CJsonFile file;
    if (!defaultLightPath.empty()) TakeDefaultLightNames(file.ReadJson(defaultLightPath), kind, lists);
    if (!sequencesPath.empty()) TakeSequenceNames(file.ReadJson(sequencesPath), kind, lists);
}

std::string MouseLogoEffectName(const LightPresetLists& lists, int effect) {
    if (effect < 0) return {};
    const auto id = static_cast<std::size_t>(effect);
    if (effect < kMouseBuiltInEffects) return id < lists.effectNames.size() ? lists.effectNames[id] : std::string();
    const std::size_t sequence = id - kMouseBuiltInEffects;
    return sequence < lists.sequenceNames.size() ? lists.sequenceNames[sequence] : std::string();
}

}  // namespace r88
