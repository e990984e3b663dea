#include "macro/macro_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/paths.h"
#include "platform/trace.h"
#include "profile/json_access.h"
#include "profile/text_case.h"

namespace r88 {
namespace {

// Entries of a list file the store takes; the list is never cut on write.
constexpr Json::ArrayIndex kMaxListEntries = 4096;

bool FileExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

bool NameTaken(const std::vector<MacroEntry>& entries, const std::string& name) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const MacroEntry& e) { return SameNameIgnoringCase(e.name, name); });
}

}  // namespace

CMacroStore::CMacroStore(const std::string& deviceFolder, const std::string& listFileName)
    : listFileName_(listFileName) {
    SetFolder(deviceFolder);
}

void CMacroStore::SetFolder(const std::string& deviceFolder) {
    folder_ = deviceFolder.empty() ? std::string() : WithSlash(deviceFolder);
}

std::string CMacroStore::GetEventFilePath(const std::string& id) const {
    const std::string name = id + kMacroFileExtension;
    if (!IsPlainFileName(id) || !IsPlainFileName(name)) return {};
    return folder_ + name;
}

CMacroStore::ListState CMacroStore::ReadList(Json::Value& document) const {
    const std::string path = GetListPath();
    struct stat st {};
    const bool absent =
        ::stat(path.c_str(), &st) != 0 ? errno == ENOENT : S_ISREG(st.st_mode) && st.st_size == 0;
    document = absent ? Json::Value(Json::objectValue) : json_.ReadJson(path);
    Json::Value& list = document.isObject() ? document["MacroInfo"] : document;
    if (!document.isObject() || !(list.isNull() || list.isArray())) {
        TraceF("%s: not a macro list, left as it is\n", path.c_str());
        return ListState::kUnusable;
    }
    if (list.isNull()) list = Json::Value(Json::arrayValue);
    return absent ? ListState::kAbsent : ListState::kRead;
}

std::vector<MacroEntry> CMacroStore::Entries(const Json::Value& document) {
    const Json::Value& list = json::Get(document, "MacroInfo");
    const Json::ArrayIndex n = json::Count(list, kMaxListEntries, "MacroInfo");
    std::vector<MacroEntry> entries;
    entries.reserve(n);
    for (Json::ArrayIndex i = 0; i < n; ++i)
        entries.push_back({json::Text(json::Get(list[i], "MacroName"), "MacroName"),
                           json::Text(json::Get(list[i], "Guid"), "Guid")});
    return entries;
}

std::string CMacroStore::EventFileOf(const Json::Value& document, int index) const {
    const std::vector<MacroEntry> entries = Entries(document);
    if (index < 0 || index >= static_cast<int>(entries.size())) return {};
    const std::string& id = entries[static_cast<std::size_t>(index)].id;
    std::string path = GetEventFilePath(id);
    if (path.empty())
        TraceF("%s: macro %d: \"%s\" names no event file\n", listFileName_.c_str(), index, id.c_str());
    return path;
}

std::vector<MacroEntry> CMacroStore::LoadMacroList() const {
    Json::Value document;
    if (ReadList(document) == ListState::kUnusable) return {};
    return Entries(document);
}

std::string CMacroStore::NewMacroId(const std::vector<MacroEntry>& entries) const {
    // Time identifiers of this process never repeat; an event file left by
    // another process or an earlier clock is not taken over either.
    for (;;) {
        std::string id = json_.MakeTimeId();
        bool used = FileExists(GetEventFilePath(id));
        for (const MacroEntry& e : entries) used = used || e.id == id;
        if (!used) return id;
    }
}

MacroAdded CMacroStore::Add(const Json::Value* eventDocument) {
    Json::Value document;
    if (ReadList(document) == ListState::kUnusable) return {};
    Json::Value& list = document["MacroInfo"];
    if (list.size() >= static_cast<Json::ArrayIndex>(kMaxMacros)) {
        TraceF("%s: %u macros, no more added\n", listFileName_.c_str(), list.size());
        return {};
    }
    const std::vector<MacroEntry> entries = Entries(document);
    std::string name;
    for (int n = 1;; ++n) {
        name = "macro_" + std::to_string(n);
        if (!NameTaken(entries, name)) break;
    }
    const std::string id = NewMacroId(entries);
    // The event file goes first: a crash in between leaves an unlisted file,
    // not a listed macro without its events.
    const std::string eventPath = GetEventFilePath(id);
    if (eventDocument != nullptr && json_.WriteJson(eventPath, *eventDocument) != 0) return {};
    Json::Value entry(Json::objectValue);
    entry["MacroName"] = name;
    entry["Guid"] = id;
    list.append(entry);
    if (json_.WriteJson(GetListPath(), document) != 0) {
        if (eventDocument != nullptr) ::unlink(eventPath.c_str());
        return {};
    }
    return {static_cast<int>(list.size()) - 1, name, id};
}

MacroAdded CMacroStore::AddMacro() {
    return Add(nullptr);
}

MacroRename CMacroStore::RenameMacro(int index, const std::string& name) {
    if (name.empty()) return MacroRename::kEmptyName;
    Json::Value document;
    if (ReadList(document) == ListState::kUnusable) return MacroRename::kNotSaved;
    const std::vector<MacroEntry> entries = Entries(document);
    if (index < 0 || index >= static_cast<int>(entries.size())) return MacroRename::kNoMacro;
    if (NameTaken(entries, name)) return MacroRename::kNameTaken;
    json::Obj(document["MacroInfo"][static_cast<Json::ArrayIndex>(index)], "MacroName") = name;
    return json_.WriteJson(GetListPath(), document) == 0 ? MacroRename::kDone : MacroRename::kNotSaved;
}

bool CMacroStore::DeleteMacro(int index) {
    Json::Value document;
    if (ReadList(document) == ListState::kUnusable) return false;
    const std::vector<MacroEntry> entries = Entries(document);
    if (index < 0 || index >= static_cast<int>(entries.size())) return false;
    const std::string id = entries[static_cast<std::size_t>(index)].id;
    const std::string eventPath = EventFileOf(document, index);
    Json::Value removed;
    document["MacroInfo"].removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
    // The list goes first: a crash in between leaves an unlisted event file.
    if (json_.WriteJson(GetListPath(), document) != 0) return false;
    if (eventPath.empty()) return true;
    for (const MacroEntry& e : Entries(document)) {
        if (e.id == id) {
            TraceF("%s: kept, another macro uses it\n", eventPath.c_str());
            return true;
        }
    }
    if (::unlink(eventPath.c_str()) != 0 && errno != ENOENT)
        TraceF("%s: not removed (%d)\n", eventPath.c_str(), errno);
    return true;
}

std::vector<MacroEvent> CMacroStore::LoadMacroEvents(int index) const {
    Json::Value document;
    if (ReadList(document) == ListState::kUnusable) return {};
    const std::string path = EventFileOf(document, index);
    if (path.empty()) return {};
    std::vector<MacroEvent> events = ReadMacroEvents(json_.ReadJson(path));
    for (MacroEvent& e : events) e.delay = ShownDelay(e.delay);
    return events;
}

bool CMacroStore::SaveMacroEvents(int index, const std::string& name, const std::vector<MacroEvent>& events) {
    Json::Value document;
    if (ReadList(document) == ListState::kUnusable) return false;
    const std::string path = EventFileOf(document, index);
    if (path.empty()) return false;
    Json::Value file(Json::objectValue);
    Json::Value& list = file["Events"] = Json::Value(Json::arrayValue);
    for (const MacroEvent& e : events) list.append(MacroEventToJson(e));
    file["Guid"] = Entries(document)[static_cast<std::size_t>(index)].id;
    file["MacroName"] = name;
    file["Version"] = kMacroEventFileVersion;
    return json_.WriteJson(path, file) == 0;
}

bool CMacroStore::ExportMacro(int index, const std::string& path) const {
    if (path.empty()) return false;
    Json::Value document;
    if (ReadList(document) == ListState::kUnusable) return false;
    const std::string eventPath = EventFileOf(document, index);
    if (eventPath.empty()) return false;
    const Json::Value events = json_.ReadJson(eventPath);
    if (events.isNull()) return false;  // nothing readable to export; no empty file is made
    return json_.WriteJson(path, events) == 0;
}

MacroAdded CMacroStore::ImportMacro(const std::string& path) {
    const Json::Value events = json_.ReadJson(path);
    if (!events.isObject()) {
        TraceF("%s: not a macro file, not imported\n", path.c_str());
        return {};
    }
    return Add(&events);
}

MacroImage CMacroStore::BuildMacroImage(std::size_t capacity) const {
    Json::Value document;
    if (ReadList(document) != ListState::kRead) return {};
    const int n = static_cast<int>(Entries(document).size());
    // Each event file is read once, so both passes over it see the same events.
    std::vector<std::vector<MacroEvent>> macros(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const std::string path = EventFileOf(document, i);
        if (!path.empty()) macros[static_cast<std::size_t>(i)] = ReadMacroEvents(json_.ReadJson(path));
    }
    return r88::BuildMacroImage(macros, capacity);
}

}  // namespace r88
