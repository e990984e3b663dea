#include "ui/language_config.h"

#include "profile/json_file.h"

namespace r88 {

std::vector<LanguageEntry> ReadLanguageConfig(const std::string& path) {
    std::vector<LanguageEntry> entries;
    const Json::Value root = CJsonFile().ReadJson(path);  // bounded in size and depth
    if (!root.isObject()) return entries;
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
