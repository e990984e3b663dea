#pragma once
// The label a key shows on the device picture, derived from its assignment,
// and how its button marks a changed assignment.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_records.h"

namespace r88 {

// One name of a label: a language text id, or plain text (a macro's name).
struct KeyLabelPart {
    std::string text;
    bool isTextId = true;
    bool operator==(const KeyLabelPart&) const = default;
};

// The names are shown joined with "+".
using KeyLabel = std::vector<KeyLabelPart>;

// The label for a code; nullopt for the types that leave a key's label as it
// was. A code no table names gives an empty label.
std::optional<KeyLabel> DeriveKeyLabel(const KeyAssignment& code, const std::vector<std::string>& macroNames);

// The label's display text: each text id through `resolve`, joined with "+".
std::string KeyLabelText(const KeyLabel& label, const std::function<std::string(std::string_view)>& resolve);

// Text id of the key table row for a key's default code (its tooltip title), or nullptr.
const char* DefaultKeyName(const KeyAssignment& defaultCode);

// How a key button marks its assignment.
enum class KeyMark {
    kHideSetImage,    // the key does what its name says
    kShowUnsetImage,  // changed and not yet written to the device
    kPlain,           // changed and written
};

// label and defaultName are display texts, compared without regard to (ASCII) case.
KeyMark KeyMarkFor(std::string_view label, std::string_view defaultName, bool writePending);

}  // namespace r88
