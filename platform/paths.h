#pragma once
// Where the program's own files and the user's files live on Linux.
// Every folder returned ends with '/'.
#include <string>

namespace r88 {

// Installed data of the program (skin, factory data, fonts, languages):
// $VANTIRO_DATA_DIR when set, else <folder of the executable>/../share/vantiro-r88/.
std::string ProgramFolder();

// Folder of the running executable.
std::string ExecutableFolder();

// Per-user, non-roaming application data: $XDG_DATA_HOME or ~/.local/share.
std::string LocalAppDataFolder();

// Per-user settings: $XDG_CONFIG_HOME or ~/.config.
std::string UserConfigFolder();

// Temporary files: $TMPDIR or /tmp.
std::string TempFolder();

// Creates the folder and any missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

// Appends '/' unless the path already ends with one.
std::string WithSlash(std::string path);

// A name read from a file may name a file only when it is a plain file name:
// not empty, no '/', no NUL, not "." or "..".
bool IsPlainFileName(const std::string& name);

}  // namespace r88
