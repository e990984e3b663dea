#pragma once
// "updatetime.config" in the application data root: the date of the last
// update check, {"updatelasttime": {"value": "2026-5-1"}}. It is only shown.
#include <string>

namespace r88 {

// <application data root>updatetime.config
std::string UpdateTimeConfigPath();

// "%d-%d-%d" of the local date (no zero padding).
std::string TodayText();

// The stored date, or "" when the file, the key or a string value is missing.
std::string ReadLastCheckDate(const std::string& path);
// 0 when written.
int WriteLastCheckDate(const std::string& path, const std::string& date);

}  // namespace r88
