#pragma once
// Fetching an update file named by the update service.
//
// A file is taken only over https and only from the update service's own
// host (and port), and it is kept under the plain-file-name part of its
// address in the user's private download folder. It is written to a
// temporary file, capped in size, and renamed into place only when complete,
// so a broken transfer leaves nothing behind. The file is never run here.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "update/web_request.h"

namespace r88 {

// <$XDG_CACHE_HOME or ~/.cache>/VANTIRO  R88 Gaming Keyboard/UpdateData/,
// created 0700. "" when it cannot be made private: a folder that is not a
// directory of our own (a link, another user's) is never used.
std::string PrivateDownloadFolder();
// Makes `folder` (ending in '/') and its missing parents 0700 and checks that
// it is a real directory owned by us with no access for others.
bool EnsurePrivateFolder(const std::string& folder);

// Whether the base URL of the update service may be used: https with a host.
bool IsSecureServiceUrl(const std::string& baseUrl);
// Whether `url` is https on the same host and port as `baseUrl`.
bool SameSecureOrigin(const std::string& url, const std::string& baseUrl);
// The last segment of the URL's path, decoded, when it is a plain file name;
// "" otherwise.
std::string DownloadFileName(const std::string& url);

enum class DownloadResult {
    kDone,
    kRefused,   // not https, another host, or no plain file name
    kNetwork,   // no connection, time-out, broken transfer, HTTP error status
    kTooLarge,  // more than the cap
    kFile,      // the folder or the file could not be written
    kCancelled,
};

struct DownloadRequest {
    std::string url;
    std::string baseUrl;
    std::string folder;  // ends with '/'
    std::uint64_t maxBytes = 512ull * 1024 * 1024;
};

class CUpdateDownloader {
public:
    explicit CUpdateDownloader(WebClientSettings settings = {}) : settings_(std::move(settings)) {}

    // Called with the percent done whenever it changes.
    using Progress = std::function<void(int percent)>;

    // Blocks until the file is complete or the transfer failed. `path` gets
    // the file's final path when done.
    DownloadResult Download(const DownloadRequest& request, const Progress& progress, std::string& path);

    // From any thread: the transfer ends as cancelled.
    void Cancel() { cancelled_ = true; }

private:
    WebClientSettings settings_;
    std::atomic<bool> cancelled_{false};
};

}  // namespace r88
