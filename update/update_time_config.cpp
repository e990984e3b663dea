#include "update/update_time_config.h"

#include <ctime>

#include "profile/json_file.h"

namespace r88 {

std::string UpdateTimeConfigPath() {
    return AppDataFolder() + "updatetime.config";
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::to_string(local.tm_year + 1900) + "-" + std::to_string(local.tm_mon + 1) + "-" +
           std::to_string(local.tm_mday);
}

std::string ReadLastCheckDate(const std::string& path) {
    const Json::Value root = CJsonFile().ReadJson(path);
    if (!root.isObject()) return {};
    const Json::Value& last = root["updatelasttime"];
    if (!last.isObject() || !last["value"].isString()) return {};
    return last["value"].asString();
}

int WriteLastCheckDate(const std::string& path, const std::string& date) {
    Json::Value root(Json::objectValue);
    root["updatelasttime"]["value"] = date;
    return CJsonFile().WriteJson(path, root);
}

}  // namespace r88
