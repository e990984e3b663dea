#include "update/web_request.h"

#include <algorithm>
#include <cstring>

#include "profile/text_case.h"
#include "update/curl_session.h"
#include "update/update_target.h"

namespace r88 {

namespace {
struct Sink {
    std::span<char> buffer;
    std::size_t used = 0;
    bool overflow = false;
};

size_t Append(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const size_t n = size * count;
    // One byte stays for the terminating zero.
    if (sink->buffer.empty() || n > sink->buffer.size() - 1 - sink->used) {
        sink->overflow = true;
        return 0;  // ends the transfer
    }
    std::memcpy(sink->buffer.data() + sink->used, data, n);
    sink->used += n;
    return n;
}

void PutText(std::span<char> buffer, const char* text) {
    std::fill(buffer.begin(), buffer.end(), '\0');
    if (buffer.empty()) return;
    const size_t n = std::min(std::strlen(text), buffer.size() - 1);
    std::memcpy(buffer.data(), text, n);
}
}  // namespace

CWebClient::CWebClient(WebClientSettings settings) : settings_(std::move(settings)) {}

int CWebClient::WebRequest(const std::string& method, const std::string& url, const char* data,
                           std::size_t length, std::span<char> response, bool useConfiguredProxy) {
    lastError_ = web_error::kNone;
    lastSent_ = false;
    if (method.empty()) {
        lastError_ = web_error::kEmptyMethod;
        return -1;
    }
    const bool post = SameNameIgnoringCase(method, "POST");
    if (!post && !SameNameIgnoringCase(method, "GET")) {
        lastError_ = web_error::kBadMethod;
        return -1;
    }
    CCurlSession session(settings_, "http,https", &cancelled_);
    if (!session) {
        lastError_ = web_error::kCurlBase + CURLE_FAILED_INIT;
        return -1;
    }
    CURL* curl = session.Handle();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());

    const std::string contentLength = "Content-Length: " + std::to_string(length);
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, contentLength.c_str());
    headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    headers = curl_slist_append(headers, "Accept:application/prs.Kestra.v1+json");
    headers = curl_slist_append(headers, "Expect:");  // the body goes out with the request
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    if (post) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(length));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, length > 0 ? data : "");
    } else if (length > 0 && data != nullptr) {
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "GET");
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(length));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, data);
    } else {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    }
    if (useConfiguredProxy && !settings_.proxy.empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXY, settings_.proxy.c_str());
        if (!settings_.proxyUser.empty()) {
            curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, settings_.proxyUser.c_str());
            curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, settings_.proxyPassword.c_str());
        }
    }

    std::fill(response.begin(), response.end(), '\0');
    Sink sink{response};
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);

    const CURLcode code = session.Perform();
    curl_slist_free_all(headers);
    lastSent_ = session.RequestSent();
    lastError_ = session.ErrorCode(code);
    if (sink.overflow) {
        // A body longer than the buffer is not information: nothing of it is kept.
        std::fill(response.begin(), response.end(), '\0');
        lastError_ = web_error::kResponseTooLarge;
        return 0;
    }
    if (!lastSent_) {
        PutText(response, kNoLinkServer);
        return 0;
    }
    return static_cast<int>(sink.used);
}

}  // namespace r88
