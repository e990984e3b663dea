#pragma once
// One libcurl easy handle with the options every request of the update
// client shares: TLS verification, time-outs counted from the last byte
// that moved, cancellation, no redirects, only the allowed protocols.
#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <functional>

#include "update/web_request.h"

namespace r88 {

class CCurlSession {
public:
    // `protocols` as libcurl spells them ("http,https"). `cancelled` may be null.
    CCurlSession(const WebClientSettings& settings, const char* protocols,
                 const std::atomic<bool>* cancelled);
    ~CCurlSession();
    CCurlSession(const CCurlSession&) = delete;
    CCurlSession& operator=(const CCurlSession&) = delete;

    CURL* Handle() const { return curl_; }
    explicit operator bool() const { return curl_ != nullptr; }

    // Called from the transfer with the bytes received so far and the
    // expected total (0 while unknown).
    using Progress = std::function<void(curl_off_t received, curl_off_t total)>;
    void SetProgress(Progress progress) { progress_ = std::move(progress); }

    CURLcode Perform();
    bool TimedOut() const { return timedOut_; }
    bool Cancelled() const { return cancelledSeen_; }
    // Whether any of the request reached the server.
    bool RequestSent() const;
    // The last error code for a result of Perform.
    int ErrorCode(CURLcode code) const;

private:
    static int OnTransfer(void* self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal,
                          curl_off_t ulNow);
    int Watch(curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow);

    CURL* curl_ = nullptr;
    WebClientSettings settings_;
    const std::atomic<bool>* cancelled_;
    Progress progress_;
    std::chrono::steady_clock::time_point lastMoved_{};
    curl_off_t lastDl_ = -1;
    curl_off_t lastUl_ = -1;
    bool connected_ = false;
    bool timedOut_ = false;
    bool cancelledSeen_ = false;
};

}  // namespace r88
