#include "profile/profile_data.h"

#include <algorithm>
#include <iterator>

#include "platform/paths.h"
#include "platform/trace.h"
#include "profile/json_access.h"

namespace r88 {

using json::At;
using json::Count;
using json::Elem;
using json::Get;
using json::Obj;

namespace {

std::uint8_t Byte(const Json::Value& v, const char* what) { return static_cast<std::uint8_t>(json::Int(v, what)); }
std::uint32_t Half(const Json::Value& v, const char* what) {
    return static_cast<std::uint16_t>(json::Int(v, what));
}
// Halves of a packed word, stored as plain integers.
int Low(std::uint32_t word, std::uint32_t mask) { return static_cast<int>(word & mask); }
int High(std::uint32_t word) { return static_cast<int>(word >> 16); }

std::uint8_t Flag(const Json::Value& v, const char* what) { return json::Bool(v, what) ? 1 : 0; }

Json::Value BandObject(int value) {
    Json::Value band(Json::objectValue);
    band["value"] = value;
    return band;
}

}  // namespace

// ---- paths and document ----

void CBasicProfiledata::SetDocumentPath(const std::string& path) {
    if (!path.empty()) documentPath_ = path;
}

void CBasicProfiledata::SetDefaultDocumentPath(const std::string& path) {
    if (!path.empty()) defaultDocumentPath_ = path;
}

void CBasicProfiledata::SetLightPresetsPath(const std::string& path) { lightPresetsPath_ = path; }

void CBasicProfiledata::SetSectionIndex(int n) {
    if (n >= 0 && n <= kMaxSectionIndex) sectionIndex_ = n;
}

Json::Value CBasicProfiledata::Load(const std::string& path) {
    const auto index = static_cast<Json::ArrayIndex>(sectionIndex_);
    Json::Value document = json_.ReadJson(path);
    if (!document.isNull() && !document.isObject()) {
        TraceF("%s: not a profile document\n", path.c_str());
        document = Json::Value();
    }
    section_ = At(Get(document, "Device"), index);
    sectionPath_ = path;
    if (!section_.isObject()) {
        TraceF("%s: no device section %d, completed from the default document\n", path.c_str(), sectionIndex_);
        const Json::Value defaults = json_.ReadJson(defaultDocumentPath_);
        section_ = At(Get(defaults, "Device"), index);
        if (section_.isObject()) {
            Elem(Obj(document, "Device"), index) = section_;
            WriteDocument(document, path);
        } else {
            TraceF("%s: no default device section\n", defaultDocumentPath_.c_str());
            section_ = Json::Value();
        }
    }
    return section_;
}

bool CBasicProfiledata::LoadFactorySection() {
    const Json::Value defaults = json_.ReadJson(defaultDocumentPath_);
    const Json::Value& section = At(Get(defaults, "Device"), static_cast<Json::ArrayIndex>(sectionIndex_));
    if (!section.isObject()) {
        TraceF("%s: no default device section, profile kept\n", defaultDocumentPath_.c_str());
        return false;
    }
    section_ = section;
    sectionPath_ = documentPath_;
    return true;
}

int CBasicProfiledata::Save() {
    if (documentPath_.empty() || section_.isNull()) return 1;
    if (sectionPath_ != documentPath_) {
        TraceF("%s: holds the settings of %s, not saved there\n", documentPath_.c_str(),
               sectionPath_.empty() ? "no document" : sectionPath_.c_str());
        return 1;
    }
    return SaveSection(section_, documentPath_);
}

int CBasicProfiledata::SaveSection(const Json::Value& section, const std::string& path) {
    Json::Value document = json_.ReadJson(path);
    if (!document.isObject()) document = Json::Value(Json::objectValue);
    Elem(Obj(document, "Device"), static_cast<Json::ArrayIndex>(sectionIndex_)) = section;
    return WriteDocument(document, path);
}

int CBasicProfiledata::WriteDocument(const Json::Value& value, const std::string& path) {
    return json_.WriteJson(path, value);
}

Json::Value& CBasicProfiledata::SectionForWrite() {
    if (!section_.isObject()) section_ = Json::Value(Json::objectValue);
    return section_;
}

// ---- lighting ----

LightState CBasicProfiledata::ReadLightState() {
    const Json::Value& info = Get(section_, "LightInfo");
    if (!info.isObject()) {
        lightState_ = fallbackLightState_;
        return lightState_;
    }
    LightState s;
    s.effect = Byte(Get(info, "SelectItem"), "SelectItem");
    s.brightness = Byte(Get(info, "Light"), "Light");
    s.speed = Byte(Get(info, "Speed"), "Speed");
    s.direction = Byte(Get(info, "Fx"), "Fx");
    s.multiColor = Flag(Get(info, "MultiColor"), "MultiColor");
    s.red = Byte(Get(info, "Red"), "Red");
    s.green = Byte(Get(info, "Green"), "Green");
    s.blue = Byte(Get(info, "Blue"), "Blue");
    lightState_ = s;
    return lightState_;
}

void CBasicProfiledata::WriteLightState(std::uint32_t wordA, std::uint32_t wordB, std::uint32_t spare) {
    WriteLightState(LightState::FromWords(wordA, wordB, spare));
}

void CBasicProfiledata::WriteLightState(const LightState& state) {
    lightState_ = state;
    Json::Value info(Json::objectValue);
    info["SelectItem"] = state.effect;
    info["Light"] = state.brightness;
    info["Speed"] = state.speed;
    info["Fx"] = state.direction;
    info["MultiColor"] = state.multiColor != 0 ? 1 : 0;
    info["Red"] = state.red;
    info["Green"] = state.green;
    info["Blue"] = state.blue;
    SectionForWrite()["LightInfo"] = info;
}

std::vector<LedLightEntry> CBasicProfiledata::ReadLightList() {
    const Json::Value& list = Get(section_, "LightList");
    const Json::ArrayIndex n = Count(list, kMaxProfileListEntries, "LightList");
    lightList_.assign(n, LedLightEntry{});
    for (Json::ArrayIndex i = 0; i < n; ++i) {
        const Json::Value& e = list[i];
        if (!e.isObject()) continue;
        LedLightEntry& out = lightList_[i];
        out.mode = Byte(Get(e, "LEDREGMode"), "LEDREGMode");
        out.brightness = Byte(Get(e, "LEDBrightness"), "LEDBrightness");
        out.speed = Byte(Get(e, "LEDSpeed"), "LEDSpeed");
        out.direction = Flag(Get(e, "LEDDirection"), "LEDDirection");
        out.multiColor = Flag(Get(e, "LEDMultiColor"), "LEDMultiColor");
        out.red = Byte(Get(e, "red"), "red");
        out.green = Byte(Get(e, "green"), "green");
        out.blue = Byte(Get(e, "blue"), "blue");
        out.set = 1;
    }
    return lightList_;
}

Json::Value CBasicProfiledata::ReadLightPresets(const std::string& path) {
    lightPresets_ = json_.ReadJson(path);
    return lightPresets_;
}

std::vector<LightStep> CBasicProfiledata::ReadLedEffectList(int kindIndex, int sequenceIndex) {
    effectList_.clear();
    if (kindIndex < 0 || sequenceIndex < 0) return effectList_;
    const Json::Value& entry =
        At(At(Get(lightPresets_, "LightInfo"), static_cast<Json::ArrayIndex>(kindIndex)),
           static_cast<Json::ArrayIndex>(sequenceIndex));
    const std::string guid = json::Text(Get(entry, "Guid"), "Guid");
    if (guid.empty()) return effectList_;
    const std::string fileName = guid + ".light";
    if (!IsPlainFileName(guid) || !IsPlainFileName(fileName)) {
        TraceF("light sequence \"%s\" refused: not a plain file name\n", guid.c_str());
        return effectList_;
    }
    const std::size_t slash = lightPresetsPath_.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : lightPresetsPath_.substr(0, slash + 1);
    const Json::Value document = json_.ReadJson(folder + fileName);
    const Json::Value& steps = Get(document, "LEDEffectList");
    const Json::ArrayIndex n = Count(steps, kMaxProfileListEntries, "LEDEffectList");
    for (Json::ArrayIndex i = 0; i < n; ++i) {
        const Json::Value& e = steps[i];
        LightStep s;
        s.mode = Byte(Get(e, "LEDREGMode"), "LEDREGMode");
        s.brightness = Byte(Get(e, "LEDBrightness"), "LEDBrightness");
        s.speed = Byte(Get(e, "LEDSpeed"), "LEDSpeed");
        s.direction = Byte(Get(e, "LEDDirection"), "LEDDirection");
        s.multiColor = Byte(Get(e, "LEDMultiColor"), "LEDMultiColor");
        s.red = Byte(Get(e, "red"), "red");
        s.green = Byte(Get(e, "green"), "green");
        s.blue = Byte(Get(e, "blue"), "blue");
        s.time = static_cast<std::uint32_t>(json::Int(Get(e, "Time"), "Time"));
        s.cycle = static_cast<std::uint32_t>(json::Int(Get(e, "Cyle"), "Cyle"));
        effectList_.push_back(s);
    }
    return effectList_;
}

// ---- key list ----

std::vector<KeyAssignmentPair> CBasicProfiledata::ReadKeyList() {
    const Json::Value& list = Get(section_, "KeyList");
    const Json::ArrayIndex n = Count(list, kMaxProfileListEntries, "KeyList");
    keyList_.assign(n, KeyAssignmentPair{});
    for (Json::ArrayIndex i = 0; i < n; ++i) {
        const Json::Value& e = list[i];
        KeyAssignmentPair& pair = keyList_[i];
        pair.current.index = static_cast<std::uint16_t>(i);
        pair.defaults.index = static_cast<std::uint16_t>(i);
        pair.current.code = KeyAssignment::FromPacked(
            static_cast<std::uint32_t>(json::Int(Get(e, "Assignment"), "Assignment")));
        pair.defaults.code = KeyAssignment::FromPacked(
            static_cast<std::uint32_t>(json::Int(Get(e, "DefaultAssignment"), "DefaultAssignment")));
    }
    return keyList_;
}

void CBasicProfiledata::WriteKeyList(const std::vector<KeyAssignmentPair>& entries) {
    keyList_ = entries;
    if (entries.size() > kMaxProfileListEntries) keyList_.resize(kMaxProfileListEntries);
    Json::Value& list = Obj(SectionForWrite(), "KeyList");
    for (std::size_t i = 0; i < keyList_.size(); ++i) {
        Obj(Elem(list, static_cast<Json::ArrayIndex>(i)), "Assignment") = static_cast<int>(keyList_[i].current.code.Packed());
    }
}

// ---- keyboard ----

KeyboardSystemSettings CKeyboardProfiledata::ReadKeyboardSystem() {
    const Json::Value& st = Get(section_, "SystemStages");
    system_ = KeyboardSystemSettings{};
    if (!st.isObject()) return system_;
    system_.words[0] = Half(Get(st, "Repeat"), "Repeat") | (Half(Get(st, "RepeatDelay"), "RepeatDelay") << 16);
    system_.words[1] = Half(Get(st, "Key6Flag"), "Key6Flag") | (Half(Get(st, "PollingRate"), "PollingRate") << 16);
    system_.words[2] = Half(Get(st, "WFlag"), "WFlag") | (Half(Get(st, "WinFlag"), "WinFlag") << 16);
    return system_;
}

KeyboardSystemSettings CKeyboardProfiledata::ReadKeyboardSystemFromOs(std::uint16_t osRepeat,
                                                                      std::uint16_t osRepeatDelay) {
    ReadKeyboardSystem();
    system_.words[0] = osRepeat | (static_cast<std::uint32_t>(osRepeatDelay) << 16);
    return system_;
}

void CKeyboardProfiledata::WriteKeyboardSystem(std::uint32_t word0, std::uint32_t word1, std::uint32_t word2) {
    system_.words = {word0, word1, word2};
    Json::Value& st = Obj(SectionForWrite(), "SystemStages");
    Obj(st, "Repeat") = Low(word0, 0xFFFF);
    Obj(st, "RepeatDelay") = High(word0);
    Obj(st, "Key6Flag") = Low(word1, 0xFFFF);
    Obj(st, "PollingRate") = High(word1);
    Obj(st, "WFlag") = Low(word2, 0xFFFF);
    Obj(st, "WinFlag") = High(word2);
}

int CKeyboardProfiledata::ReadCustomLightGroup() {
    const std::int64_t n = json::Int(Get(Get(section_, "CustomLightMode"), "CustomLightModeGroupIndex"),
                                     "CustomLightModeGroupIndex");
    if (n < 0 || n >= kMaxCustomLightGroups) {
        TraceF("profile: custom light group %lld out of range, 0 used\n", static_cast<long long>(n));
        customGroup_ = 0;
    } else {
        customGroup_ = static_cast<int>(n);
    }
    return customGroup_;
}

void CKeyboardProfiledata::WriteCustomLightGroup(int group) {
    if (group < 0 || group >= kMaxCustomLightGroups) return;
    customGroup_ = group;
    Obj(Obj(SectionForWrite(), "CustomLightMode"), "CustomLightModeGroupIndex") = group;
}

std::vector<KeyColour> CKeyboardProfiledata::ReadCustomLightColours(int group, int keyCount) {
    customColours_.clear();
    if (group < 0 || group >= kMaxCustomLightGroups || keyCount <= 0 ||
        keyCount > static_cast<int>(kMaxProfileListEntries))
        return customColours_;
    const auto isDefaultKey = [](int i) {
        return std::find(std::begin(kDefaultCustomColourKeys), std::end(kDefaultCustomColourKeys), i) !=
               std::end(kDefaultCustomColourKeys);
    };
    const auto colourObject = [](const KeyColour& c) {
        Json::Value v(Json::objectValue);
        v["Red"] = c.red;
        v["Green"] = c.green;
        v["Blue"] = c.blue;
        v["Alpha"] = c.alpha;
        return v;
    };
    const KeyColour red{255, 0, 0, 255};
    Json::Value& groups = Obj(Obj(SectionForWrite(), "CustomLightMode"), "LightColorInfo");
    Json::Value& colours = Elem(groups, static_cast<Json::ArrayIndex>(group));
    if (!colours.isArray()) {
        colours = Json::Value(Json::arrayValue);
        for (int i = 0; i < keyCount; ++i) colours[static_cast<Json::ArrayIndex>(i)] = colourObject(KeyColour{});
        for (int k : kDefaultCustomColourKeys)
            if (k < keyCount) colours[static_cast<Json::ArrayIndex>(k)] = colourObject(red);
    }
    for (int i = 0; i < keyCount; ++i) {
        Json::Value& e = colours[static_cast<Json::ArrayIndex>(i)];
        if (!e.isObject()) {
            // Only the missing key is filled; colours stored for other keys stay.
            e = colourObject(isDefaultKey(i) ? red : KeyColour{});
        }
        customColours_.push_back(KeyColour{Byte(Get(e, "Red"), "Red"), Byte(Get(e, "Green"), "Green"),
                                           Byte(Get(e, "Blue"), "Blue"), Byte(Get(e, "Alpha"), "Alpha")});
    }
    return customColours_;
}

void CKeyboardProfiledata::WriteCustomLightColours(const std::vector<KeyColour>& colours, int group) {
    if (group < 0 || group >= kMaxCustomLightGroups) return;
    customColours_ = colours;
    if (customColours_.size() > kMaxProfileListEntries) customColours_.resize(kMaxProfileListEntries);
    Json::Value& groups = Obj(Obj(SectionForWrite(), "CustomLightMode"), "LightColorInfo");
    Json::Value& list = Elem(groups, static_cast<Json::ArrayIndex>(group));
    for (std::size_t i = 0; i < customColours_.size(); ++i) {
        Json::Value& e = Elem(list, static_cast<Json::ArrayIndex>(i));
        Obj(e, "Red") = customColours_[i].red;
        Obj(e, "Green") = customColours_[i].green;
        Obj(e, "Blue") = customColours_[i].blue;
        Obj(e, "Alpha") = customColours_[i].alpha;
    }
}

// ---- mouse ----

std::vector<DpiStage> CMouseProfiledata::ReadDpiStages() {
    const Json::Value& dpi = Get(section_, "DPIStages");
    if (!dpi.isObject()) return stages_;
    activeStage_ = static_cast<int>(json::Int(Get(dpi, "StageActive"), "StageActive"));
    const Json::Value& list = Get(dpi, "StageDPIs");
    const Json::ArrayIndex n = Count(list, kMaxProfileListEntries, "StageDPIs");
    for (Json::ArrayIndex j = 0; j < n; ++j) {
        const Json::Value& e = list[j];
        DpiStage s;
        s.enabled = Byte(Get(e, "StageActive"), "StageActive");
        s.separateXY = Byte(Get(e, "StageXY"), "StageXY");
        s.dpiX = static_cast<std::uint16_t>(Half(Get(e, "StageDPIX"), "StageDPIX"));
        s.dpiY = static_cast<std::uint16_t>(Half(Get(e, "StageDPIY"), "StageDPIY"));
        s.red = Byte(Get(e, "StageColorR"), "StageColorR");
        s.green = Byte(Get(e, "StageColorG"), "StageColorG");
        s.blue = Byte(Get(e, "StageColorB"), "StageColorB");
        if (j < stages_.size())
            stages_[j] = s;
        else
            stages_.push_back(s);
    }
    return stages_;
}

void CMouseProfiledata::WriteDpiStages(const std::vector<DpiStage>& stages) {
    stages_ = stages;
    if (stages_.size() > kMaxProfileListEntries) stages_.resize(kMaxProfileListEntries);
    Json::Value& list = Obj(Obj(SectionForWrite(), "DPIStages"), "StageDPIs");
    for (std::size_t i = 0; i < stages_.size(); ++i) {
        const DpiStage& s = stages_[i];
        Json::Value& e = Elem(list, static_cast<Json::ArrayIndex>(i));
        e = Json::Value(Json::objectValue);
        e["StageActive"] = s.enabled;
        e["StageXY"] = s.separateXY;
        e["StageDPIX"] = s.dpiX;
        e["StageDPIY"] = s.dpiY;
        e["StageColorR"] = s.red;
        e["StageColorG"] = s.green;
        e["StageColorB"] = s.blue;
    }
}

void CMouseProfiledata::WriteActiveStage(int stage) {
    activeStage_ = stage;
    Obj(Obj(SectionForWrite(), "DPIStages"), "StageActive") = stage;
}

std::uint16_t CMouseProfiledata::DoubleClickValue(std::uint32_t doubleClickMs) {
    // 200 ms gives 10, 900 ms gives 0; times outside that range are held to it
    // so that the scale cannot wrap.
    const std::uint32_t ms = std::clamp<std::uint32_t>(doubleClickMs, 200, 900);
    return static_cast<std::uint16_t>(10 - (ms - 200) / 70);
}

MouseSystemSettings CMouseProfiledata::ReadMouseSystem() {
    system_ = MouseSystemSettings{};
    const Json::Value& st = Get(section_, "SystemStages");
    if (!st.isObject()) return system_;
    system_.words[0] =
        Half(Get(st, "DoubleClickTime"), "DoubleClickTime") | (Half(Get(st, "MouseSpeed"), "MouseSpeed") << 16);
    system_.words[1] =
        Half(Get(st, "PointerPrecision"), "PointerPrecision") | (Half(Get(st, "ScorllPage"), "ScorllPage") << 16);
    system_.words[2] = Half(Get(st, "WheelScorlllinse"), "WheelScorlllinse") |
                       (Half(Get(Get(section_, "ReportStages"), "StageActive"), "StageActive") << 16);
    system_.word3 = static_cast<std::uint16_t>(Half(Get(Get(section_, "HeightStages"), "StageActive"), "StageActive"));
    return system_;
}

MouseSystemSettings CMouseProfiledata::ReadMouseSystemFromOs(const OsMouseSettings& os) {
    const std::uint32_t report = Half(Get(Get(section_, "ReportStages"), "StageActive"), "StageActive");
    const std::uint16_t height =
        static_cast<std::uint16_t>(Half(Get(Get(section_, "HeightStages"), "StageActive"), "StageActive"));
    const std::uint32_t page = os.wheelLines == OsMouseSettings::kWheelScrollPage ? 1 : 0;
    system_.words[0] = DoubleClickValue(os.doubleClickMs) | ((os.pointerSpeed & 0xFFFF) << 16);
    system_.words[1] = (os.acceleration & 0xFFFF) | (page << 16);
    system_.words[2] = (os.wheelLines & 0xFFFF) | (report << 16);
    system_.word3 = height;
    return system_;
}

void CMouseProfiledata::WriteMouseSystem(std::uint32_t word0, std::uint32_t word1, std::uint32_t word2,
                                         std::uint32_t word3) {
    system_.words = {word0, word1, word2};
    system_.word3 = static_cast<std::uint16_t>(word3);
    Json::Value& section = SectionForWrite();
    Json::Value& st = Obj(section, "SystemStages");
    Obj(st, "DoubleClickTime") = Low(word0, 0xFFFF);
    Obj(st, "MouseSpeed") = High(word0);
    Obj(st, "PointerPrecision") = Low(word1, 0xFFFF);
    Obj(st, "ScorllPage") = High(word1);
    Obj(st, "WheelScorlllinse") = Low(word2, 0xFFFF);
    Obj(Obj(section, "ReportStages"), "StageActive") = High(word2);
    Obj(Obj(section, "HeightStages"), "StageActive") = Low(word3, 0xFF);
}

std::vector<CorrectionPreset> CMouseProfiledata::ReadCorrections() {
    const Json::Value& list = Get(section_, "CorrectInfo");
    const Json::ArrayIndex n = Count(list, kMaxProfileListEntries, "CorrectInfo");
    corrections_.clear();
    for (Json::ArrayIndex i = 0; i < n; ++i) {
        const Json::Value& e = list[i];
        corrections_.push_back(CorrectionPreset{Byte(Get(e, "CorrectPixThresh"), "CorrectPixThresh"),
                                                Byte(Get(e, "CorrectMinSq"), "CorrectMinSq"),
                                                Byte(Get(e, "CorrectSelect"), "CorrectSelect"),
                                                json::Text(Get(e, "CorrectName"), "CorrectName")});
    }
    return corrections_;
}

// ---- headset ----

static const char* const kHeadsetKeys[HeadsetSystemSettings::kCount] = {
    "MagicEnable", "MagicType", "EqType", "CustomEqSeletIndex",
    "MicInSelect", "MicInValue", "MicMoniterSelect", "MicMoniterValue"};

HeadsetSystemSettings CHs6533Profiledata::ReadHeadsetSystem() {
    system_ = HeadsetSystemSettings{};
    const Json::Value& st = Get(section_, "SystemSetStages");
    if (!st.isObject()) return system_;
    for (int i = 0; i < HeadsetSystemSettings::kCount; ++i)
        system_.values[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>(json::Int(Get(st, kHeadsetKeys[i]), kHeadsetKeys[i]));
    return system_;
}

void CHs6533Profiledata::WriteHeadsetSystem(const HeadsetSystemSettings& settings) {
    system_ = settings;
    Json::Value& st = Obj(SectionForWrite(), "SystemSetStages");
    for (int i = 0; i < HeadsetSystemSettings::kCount; ++i)
        Obj(st, kHeadsetKeys[i]) = settings.values[static_cast<std::size_t>(i)];
}

int CHs6533Profiledata::EqSlot(int eqType) { return (eqType <= 0 || eqType > kCustomEqType) ? 1 : eqType; }

std::vector<int> CHs6533Profiledata::ReadBandsAt(const char* key, int slot) {
    bands_.assign(kEqBandCount, 0);
    const Json::Value& curve = At(Get(section_, key), static_cast<Json::ArrayIndex>(slot));
    if (!curve.isArray()) {
        // A missing curve is created flat (in memory; Save() stores it).
        Json::Value& made = Elem(Obj(SectionForWrite(), key), static_cast<Json::ArrayIndex>(slot));
        made = Json::Value(Json::arrayValue);
        for (int i = 0; i < kEqBandCount; ++i) made[static_cast<Json::ArrayIndex>(i)] = BandObject(0);
        return bands_;
    }
    for (int i = 0; i < kEqBandCount; ++i)
        bands_[static_cast<std::size_t>(i)] =
            static_cast<int>(json::Int(Get(At(curve, static_cast<Json::ArrayIndex>(i)), "value"), "value"));
    return bands_;
}

void CHs6533Profiledata::WriteBandsAt(const char* key, int slot, const std::vector<int>& bands) {
    Json::Value& curve = Elem(Obj(SectionForWrite(), key), static_cast<Json::ArrayIndex>(slot));
    for (int i = 0; i < kEqBandCount; ++i) {
        const int v = static_cast<std::size_t>(i) < bands.size() ? bands[static_cast<std::size_t>(i)] : 0;
        Elem(curve, static_cast<Json::ArrayIndex>(i)) = BandObject(v);
    }
    bands_.assign(bands.begin(), bands.begin() + std::min<std::ptrdiff_t>(kEqBandCount, std::ssize(bands)));
}

std::vector<int> CHs6533Profiledata::ReadEqBands(int eqType) {
    if (eqType == kCustomEqType) return {};
    return ReadBandsAt("EQHzValueInfo", EqSlot(eqType));
}

void CHs6533Profiledata::WriteEqBands(int eqType, const std::vector<int>& bands) {
    if (eqType == kCustomEqType) return;
    WriteBandsAt("EQHzValueInfo", EqSlot(eqType), bands);
}

std::vector<int> CHs6533Profiledata::ReadCustomEqBands(int index) {
    if (index < 0 || index >= kMaxCustomEqCurves) {
        TraceF("profile: custom EQ curve %d out of range\n", index);
        return std::vector<int>(kEqBandCount, 0);
    }
    return ReadBandsAt("CustomEQHzValueInfo", index);
}

void CHs6533Profiledata::WriteCustomEqBands(int index, const std::vector<int>& bands) {
    if (index < 0 || index >= kMaxCustomEqCurves) return;
    WriteBandsAt("CustomEQHzValueInfo", index, bands);
}

std::vector<std::string> CHs6533Profiledata::ReadCustomEqNames() {
    const Json::Value& list = Get(section_, "CustomEQNameInfo");
    const Json::ArrayIndex n = Count(list, kMaxProfileListEntries, "CustomEQNameInfo");
    std::vector<std::string> names;
    for (Json::ArrayIndex i = 0; i < n; ++i) names.push_back(json::Text(Get(list[i], "Name"), "Name"));
    return names;
}

void CHs6533Profiledata::WriteCustomEqNames(const std::vector<std::string>& names) {
    Json::Value list(Json::arrayValue);
    for (const std::string& name : names) {
        if (list.size() >= kMaxProfileListEntries) break;
        Json::Value e(Json::objectValue);
        e["Name"] = name;
        list.append(e);
    }
    SectionForWrite()["CustomEQNameInfo"] = list;
}

}  // namespace r88
