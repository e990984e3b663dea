#include "keyboard/keyboard_write_sequences.h"

namespace r88 {
namespace {

int WriteMacrosOf(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile) {
    return profile.macros ? keyboard.WriteMacros(profile.macros) : 0;
}

}  // namespace

int WriteSelectedProfile(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile) {
    keyboard.WriteKeyAssignments(0, profile.keyList);
    const int macros = WriteMacrosOf(keyboard, profile);
    keyboard.WriteSettings(profile.light, profile.system);
    return macros;
}

int WriteResetProfile(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile) {
    keyboard.WriteSettings(profile.light, profile.system);
    const int macros = WriteMacrosOf(keyboard, profile);
    keyboard.WriteKeyAssignments(0, profile.keyList);
    return macros;
}

int WriteRestoredDefaults(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile) {
    keyboard.WriteKeyAssignments(0, profile.keyList);
    keyboard.WriteSettings(profile.light, profile.system);
    return 0;
}

int WriteSavedKeys(CKeyboardProtocol& keyboard, const KeyboardProfileWrite& profile) {
    const int macros = WriteMacrosOf(keyboard, profile);
    keyboard.WriteKeyAssignments(0, profile.keyList);
    return macros;
}

}  // namespace r88
