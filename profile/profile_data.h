#pragma once
// The profile data objects: each device object holds one, with its section of
// the current profile document ("Device"[section index]) in memory. Readers
// turn the section's keys into the records of profile_records.h; writers
// change only the in-memory section, Save() puts it into the document file.
//
// A document read from disk is not trusted: missing or wrongly typed values
// read as 0 / false / empty, list lengths and indexes are bounded, and the
// readers never throw.
#include <json/json.h>

#include <cstdint>
#include <string>
#include <vector>

#include "profile/json_file.h"
#include "profile/profile_records.h"

namespace r88 {

// Bounds for values that come from documents.
inline constexpr Json::ArrayIndex kMaxProfileListEntries = 512;  // keys, LEDs, stages, steps
inline constexpr int kMaxSectionIndex = 15;
inline constexpr int kMaxCustomLightGroups = 64;
inline constexpr int kMaxCustomEqCurves = 64;
inline constexpr int kEqBandCount = 10;
inline constexpr int kCustomEqType = 13;  // "EqType" of the custom curve
// Keys lit red in a custom-colour group that is created (W, A, S, D and the arrows).
inline constexpr int kDefaultCustomColourKeys[] = {44, 64, 65, 66, 96, 113, 114, 115};

class CBasicProfiledata {
public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = default;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = default;

    // Writes the in-memory section into the document at the document path.
    // 0 written, 1 not written (no path, nothing loaded, the section was
    // loaded for another document than the document path, or the write
    // failed): one profile's settings never land in another profile's file.
    virtual int Save();
    // Puts section into "Device"[section index] of the file at path, keeping
    // every other key and entry of that file.
    virtual int SaveSection(const Json::Value& section, const std::string& path);
    // CJsonFile::WriteJson.
    virtual int WriteDocument(const Json::Value& value, const std::string& path);

    // Ignored when path is empty.
    void SetDocumentPath(const std::string& path);
    void SetDefaultDocumentPath(const std::string& path);
    void SetLightPresetsPath(const std::string& path);
    std::string GetDocumentPath() const { return documentPath_; }
    std::string GetDefaultDocumentPath() const { return defaultDocumentPath_; }
    std::string GetLightPresetsPath() const { return lightPresetsPath_; }
    // 0..kMaxSectionIndex; other values are ignored.
    void SetSectionIndex(int n);
    int GetSectionIndex() const { return sectionIndex_; }

    // Loads the section of the document at path. A document without the
    // section gets the section of the default document, and is written back
    // so completed; the default document is never changed.
    Json::Value Load(const std::string& path);
    // Restore defaults: the section of the default document replaces the
    // in-memory section, which now belongs to the document path (Save puts
    // it there). False, and nothing changes, when the default document has
    // no such section (missing or unreadable factory data).
    bool LoadFactorySection();
    const Json::Value& GetSection() const { return section_; }

    // "LightInfo".
    LightState ReadLightState();
    void WriteLightState(std::uint32_t wordA, std::uint32_t wordB, std::uint32_t spare);
    void WriteLightState(const LightState& state);
    const LightState& GetLightState() const { return lightState_; }

    // "LightList" (read only).
    std::vector<LedLightEntry> ReadLightList();

    // The light presets document ("kestra_light.config") at path.
    Json::Value ReadLightPresets(const std::string& path);
    // Steps of user light sequence sequenceIndex of device kind kindIndex, from
    // the presets document last read: "LightInfo"[kind][index]."Guid" + ".light"
    // in the folder of the light presets path. An identifier that is not a
    // plain file name, a missing file or a missing entry gives no steps.
    std::vector<LightStep> ReadLedEffectList(int kindIndex, int sequenceIndex);

    // "KeyList" (keyboard and mouse).
    std::vector<KeyAssignmentPair> ReadKeyList();
    void WriteKeyList(const std::vector<KeyAssignmentPair>& entries);

protected:
    // The in-memory section, made an object for writing.
    Json::Value& SectionForWrite();

    std::string documentPath_;
    std::string defaultDocumentPath_;
    std::string lightPresetsPath_;
    Json::Value section_;
    std::string sectionPath_;  // the document the section was loaded for; "" before any Load
    Json::Value lightPresets_;
    std::vector<LightStep> effectList_;
    int sectionIndex_ = 0;
    LightState lightState_;
    LightState fallbackLightState_;
    std::vector<LedLightEntry> lightList_;
    std::vector<KeyAssignmentPair> keyList_;
    CJsonFile json_;
};

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // "SystemStages"; values truncated to 16 bits.
    KeyboardSystemSettings ReadKeyboardSystem();
    // As ReadKeyboardSystem, with Repeat and RepeatDelay from the system
    // (where the system has none, the device uses ReadKeyboardSystem instead).
    KeyboardSystemSettings ReadKeyboardSystemFromOs(std::uint16_t osRepeat, std::uint16_t osRepeatDelay);
    void WriteKeyboardSystem(std::uint32_t word0, std::uint32_t word1, std::uint32_t word2);

    // "CustomLightMode"."CustomLightModeGroupIndex".
    int ReadCustomLightGroup();
    void WriteCustomLightGroup(int group);
    // "CustomLightMode"."LightColorInfo"[group]; a missing group is created with
    // the default keys red; missing keys are filled in memory.
    std::vector<KeyColour> ReadCustomLightColours(int group, int keyCount);
    void WriteCustomLightColours(const std::vector<KeyColour>& colours, int group);

private:
    KeyboardSystemSettings system_;
    std::vector<KeyColour> customColours_;
    int customGroup_ = 0;
};

class CMouseProfiledata : public CBasicProfiledata {
public:
    // "DPIStages": the document's stages overwrite the in-memory ones by index;
    // in-memory stages beyond the document's count stay as they are.
    std::vector<DpiStage> ReadDpiStages();
    void WriteDpiStages(const std::vector<DpiStage>& stages);
    int GetActiveStage() const { return activeStage_; }
    void WriteActiveStage(int stage);

    // "SystemStages", "ReportStages", "HeightStages".
    MouseSystemSettings ReadMouseSystem();
    // As ReadMouseSystem, with the pointer settings taken from the system
    // (where the system has none, the device uses ReadMouseSystem instead).
    MouseSystemSettings ReadMouseSystemFromOs(const OsMouseSettings& os);
    void WriteMouseSystem(std::uint32_t word0, std::uint32_t word1, std::uint32_t word2, std::uint32_t word3);

    // "CorrectInfo" (read only).
    std::vector<CorrectionPreset> ReadCorrections();

    // Double-click value 0..10 of a double-click time in milliseconds.
    static std::uint16_t DoubleClickValue(std::uint32_t doubleClickMs);

private:
    std::vector<DpiStage> stages_;
    int activeStage_ = 0;
    MouseSystemSettings system_;
    std::vector<CorrectionPreset> corrections_;
};

class CHs6533Profiledata : public CBasicProfiledata {
public:
    // "SystemSetStages".
    HeadsetSystemSettings ReadHeadsetSystem();
    void WriteHeadsetSystem(const HeadsetSystemSettings& settings);

    // "EQHzValueInfo"[slot]: slot 1 for eqType 0 or above 13, else eqType;
    // eqType 13 (the custom curve) reads nothing and writes nothing.
    std::vector<int> ReadEqBands(int eqType);
    void WriteEqBands(int eqType, const std::vector<int>& bands);

    // "CustomEQNameInfo".
    std::vector<std::string> ReadCustomEqNames();
    void WriteCustomEqNames(const std::vector<std::string>& names);

    // "CustomEQHzValueInfo"[index].
    std::vector<int> ReadCustomEqBands(int index);
    void WriteCustomEqBands(int index, const std::vector<int>& bands);

    static int EqSlot(int eqType);

private:
    std::vector<int> ReadBandsAt(const char* key, int slot);
    void WriteBandsAt(const char* key, int slot, const std::vector<int>& bands);

    HeadsetSystemSettings system_;
    std::vector<int> bands_;
};

}  // namespace r88
