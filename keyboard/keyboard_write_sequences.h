#pragma once
// Which writes reach the keyboard on each occasion of the profile's life, in
// their order. The page calls these after it has loaded or changed the
// profile; r88ctl applies a profile the same way.
#include <vector>

#include "keyboard/keyboard_protocol.h"

namespace r88 {

// What a keyboard profile writes: the key list (current and default codes by
// UI key), the light state and system settings of the settings record, and
// the macro image builder (none: the macros are left alone).
struct KeyboardProfileWrite {
    std::vector<KeyAssignmentPair> keyList;
    LightState light;
    KeyboardSystemSettings system;
    MacroImageBuilder macros;
};

// Each returns the macro write's result (0 when no macros were written), for
// the message it shows (MacroResultMessageFor).

// Another profile selected, or a profile imported (it becomes the selected
// one): key block, macros, settings.
int WriteSelectedProfile(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile);
// The profile reset to its stored state: settings, macros, key block.
int WriteResetProfile(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile);
// Factory defaults restored: key block, settings (the macros stay).
int WriteRestoredDefaults(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile);
// The key panel's save: macros, key block.
int WriteSavedKeys(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile);

}  // namespace r88
