#pragma once
// Starting with the desktop session: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/vantiro-r88.desktop) that starts the
// installed program hidden in the tray.
#include <string>

namespace r88 {

std::string AutostartEntryPath();

// The entry's text for a program path; the path is quoted as desktop
// entries require, so blanks, quotes and '%' survive.
std::string AutostartEntryText(const std::string& programPath);

bool AutostartEnabled();
// Writes the entry unless it already says the same; true when it is in place.
bool EnableAutostart(const std::string& programPath);
// Removes the entry; true when none is left.
bool DisableAutostart();

// The real path of the running program.
std::string RunningProgramPath();

}  // namespace r88
