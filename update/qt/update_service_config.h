#pragma once
// Where the update service is: the base URL from the user's settings file
// (key "UpdateServerUrl"). There is no default host: with nothing
// configured no check is made.
#include <QString>

#include "update/web_request.h"

namespace r88 {

struct UpdateServiceConfig {
    std::string baseUrl;
    WebClientSettings client;
    std::uint64_t maxDownloadBytes = 512ull * 1024 * 1024;
    // Where downloads go; empty: the user's private download folder.
    std::string downloadFolder;
};

inline constexpr char kUpdateServerUrlKey[] = "UpdateServerUrl";

UpdateServiceConfig ReadUpdateServiceConfig();

}  // namespace r88
