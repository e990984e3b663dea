#include "update/curl_session.h"

#include <csignal>
#include <mutex>

namespace r88 {

void EnsureCurlInitialised() {
    static std::once_flag once;
    std::call_once(once, [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        // With CURLOPT_NOSIGNAL (needed with threads) libcurl leaves SIGPIPE
        // alone, and TLS writes to a peer that hung up would end the process.
        std::signal(SIGPIPE, SIG_IGN);
    });
}

CCurlSession::CCurlSession(const WebClientSettings& settings, const char* protocols,
                           const std::atomic<bool>* cancelled)
    : settings_(settings), cancelled_(cancelled) {
    EnsureCurlInitialised();
    curl_ = curl_easy_init();
    if (curl_ == nullptr) return;
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_USERAGENT, settings_.userAgent.c_str());
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings_.connectTimeoutMs));
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(curl_, CURLOPT_FOLLOWLOCATION, 0L);
    // Certificates are always checked: a peer we cannot verify is not talked to.
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!settings_.caFile.empty()) {
        curl_easy_setopt(curl_, CURLOPT_CAINFO, settings_.caFile.c_str());
        curl_easy_setopt(curl_, CURLOPT_CAPATH, nullptr);
    }
    curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &CCurlSession::OnTransfer);
    curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
}

CCurlSession::~CCurlSession() {
    if (curl_ != nullptr) curl_easy_cleanup(curl_);
}

CURLcode CCurlSession::Perform() {
    lastMoved_ = std::chrono::steady_clock::now();
    return curl_easy_perform(curl_);
}

int CCurlSession::OnTransfer(void* self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal,
                             curl_off_t ulNow) {
    return static_cast<CCurlSession*>(self)->Watch(dlTotal, dlNow, ulTotal, ulNow);
}

int CCurlSession::Watch(curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow) {
    if (cancelled_ != nullptr && cancelled_->load()) {
        cancelledSeen_ = true;
        return 1;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!connected_) {
        // Connecting has its own limit (libcurl's); the idle clock starts after it.
        curl_off_t connectTime = 0;
        curl_easy_getinfo(curl_, CURLINFO_CONNECT_TIME_T, &connectTime);
        if (connectTime <= 0) return 0;
        connected_ = true;
        lastMoved_ = now;
    }
    if (dlNow != lastDl_ || ulNow != lastUl_) {
        lastDl_ = dlNow;
        lastUl_ = ulNow;
        lastMoved_ = now;
    } else {
        const bool sending = ulTotal > 0 && ulNow < ulTotal;
        const int limitMs = sending ? settings_.sendTimeoutMs : settings_.receiveTimeoutMs;
        if (limitMs > 0 && now - lastMoved_ >= std::chrono::milliseconds(limitMs)) {
            timedOut_ = true;
            return 1;
        }
    }
    if (progress_) progress_(dlNow, dlTotal);
    return 0;
}

bool CCurlSession::RequestSent() const {
    long size = 0;
    curl_easy_getinfo(curl_, CURLINFO_REQUEST_SIZE, &size);
    return size > 0;
}

int CCurlSession::ErrorCode(CURLcode code) const {
    if (code == CURLE_OK) return web_error::kNone;
    if (timedOut_ || code == CURLE_OPERATION_TIMEDOUT) return web_error::kTimedOut;
    if (cancelledSeen_) return web_error::kCancelled;
    return web_error::kCurlBase + static_cast<int>(code);
}

}  // namespace r88
