#include "update/update_download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/app_identity.h"
#include "platform/paths.h"
#include "profile/text_case.h"
#include "update/curl_session.h"

namespace r88 {

namespace {
struct UrlParts {
    std::string scheme, host, port, path;
};

bool SplitUrl(const std::string& url, UrlParts& out) {
    EnsureCurlInitialised();
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> u(curl_url(), &curl_url_cleanup);
    if (!u || curl_url_set(u.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return false;
    auto get = [&](CURLUPart part, unsigned flags, std::string& into) {
        char* text = nullptr;
        if (curl_url_get(u.get(), part, &text, flags) != CURLUE_OK) return false;
        into = text;
        curl_free(text);
        return true;
    };
    return get(CURLUPART_SCHEME, 0, out.scheme) && get(CURLUPART_HOST, 0, out.host) &&
           get(CURLUPART_PORT, CURLU_DEFAULT_PORT, out.port) && get(CURLUPART_PATH, 0, out.path);
}

bool PrivateDirectory(std::string path) {
    // With a trailing '/' lstat would follow a link.
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return false;
    if ((st.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0) return false;
    return true;
}

std::string CacheHome() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && *cache == '/') return WithSlash(cache);
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home == '/') return WithSlash(home) + ".cache/";
    return {};
}

struct FileSink {
    int fd = -1;
    std::uint64_t written = 0;
    std::uint64_t cap = 0;
    bool tooLarge = false;
    bool failed = false;
};

size_t WriteToFile(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<FileSink*>(user);
    const size_t n = size * count;
    if (sink->written + n > sink->cap) {
        sink->tooLarge = true;
        return 0;
    }
    size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(sink->fd, data + done, n - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            sink->failed = true;
            return 0;
        }
        done += static_cast<size_t>(w);
    }
    sink->written += n;
    return n;
}
}  // namespace

bool EnsurePrivateFolder(const std::string& folder) {
    if (folder.empty() || folder.front() != '/') return false;
    // Every missing level is made private; the checks below decide.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return PrivateDirectory(folder);
}

std::string PrivateDownloadFolder() {
    const std::string cache = CacheHome();
    if (cache.empty()) return {};
    const std::string app = cache + kAppName + "/";
    const std::string folder = app + "UpdateData/";
    if (!EnsurePrivateFolder(folder) || !PrivateDirectory(app)) return {};
    return folder;
}

bool IsSecureServiceUrl(const std::string& baseUrl) {
    UrlParts p;
    return SplitUrl(baseUrl, p) && SameNameIgnoringCase(p.scheme, "https") && !p.host.empty();
}

bool SameSecureOrigin(const std::string& url, const std::string& baseUrl) {
    UrlParts a, b;
    if (!SplitUrl(url, a) || !SplitUrl(baseUrl, b)) return false;
    return SameNameIgnoringCase(a.scheme, "https") && SameNameIgnoringCase(b.scheme, "https") &&
           SameNameIgnoringCase(a.host, b.host) && a.port == b.port;
}

std::string DownloadFileName(const std::string& url) {
    UrlParts p;
    if (!SplitUrl(url, p)) return {};
    const std::string last = p.path.substr(p.path.rfind('/') + 1);
    int length = 0;
    char* decoded = curl_easy_unescape(nullptr, last.c_str(), static_cast<int>(last.size()), &length);
    if (decoded == nullptr) return {};
    std::string name(decoded, static_cast<size_t>(length));
    curl_free(decoded);
    return IsPlainFileName(name) ? name : std::string();
}

DownloadResult CUpdateDownloader::Download(const DownloadRequest& request, const Progress& progress,
                                           std::string& path) {
    path.clear();
    if (!SameSecureOrigin(request.url, request.baseUrl)) return DownloadResult::kRefused;
    const std::string name = DownloadFileName(request.url);
    if (name.empty()) return DownloadResult::kRefused;
    if (request.folder.empty() || request.folder.back() != '/') return DownloadResult::kFile;

    std::string temp = request.folder + "." + name + ".XXXXXX";
    FileSink sink;
    sink.cap = request.maxBytes;
    sink.fd = mkostemp(temp.data(), O_CLOEXEC);
    if (sink.fd < 0) return DownloadResult::kFile;

    auto fail = [&](DownloadResult result) {
        if (sink.fd >= 0) ::close(sink.fd);
        ::unlink(temp.c_str());
        return result;
    };

    CCurlSession session(settings_, "https", &cancelled_);
    if (!session) return fail(DownloadResult::kNetwork);
    CURL* curl = session.Handle();
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);  // an error page is not the file
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    int lastPercent = -1;
    session.SetProgress([&](curl_off_t received, curl_off_t total) {
        if (total <= 0 || !progress) return;
        const int percent = static_cast<int>(received * 100 / total);
        if (percent != lastPercent) {
            lastPercent = percent;
            progress(percent);
        }
    });

    const CURLcode code = session.Perform();
    if (sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED) return fail(DownloadResult::kTooLarge);
    if (sink.failed) return fail(DownloadResult::kFile);
    if (session.Cancelled()) return fail(DownloadResult::kCancelled);
    if (code != CURLE_OK) return fail(DownloadResult::kNetwork);
    if (::fsync(sink.fd) != 0 || ::close(sink.fd) != 0) {
        sink.fd = -1;
        return fail(DownloadResult::kFile);
    }
    sink.fd = -1;
    const std::string final = request.folder + name;
    if (::rename(temp.c_str(), final.c_str()) != 0) return fail(DownloadResult::kFile);
    if (progress && lastPercent != 100) progress(100);
    path = final;
    return DownloadResult::kDone;
}

}  // namespace r88
