#include "platform/autostart.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/app_identity.h"
#include "platform/paths.h"

namespace r88 {

namespace fs = std::filesystem;

namespace {
// Desktop entry Exec quoting: the argument in double quotes, with '"', '`',
// '$' and '\' escaped by a backslash; a literal '%' is written "%%". The
// key's value then escapes each backslash once more.
std::string QuoteExecArgument(const std::string& arg) {
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted.push_back('\\');
        if (c == '%') quoted.push_back('%');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value.push_back('\\');
        value.push_back(c);
    }
    return value;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

std::string AutostartEntryPath() {
    return UserConfigFolder() + "autostart/vantiro-r88.desktop";
}

std::string AutostartEntryText(const std::string& programPath) {
    return std::string(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=") +
           kAppName +
           "\n"
           "Exec=" +
           QuoteExecArgument(programPath) +
           " --hidden\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool AutostartEnabled() {
    std::error_code ec;
    return fs::is_regular_file(AutostartEntryPath(), ec);
}

bool EnableAutostart(const std::string& programPath) {
    const std::string path = AutostartEntryPath();
    const std::string text = AutostartEntryText(programPath);
    if (ReadAll(path) == text) return true;
    if (!MakeFolders(UserConfigFolder() + "autostart/")) return false;
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) std::remove(temp.c_str());
    return !ec;
}

bool DisableAutostart() {
    std::error_code ec;
    fs::remove(AutostartEntryPath(), ec);
    return !AutostartEnabled();
}

std::string RunningProgramPath() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

}  // namespace r88
