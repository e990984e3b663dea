#pragma once
// The profiles of one device: the list file "ProfileList.ini" in the device
// folder, which profile is current, and the operations on whole profile
// documents (new, copy, rename, delete, reset, import, export, select).
//
// Another process (a second user session, r88ctl) may change the list file at
// any time: every operation that changes the list reads the file first and
// writes it back whole, so entries added elsewhere stay; profiles are matched
// by identifier, not by position.
//
// The profile bar of the device page (CDeviceProfileUI) drives this object:
// it shows Names() in its drop-down with GetCurrentIndex() selected, calls an
// operation for each user action, refreshes the drop-down when the outcome is
// done and shows outcome.message (a text id) when there is one. File dialogs
// stay with the panel; their paths come in as arguments.
#include <json/json.h>

#include <string>
#include <vector>

#include "profile/json_file.h"
#include "profile/profile_tabs.h"
#include "profile/text_case.h"

namespace r88 {

inline constexpr char kProfileListFileName[] = "ProfileList.ini";
inline constexpr char kProfileDocumentExtension[] = ".Json";
inline constexpr int kMaxNewProfiles = 50;  // copies and imports may go beyond
inline constexpr Json::ArrayIndex kMaxProfileEntries = 4096;

// Text ids of the messages the panel shows.
inline constexpr char kTextNameTaken[] = "message_text_5";       // rename to a name in use
inline constexpr char kTextImportRefused[] = "message_text_9";   // document of another device kind
inline constexpr char kTextConfirmReset[] = "message_text_22";   // ask before ResetProfile / RestoreDefaults

// The file dialogs of import and export.
inline constexpr char kProfileFileFilterTitle[] = "Profile Files(*.json)";
inline constexpr char kProfileFileFilterPattern[] = "*.json;";

// Device kinds.
inline constexpr int kKindKeyboard = 1;
inline constexpr int kKindMouse = 2;
inline constexpr int kKindMousePad = 3;
inline constexpr int kKindReceiverMouse = 6;
inline constexpr int kKindHeadset = 7;

// Why a profile is written to the device; each kind knows its command order.
enum class ProfileWrite {
    kSelected,  // another profile became current: load it and write all of it
    kReset,     // the current profile was reset to the factory document
    kDefaults,  // the device section was restored from the factory document
};

// What the profile list needs of the device object it belongs to.
class IProfileDevice {
public:
    virtual ~IProfileDevice() = default;
    // The current profile is now profileId: the profile data object's document
    // path becomes <device folder><profileId>.Json and its light presets path
    // <device folder>kestra_light.config.
    virtual void SetDocumentPaths(const std::string& profileId) = 0;
    // Loads the current document into the profile data object and applies it;
    // 0 when it could not be loaded.
    virtual int LoadProfile() = 0;
    // Loads the factory section, applies it and saves it into the current
    // document (the device's own SaveProfile), keeping its name and identifier.
    // False, with the profile as it was, when there is no factory section.
    virtual bool RestoreDefaults() = 0;
    // Refreshes the page and writes the loaded profile to the hardware.
    virtual void WriteProfileToDevice(ProfileWrite occasion) = 0;
};

struct ProfileEntry {
    std::string name;  // "profilename"
    std::string id;    // "profileUUID"
    bool operator==(const ProfileEntry&) const = default;
};

struct ProfileOutcome {
    bool done = false;    // the operation took effect: refresh names and selection
    std::string message;  // text id to show in the message window, "" for none
};

class CDeviceProfileList {
public:
    // Set-up, in this order, then Init().
    void SetKind(int kind) { kind_ = kind; }
    void SetPaths(const std::string& deviceFolder, const std::string& defaultDocumentPath);
    void SetDevice(IProfileDevice* device) { device_ = device; }  // may stay null

    // Reads the list (a missing, unreadable or empty list becomes one
    // "Profile1" with a fresh document) and makes "profileselect" current
    // without loading it; the device, which has loaded nothing yet, gets the
    // current identifier to load on first contact.
    void Init();

    int GetKind() const { return kind_; }
    const std::vector<ProfileEntry>& Entries() const { return entries_; }
    std::vector<std::string> Names() const;
    int GetCount() const { return static_cast<int>(entries_.size()); }
    int GetCurrentIndex() const { return current_; }  // -1 before Init
    std::string GetCurrentProfileId() const;
    std::string GetCurrentName() const;
    std::string GetListPath() const { return folder_ + kProfileListFileName; }
    std::string GetDocumentPath(const std::string& profileId) const;
    const FunctionTabRule* GetTabRule() const { return FunctionTabRuleFor(kind_); }

    // Makes entry index current and records it. With load, the device loads
    // the profile and writes it to the hardware (the user chose it); when the
    // profile cannot be loaded the previous one stays current and loaded, so
    // the device never holds one profile's settings under another's document.
    // Without load only the selection is recorded and the device gets the
    // identifier: for set-up, before the device has loaded a profile.
    // An entry another process removed from the list is not selected.
    ProfileOutcome Select(int index, bool load = true);

    ProfileOutcome NewProfile();                         // refused from 50 profiles on
    ProfileOutcome CopyProfile();                        // "<name> copy"
    ProfileOutcome RenameProfile(const std::string& name);  // kTextNameTaken when in use
    ProfileOutcome DeleteProfile();                      // never the last one
    ProfileOutcome ResetProfile();                       // ask kTextConfirmReset first
    ProfileOutcome RestoreDefaults();                    // ask kTextConfirmReset first
    ProfileOutcome ImportProfile(const std::string& path);  // kTextImportRefused for another kind
    ProfileOutcome ExportProfile(const std::string& path) const;

private:
    // Re-reads the entries from the list file. Entries are matched by
    // identifier: the current one stays current (and stays listed, as the
    // device holds it, when the file no longer has it); an unreadable or
    // empty file leaves the entries as they are. Returns the index of keepId
    // afterwards, -1 when the file no longer lists it.
    int Reread(const std::string& keepId = {});
    int IndexOf(const std::string& id) const;
    bool NameTaken(const std::string& name, int except = -1) const;
    std::string NewProfileId() const;
    std::vector<ProfileEntry> ReadEntries(Json::Value* selection) const;
    int WriteList() const;
    int WriteDocument(Json::Value document, const ProfileEntry& entry) const;
    ProfileOutcome AddAndSelect(const ProfileEntry& entry, Json::Value document);

    int kind_ = 0;
    std::string folder_;
    std::string defaultDocumentPath_;
    IProfileDevice* device_ = nullptr;
    std::vector<ProfileEntry> entries_;
    int current_ = -1;
    CJsonFile json_;
};

}  // namespace r88
