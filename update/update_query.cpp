#include "update/update_query.h"

#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace r88 {

namespace {
constexpr unsigned kMaxResponseDepth = 16;

// A string member, or the text of a number; anything else reads as "".
std::string TextOf(const Json::Value& object, const char* key) {
    const Json::Value& v = object[key];
    if (v.isString()) return v.asString();
    if (v.isIntegral() || v.isDouble()) return v.asString();
    return {};
}

bool ParseObject(const char* text, Json::Value& out) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["stackLimit"] = kMaxResponseDepth;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    const char* end = text + std::strlen(text);
    if (!reader->parse(text, end, &out, &errors)) return false;
    return out.isObject();
}
}  // namespace

std::string UpdateQueryUrl(const std::string& baseUrl) {
    std::string url = baseUrl;
    if (url.empty() || url.back() != '/') url.push_back('/');
    return url + "api/" + "updates";
}

std::string UpdateRequestBody(const UpdateTarget& target) {
    char version[32];
    std::snprintf(version, sizeof version, target.versionFormat == 0 ? "&version=%d" : "&version=%x",
                  target.currentVersion);
    return "app_key=" + target.appKey + version;
}

UpdateInfo QueryUpdate(const UpdateTarget& target, const std::string& baseUrl, CWebClient& client) {
    UpdateInfo info;
    const std::string body = UpdateRequestBody(target);
    std::vector<char> buffer(kUpdateResponseBufferSize, '\0');
    // The body goes with its terminating zero.
    const int received =
        client.WebRequest("POST", UpdateQueryUrl(baseUrl), body.c_str(), body.size() + 1, buffer, false);
    if (received <= 0) info.name = buffer.data();

    Json::Value root;
    if (!ParseObject(buffer.data(), root)) return info;

    const bool firmware = target.versionFormat != 0;
    info.downloadPath = TextOf(root, "path");
    info.name = TextOf(root, "name");
    info.versionName = TextOf(root, "version_name");
    const std::string version = TextOf(root, "version");
    info.newVersionText = "V" + version;
    info.deviceId = root["device_id"].isInt() ? root["device_id"].asInt() : 0;

    // strtoul would turn a leading '-' into a huge number.
    const unsigned long newVersion =
        version.starts_with('-') ? 0ul : std::strtoul(version.c_str(), nullptr, firmware ? 16 : 10);
    info.currentVersionText = CurrentVersionText(target);
    if (!firmware) info.newVersionText = info.versionName;
    const unsigned long current =
        target.currentVersion < 0 ? 0ul : static_cast<unsigned long>(target.currentVersion);
    info.status = current < newVersion ? update_status::kAvailable : update_status::kUpToDate;
    return info;
}

}  // namespace r88
