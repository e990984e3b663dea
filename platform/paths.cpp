#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace r88 {
namespace fs = std::filesystem;

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return (v != nullptr && *v != '\0') ? std::string(v) : fallback;
}

std::string HomeFolder() { return EnvOr("HOME", "/tmp"); }

}  // namespace

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path;
}

std::string ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return WithSlash(fs::current_path(ec).string());
    return WithSlash(exe.parent_path().string());
}

std::string ProgramFolder() {
    const char* over = std::getenv("VANTIRO_DATA_DIR");
    if (over != nullptr && *over != '\0') return WithSlash(over);
    fs::path p = fs::path(ExecutableFolder()) / ".." / "share" / "vantiro-r88";
    std::error_code ec;
    fs::path canon = fs::weakly_canonical(p, ec);
    return WithSlash(ec ? p.string() : canon.string());
}

std::string LocalAppDataFolder() {
    return WithSlash(EnvOr("XDG_DATA_HOME", HomeFolder() + "/.local/share"));
}

std::string UserConfigFolder() { return WithSlash(EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config")); }

std::string TempFolder() { return WithSlash(EnvOr("TMPDIR", "/tmp")); }

bool MakeFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (c == '/' || c == '\0' || c == '\\') return false;
    return true;
}

}  // namespace r88
