#include "ui/language_config.h"

#include <json/json.h>

#include <fstream>
#include <sstream>

#include "platform/trace.h"

namespace r88 {

namespace {
constexpr std::streamsize kMaxConfigBytes = 1 << 20;
}

std::vector<LanguageEntry> ReadLanguageConfig(const std::string& path) {
    std::vector<LanguageEntry> entries;
    std::ifstream in(path, std::ios::binary);
    if (!in) return entries;
    std::string text(static_cast<size_t>(kMaxConfigBytes) + 1, '\0');
    in.read(text.data(), kMaxConfigBytes + 1);
    if (in.gcount() > kMaxConfigBytes) {
        TraceF("Language.config too large: %s", path.c_str());
        return entries;
    }
    text.resize(static_cast<size_t>(in.gcount()));

    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["stackLimit"] = 64;
    Json::Value root;
    std::string errors;
    std::istringstream stream(text);
    if (!Json::parseFromStream(builder, stream, &root, &errors) || !root.isObject()) {
        TraceF("Language.config unreadable: %s", errors.c_str());
        return entries;
    }
    const Json::Value& list = root["Language"];
    if (!list.isArray()) return entries;
    for (const Json::Value& item : list) {
        LanguageEntry e;  // a malformed entry stays empty so later indexes keep their place
        if (!item.isObject()) {
            entries.push_back(std::move(e));
            continue;
        }
        if (item["Language_ID"].isInt()) e.id = item["Language_ID"].asInt();
        if (item["Language_name"].isString()) e.name = item["Language_name"].asString();
        if (item["Language_file"].isString()) e.file = item["Language_file"].asString();
        if (item["Language_text"].isString()) e.text = item["Language_text"].asString();
        entries.push_back(std::move(e));
    }
    return entries;
}

std::optional<int> LanguageIndexOfId(const std::vector<LanguageEntry>& entries, int id) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].id == id) return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace r88
