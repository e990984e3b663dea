#pragma once
// One question to the update service: is there a newer version of this
// target? A form-encoded POST to <base URL>api/updates with the target's
// app key and current version; the JSON answer names the newest version
// and where its file is.
#include <string>

#include "update/update_target.h"
#include "update/web_request.h"

namespace r88 {

inline constexpr std::size_t kUpdateResponseBufferSize = 102400;

// <base URL>api/updates (a '/' is put after the base URL when it has none).
std::string UpdateQueryUrl(const std::string& baseUrl);

// "app_key=%s&version=%d" (application) or "...&version=%x" (firmware).
std::string UpdateRequestBody(const UpdateTarget& target);

// Sends the query (the body with its terminating zero) and reads the answer.
// Unreachable service: status 0 and name "NO_LINK_SERVER". An answer that is
// not a JSON object (an error page, a body longer than the buffer): status 0
// and an empty name. Otherwise status 1 when the service knows a newer
// version, else 7.
UpdateInfo QueryUpdate(const UpdateTarget& target, const std::string& baseUrl, CWebClient& client);

}  // namespace r88
