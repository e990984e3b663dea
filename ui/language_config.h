#pragma once
// "Language.config" in the factory data folder: the offered languages in
// display order; the array index is the language index.
#include <optional>
#include <string>
#include <vector>

namespace r88 {

struct LanguageEntry {
    int id = 0;                // "Language_ID", the value that is stored
    std::string name;          // "Language_name"
    std::string file;          // "Language_file", relative to the program's lang/ folder
    std::string text;          // "Language_text", the caption in the settings window
};

// Reads the list; an unreadable or malformed file gives an empty list, and a
// field of the wrong type is left empty.
std::vector<LanguageEntry> ReadLanguageConfig(const std::string& path);

// The index of the entry whose id is `id`, if any.
std::optional<int> LanguageIndexOfId(const std::vector<LanguageEntry>& entries, int id);

}  // namespace r88
