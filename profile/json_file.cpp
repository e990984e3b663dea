#include "profile/json_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/app_identity.h"
#include "platform/paths.h"
#include "platform/trace.h"

namespace r88 {
namespace {

std::mutex& HookMutex() {
    static std::mutex m;
    return m;
}

CJsonFile::WriteStepHook& Hook() {
    static CJsonFile::WriteStepHook hook;
    return hook;
}

// Closes a file descriptor when it goes out of scope.
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

// Writes all of data to fd; false on any error.
bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "./";
    return path.substr(0, slash + 1);
}

// Creates a file of a name not in use, prefix followed by six characters,
// with mode 0666 so that the kernel applies the umask (and a default ACL of
// the folder) as for any new file; mkstemp would make it 0600. The name goes
// to path. -1 with errno when no file could be made.
int CreateTempFile(const std::string& prefix, std::string& path) {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::atomic<std::uint64_t> counter{0};
    thread_local std::mt19937_64 random{std::random_device{}() ^
                                        (static_cast<std::uint64_t>(::getpid()) << 32)};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint64_t bits = random() ^ counter.fetch_add(1, std::memory_order_relaxed);
        path = prefix;
        for (int i = 0; i < 6; ++i, bits /= sizeof kChars - 1) path += kChars[bits % (sizeof kChars - 1)];
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string CJsonFile::MakeTimeId() const {
    static std::mutex mutex;
    static std::int64_t lastMs = 0;
    std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
    {
        std::lock_guard lock(mutex);
        if (ms <= lastMs) ms = lastMs + 1;
        lastMs = ms;
    }
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms % 1000));
    return buffer;
}

std::string CJsonFile::ReadText(const std::string& path) const {
    // Non-blocking open so that a FIFO named like a profile cannot hang us.
    errno = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    TraceF("readjsonFile 错误吗：：%d\n", fd < 0 ? errno : 0);
    if (fd < 0) return {};
    const FdCloser closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        TraceF("%s: not a regular file\n", path.c_str());
        return {};
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        TraceF("%s: %lld bytes, larger than %zu, not read\n", path.c_str(),
               static_cast<long long>(st.st_size), kMaxFileSize);
        return {};
    }
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    std::string text(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, text.data() + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done != size) return {};
    // Text after an embedded zero byte is not part of the document.
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

std::string CJsonFile::StyledText(const Json::Value& value) {
    Json::StyledWriter writer;
    return writer.write(value) + "\n";
}

int CJsonFile::WriteJson(const std::string& path, const Json::Value& value) const {
    const std::string folder = FolderOf(path);
    const std::size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp;
    errno = 0;
    const int fd = CreateTempFile(folder + "." + base + ".", temp);
    TraceF("wirtejsonFile 错误吗：：%d\n", fd < 0 ? errno : 0);
    if (fd < 0) return 1;

    // The file we replace keeps its permissions; a new one has what the
    // umask left of 0666 when the temporary file was created.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

    const std::string text = StyledText(value);
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        WriteStepHook hook;
        {
            std::lock_guard lock(HookMutex());
            hook = Hook();
        }
        if (hook && !hook(temp)) ok = false;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        TraceF("wirtejsonFile 错误吗：：%d\n", errno);
        ::unlink(temp.c_str());
        return 1;
    }
    SyncFolder(folder);
    return 0;
}

Json::Value CJsonFile::ReadJson(const std::string& path) const {
    const std::string text = ReadText(path);
    if (text.empty()) {
        Trace(path + "\n");
        return Json::Value();
    }
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    builder["stackLimit"] = kMaxDepth;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors)) {
            TraceF("%s: not a JSON document: %s", path.c_str(), errors.c_str());
            return Json::Value();
        }
    } catch (const std::exception& e) {
        // The reader throws when the nesting is deeper than kMaxDepth.
        TraceF("%s: not read: %s\n", path.c_str(), e.what());
        return Json::Value();
    }
    return root;
}

CJsonFile::WriteStepHook CJsonFile::SetWriteStepHook(WriteStepHook hook) {
    std::lock_guard lock(HookMutex());
    WriteStepHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

std::string AppDataFolder() {
    std::string folder = LocalAppDataFolder() + kAppName + "/";
    MakeFolders(folder);
    return folder;
}

std::string DeviceDataFolder(const std::string& deviceFolderName) {
    if (!IsPlainFileName(deviceFolderName)) return {};
    std::string folder = AppDataFolder() + deviceFolderName + "/";
    MakeFolders(folder);
    return folder;
}

std::string DefaultDataFolder() {
    std::string folder = ProgramFolder() + "DefaultData/";
    MakeFolders(folder);
    return folder;
}

std::string DefaultDocumentPath(const std::string& deviceFolderName) {
    return DefaultDataFolder() + deviceFolderName + ".Json";
}

std::string UpdateDownloadFolder() {
    std::string folder = TempFolder() + "UpdateData/";
    MakeFolders(folder);
    return folder;
}

}  // namespace r88
