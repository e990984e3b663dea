#include "profile/device_profile_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/trace.h"
#include "profile/json_access.h"

namespace r88 {
namespace {

bool FileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// "Device"[0]."DPIStages"."StageDPIs" holds stages: the document is a mouse's.
bool HasDpiStages(const Json::Value& document) {
    const Json::Value& stages =
        json::Get(json::Get(json::At(json::Get(document, "Device"), 0), "DPIStages"), "StageDPIs");
    return stages.isArray() && !stages.empty();
}

}  // namespace

void CDeviceProfileList::SetPaths(const std::string& deviceFolder, const std::string& defaultDocumentPath) {
    folder_ = deviceFolder.empty() ? std::string() : WithSlash(deviceFolder);
    defaultDocumentPath_ = defaultDocumentPath;
    if (!folder_.empty()) MakeFolders(folder_);
}

std::string CDeviceProfileList::GetDocumentPath(const std::string& profileId) const {
    return folder_ + profileId + kProfileDocumentExtension;
}

std::vector<std::string> CDeviceProfileList::Names() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const ProfileEntry& e : entries_) names.push_back(e.name);
    return names;
}

std::string CDeviceProfileList::GetCurrentProfileId() const {
    return current_ >= 0 && current_ < GetCount() ? entries_[static_cast<std::size_t>(current_)].id : std::string();
}

std::string CDeviceProfileList::GetCurrentName() const {
    return current_ >= 0 && current_ < GetCount() ? entries_[static_cast<std::size_t>(current_)].name
                                                  : std::string();
}

int CDeviceProfileList::IndexOf(const std::string& id) const {
    for (int i = 0; i < GetCount(); ++i)
        if (entries_[static_cast<std::size_t>(i)].id == id) return i;
    return -1;
}

int CDeviceProfileList::Reread(const std::string& keepId) {
    std::vector<ProfileEntry> read = ReadEntries(nullptr);
    if (!read.empty()) {
        const std::string currentId = GetCurrentProfileId();
        const bool listed =
            std::any_of(read.begin(), read.end(), [&](const ProfileEntry& e) { return e.id == currentId; });
        if (!currentId.empty() && !listed) {
            // Removed elsewhere while this device holds it: it stays where it was.
            const std::size_t at = std::min(static_cast<std::size_t>(current_), read.size());
            read.insert(read.begin() + static_cast<std::ptrdiff_t>(at),
                        entries_[static_cast<std::size_t>(current_)]);
        }
        entries_ = std::move(read);
        current_ = IndexOf(currentId);
    }
    return keepId.empty() ? -1 : IndexOf(keepId);
}

bool CDeviceProfileList::NameTaken(const std::string& name, int except) const {
    for (int i = 0; i < GetCount(); ++i)
        if (i != except && SameNameIgnoringCase(entries_[static_cast<std::size_t>(i)].name, name)) return true;
    return false;
}

std::string CDeviceProfileList::NewProfileId() const {
    // Time identifiers of this process never repeat; a document left by
    // another process or an earlier clock is not overwritten either.
    for (;;) {
        std::string id = json_.MakeTimeId();
        bool used = FileExists(GetDocumentPath(id));
        for (const ProfileEntry& e : entries_) used = used || e.id == id;
        if (!used) return id;
    }
}

std::vector<ProfileEntry> CDeviceProfileList::ReadEntries(Json::Value* selection) const {
    const Json::Value document = json_.ReadJson(GetListPath());
    if (selection != nullptr) *selection = json::Get(document, "profileselect");
    const Json::Value& list = json::Get(document, "profilelist");
    const Json::ArrayIndex n = json::Count(list, kMaxProfileEntries, "profilelist");
    std::vector<ProfileEntry> entries;
    for (Json::ArrayIndex i = 0; i < n; ++i) {
        ProfileEntry e{json::Text(json::Get(list[i], "profilename"), "profilename"),
                       json::Text(json::Get(list[i], "profileUUID"), "profileUUID")};
        bool refused = !IsPlainFileName(e.id) || !IsPlainFileName(e.id + kProfileDocumentExtension);
        for (const ProfileEntry& other : entries) refused = refused || other.id == e.id;
        if (refused) {
            TraceF("%s: entry %u refused: \"%s\" does not name a document of its own\n", kProfileListFileName, i,
                   e.id.c_str());
            continue;
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

int CDeviceProfileList::WriteList() const {
    // Other top-level keys of the file are kept.
    Json::Value document = json_.ReadJson(GetListPath());
    if (!document.isObject()) document = Json::Value(Json::objectValue);
    Json::Value list(Json::arrayValue);
    for (const ProfileEntry& e : entries_) {
        Json::Value entry(Json::objectValue);
        entry["profilename"] = e.name;
        entry["profileUUID"] = e.id;
        entry["profileislink"] = 0;
        entry["profilelinkmame"] = "";
        list.append(entry);
    }
    document["profilelist"] = list;
    document["profileselect"] = current_ < 0 ? 0 : current_;
    return json_.WriteJson(GetListPath(), document);
}

int CDeviceProfileList::WriteDocument(Json::Value document, const ProfileEntry& entry) const {
    if (!document.isObject()) document = Json::Value(Json::objectValue);
    document["profilename"] = entry.name;
    document["profileUUID"] = entry.id;
    return json_.WriteJson(GetDocumentPath(entry.id), document);
}

void CDeviceProfileList::Init() {
    entries_.clear();
    current_ = -1;
    if (folder_.empty()) return;
    Json::Value selection;
    entries_ = ReadEntries(&selection);
    int select = 0;
    if (entries_.empty()) {
        const ProfileEntry first{"Profile1", NewProfileId()};
        entries_.push_back(first);
        current_ = 0;
        WriteDocument(json_.ReadJson(defaultDocumentPath_), first);
        WriteList();
    } else {
        const std::int64_t s = json::Int(selection, "profileselect");
        select = (s >= 0 && s < GetCount()) ? static_cast<int>(s) : 0;
    }
    Select(select, false);
}

ProfileOutcome CDeviceProfileList::Select(int index, bool load) {
    if (index < 0 || index >= GetCount()) return {};
    const std::string chosen = entries_[static_cast<std::size_t>(index)].id;
    const std::string previous = GetCurrentProfileId();
    const int at = Reread(chosen);
    if (at < 0) {
        TraceF("%s: profile %s is no longer listed, not selected\n", kProfileListFileName, chosen.c_str());
        return {};
    }
    if (device_ == nullptr || !load) {
        current_ = at;
        WriteList();
        if (device_ != nullptr) device_->SetDocumentPaths(chosen);
        return {true, {}};
    }
    device_->SetDocumentPaths(chosen);
    const bool loaded = device_->LoadProfile() != 0;
    if (!loaded && !previous.empty() && previous != chosen && IndexOf(previous) >= 0) {
        // The previous profile stays current with its own settings, so that
        // no later save puts them into the chosen profile's document.
        TraceF("%s: not loaded, %s stays current\n", GetDocumentPath(chosen).c_str(), previous.c_str());
        device_->SetDocumentPaths(previous);
        device_->LoadProfile();
        return {};
    }
    current_ = at;
    WriteList();
    if (loaded) device_->WriteProfileToDevice(ProfileWrite::kSelected);
    return {loaded, {}};
}

ProfileOutcome CDeviceProfileList::AddAndSelect(const ProfileEntry& entry, Json::Value document) {
    // The document comes first, so that the list never names a missing one.
    WriteDocument(std::move(document), entry);
    entries_.push_back(entry);
    WriteList();
    Select(GetCount() - 1, true);
    return {true, {}};  // the list has the new profile, even if it could not be loaded
}

ProfileOutcome CDeviceProfileList::NewProfile() {
    if (folder_.empty()) return {};
    Reread();
    if (GetCount() >= kMaxNewProfiles) return {};
    std::string name;
    for (int n = 1;; ++n) {
        name = "Profile" + std::to_string(n);
        if (!NameTaken(name)) break;
    }
    return AddAndSelect(ProfileEntry{name, NewProfileId()}, json_.ReadJson(defaultDocumentPath_));
}

ProfileOutcome CDeviceProfileList::CopyProfile() {
    if (current_ < 0) return {};
    Reread();
    const ProfileEntry source = entries_[static_cast<std::size_t>(current_)];
    std::string name = source.name + " copy";
    while (NameTaken(name)) name += " copy";
    return AddAndSelect(ProfileEntry{name, NewProfileId()}, json_.ReadJson(GetDocumentPath(source.id)));
}

ProfileOutcome CDeviceProfileList::RenameProfile(const std::string& name) {
    if (current_ < 0 || name.empty()) return {};
    Reread();
    if (NameTaken(name, current_)) return {false, kTextNameTaken};
    ProfileEntry& entry = entries_[static_cast<std::size_t>(current_)];
    entry.name = name;
    WriteList();
    WriteDocument(json_.ReadJson(GetDocumentPath(entry.id)), entry);
    return {true, {}};
}

ProfileOutcome CDeviceProfileList::DeleteProfile() {
    if (current_ < 0) return {};
    Reread();
    if (GetCount() < 2) return {};
    const ProfileEntry removed = entries_[static_cast<std::size_t>(current_)];
    entries_.erase(entries_.begin() + current_);
    current_ = current_ == 0 ? 0 : current_ - 1;
    // The list goes first: a crash in between leaves an unlisted document, not
    // a listed profile without one.
    WriteList();
    if (std::remove(GetDocumentPath(removed.id).c_str()) != 0 && errno != ENOENT)
        TraceF("%s: not removed (%d)\n", GetDocumentPath(removed.id).c_str(), errno);
    Select(current_, true);
    return {true, {}};  // the profile is gone, even if its neighbour could not be loaded
}

ProfileOutcome CDeviceProfileList::ResetProfile() {
    if (current_ < 0) return {};
    Reread();  // for the current name
    const ProfileEntry entry = entries_[static_cast<std::size_t>(current_)];
    Json::Value document = json_.ReadJson(defaultDocumentPath_);
    if (!json::At(json::Get(document, "Device"), 0).isObject()) {
        // Without the factory document (or its device section) there is
        // nothing to reset to; the profile is kept as it is.
        TraceF("%s: no factory document, profile not reset\n", defaultDocumentPath_.c_str());
        return {};
    }
    if (kind_ == kKindHeadset) {
        // The user's own equaliser curves survive a reset.
        const Json::Value current = json_.ReadJson(GetDocumentPath(entry.id));
        const Json::Value& section = json::At(json::Get(current, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            const Json::Value& mine = json::Get(section, key);
            if (!mine.isNull()) json::Obj(json::Elem(json::Obj(document, "Device"), 0), key) = mine;
        }
    }
    WriteDocument(std::move(document), entry);
    if (device_ != nullptr) {
        device_->LoadProfile();
        device_->WriteProfileToDevice(ProfileWrite::kReset);
    }
    return {true, {}};
}

ProfileOutcome CDeviceProfileList::RestoreDefaults() {
    if (current_ < 0 || device_ == nullptr) return {};
    if (!device_->RestoreDefaults()) return {};  // no factory section: nothing changed
    device_->WriteProfileToDevice(ProfileWrite::kDefaults);
    return {true, {}};
}

ProfileOutcome CDeviceProfileList::ImportProfile(const std::string& path) {
    if (current_ < 0) return {};
    Json::Value document = json_.ReadJson(path);
    if (!document.isObject() || !document.isMember("profilename") || !document.isMember("profileUUID")) {
        TraceF("%s: not a profile document, not imported\n", path.c_str());
        return {};
    }
    const bool mouseDocument = HasDpiStages(document);
    if ((kind_ == kKindKeyboard && mouseDocument) || (kind_ == kKindMouse && !mouseDocument))
        return {false, kTextImportRefused};

    Reread();
    std::string name = std::filesystem::path(path).stem().string();
    for (int n = 1; NameTaken(name); ++n) name += "(" + std::to_string(n) + ")";
    return AddAndSelect(ProfileEntry{name, NewProfileId()}, std::move(document));
}

ProfileOutcome CDeviceProfileList::ExportProfile(const std::string& path) const {
    if (current_ < 0 || path.empty()) return {};
    const Json::Value document = json_.ReadJson(GetDocumentPath(GetCurrentProfileId()));
    if (document.isNull()) return {};  // nothing readable to export; no empty file is made
    return {json_.WriteJson(path, document) == 0, {}};
}

}  // namespace r88
