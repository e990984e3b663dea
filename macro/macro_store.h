#pragma once
// The macros of one device: the list file "macro.config" in the device
// folder and one event file <Guid>.mac per macro. A macro's index is its
// position in the list; key assignments and the device image use it.
//
// The store keeps no copy of the list: every operation reads the files and
// writes them back whole (atomically, through CJsonFile), so a change made
// by another process in between is kept, and members of the list we do not
// know stay as they are. A list file that exists but cannot be read is never
// replaced: operations that would change it are refused with a trace line.
//
// A "Guid" read from the list names an event file only when <Guid>.mac is a
// plain file name in the device folder; otherwise the macro has no events and
// nothing is read, written or deleted for it.
#include <cstddef>
#include <string>
#include <vector>

#include "macro/macro_image.h"
#include "macro/macro_records.h"
#include "profile/json_file.h"

namespace r88 {

inline constexpr char kMacroListFileName[] = "macro.config";
// The list the mouse pad and headset pages read for their (empty) macro names.
inline constexpr char kPadMacroListFileName[] = "kestra_macro.config";
inline constexpr char kMacroFileExtension[] = ".mac";
inline constexpr int kMaxMacros = 50;

// The file dialogs of import and export.
inline constexpr char kMacroFileFilterTitle[] = "Macro Files(*.mac)";
inline constexpr char kMacroFileFilterPattern[] = "*.mac;";

struct MacroEntry {
    std::string name;  // "MacroName"
    std::string id;    // "Guid"
    bool operator==(const MacroEntry&) const = default;
};

struct MacroAdded {
    int index = -1;  // -1: no macro was added
    std::string name;
    std::string id;
};

enum class MacroRename {
    kDone,
    kEmptyName,
    kNameTaken,  // some macro (this one included) has the name, ignoring case
    kNoMacro,    // no macro at that index
    kNotSaved,   // the list file could not be read or written; nothing changed
};

class CMacroStore {
public:
    explicit CMacroStore(const std::string& deviceFolder = {},
                         const std::string& listFileName = kMacroListFileName);
    void SetFolder(const std::string& deviceFolder);

    std::string GetListPath() const { return folder_ + listFileName_; }
    // <folder><id>.mac, or "" when that is not a plain file name.
    std::string GetEventFilePath(const std::string& id) const;

    // Names and identifiers in list order; empty when the list is missing or
    // unreadable.
    std::vector<MacroEntry> LoadMacroList() const;

    // Appends "macro_<n>" with the lowest n >= 1 no macro has (ignoring
    // case) and a new identifier. No event file is written. Refused from
    // kMaxMacros macros on.
    MacroAdded AddMacro();
    MacroRename RenameMacro(int index, const std::string& name);
    // Removes the macro from the list (later macros move down one index) and
    // then its event file, unless another listed macro names the same file.
    // False when nothing was removed.
    bool DeleteMacro(int index);

    // The events of the macro with delays as the editor shows them (clamped);
    // none when the event file is missing or unreadable.
    std::vector<MacroEvent> LoadMacroEvents(int index) const;
    // Writes the macro's event file: "MacroName", "Guid", "Events", "Version".
    bool SaveMacroEvents(int index, const std::string& name, const std::vector<MacroEvent>& events);

    // Copies the macro's event file to path; false (and no file made) when it
    // is missing or unreadable.
    bool ExportMacro(int index, const std::string& path) const;
    // Adds a macro as AddMacro does whose event file is a copy of the file at
    // path; that file's own "Guid" and "MacroName" are not used. A file that
    // is not a JSON object is refused and nothing is added.
    MacroAdded ImportMacro(const std::string& path);

    // The device image of all listed macros, from the files as they are now.
    // A missing or unreadable list, or an empty one, gives result 0 and no
    // bytes: nothing is sent.
    MacroImage BuildMacroImage(std::size_t capacity) const;

private:
    enum class ListState { kAbsent, kRead, kUnusable };
    // document becomes an object whose "MacroInfo" is an array (kAbsent: an
    // empty one).
    ListState ReadList(Json::Value& document) const;
    static std::vector<MacroEntry> Entries(const Json::Value& document);
    std::string EventFileOf(const Json::Value& document, int index) const;
    std::string NewMacroId(const std::vector<MacroEntry>& entries) const;
    MacroAdded Add(const Json::Value* eventDocument);

    std::string folder_;
    std::string listFileName_;
    CJsonFile json_;
};

}  // namespace r88
