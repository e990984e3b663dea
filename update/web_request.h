#pragma once
// A small HTTP(S) client on libcurl for the update service: one synchronous
// request, its response body into a caller's buffer.
//
// TLS peers are always verified (system certificate store, or the one
// authority named in the settings). Proxies come from the environment as
// libcurl reads it (http_proxy, https_proxy, no_proxy). Time-outs: connect,
// then send and receive, each counted from the last byte that moved.
#include <atomic>
#include <cstddef>
#include <span>
#include <string>

namespace r88 {

// Last error codes of WebRequest.
namespace web_error {
inline constexpr int kNone = 0;
inline constexpr int kEmptyMethod = 3;
inline constexpr int kBadMethod = 87;
inline constexpr int kResponseTooLarge = 122;  // the body does not fit the caller's buffer
inline constexpr int kCancelled = 1223;
inline constexpr int kTimedOut = 1460;
inline constexpr int kCurlBase = 12000;  // + the libcurl error code otherwise
}  // namespace web_error

struct WebClientSettings {
    std::string userAgent = "WinHTTP Client/1.0";
    int connectTimeoutMs = 60000;
    int sendTimeoutMs = 30000;
    int receiveTimeoutMs = 30000;
    // Trust only this authority (a PEM file) instead of the system store.
    std::string caFile;
    // The configured proxy, used when a request asks for it; empty here.
    std::string proxy;
    std::string proxyUser;
    std::string proxyPassword;
};

class CWebClient {
public:
    explicit CWebClient(WebClientSettings settings = {});

    // Sends one request: "GET" or "POST" (any case), `data` as the body when
    // `length` > 0. The body received is copied into `response`, which must
    // have room for it and a terminating zero; a longer body is refused
    // whole (0 bytes, error kResponseTooLarge). When the request never went
    // out, `response` holds "NO_LINK_SERVER". Returns the number of bytes
    // received, or -1 for a bad method (LastError 87, or 3 when empty).
    // The HTTP status is not examined.
    int WebRequest(const std::string& method, const std::string& url, const char* data, std::size_t length,
                   std::span<char> response, bool useConfiguredProxy);

    int LastError() const { return lastError_; }
    // Whether the last request was sent to a server.
    bool LastSent() const { return lastSent_; }

    // From any thread: the request in progress (and every later one) ends
    // at once as cancelled.
    void Cancel() { cancelled_ = true; }

    const WebClientSettings& Settings() const { return settings_; }

private:
    WebClientSettings settings_;
    std::atomic<bool> cancelled_{false};
    int lastError_ = web_error::kNone;
    bool lastSent_ = false;
};

// One libcurl global initialisation for the process.
void EnsureCurlInitialised();

}  // namespace r88
