#pragma once
// Reading and writing the JSON files of the application, the time identifier
// that names profiles and macros, and the data folders.
//
// Every file is read whole and written whole. A write goes to a temporary
// file in the target's folder, is flushed to disk and then renamed over the
// target, so a crash or a full disk leaves either the old or the new file,
// never a half-written one.
#include <json/json.h>

#include <cstddef>
#include <functional>
#include <string>

namespace r88 {

class CJsonFile {
public:
    // Files larger than this are not read (a profile document is a few
    // hundred kilobytes at most).
    static constexpr std::size_t kMaxFileSize = 8u * 1024u * 1024u;
    // Deepest nesting of arrays and objects the reader accepts.
    static constexpr unsigned kMaxDepth = 64;

    // "%d_%02d_%02d_%02d_%02d_%02d_%03d" of the local time. Identifiers made
    // by one process never repeat: when the clock has not moved on since the
    // previous identifier (or went back), the next millisecond is used.
    std::string MakeTimeId() const;

    // The whole file (up to its first zero byte), or "" when it is missing,
    // not a regular file, larger than kMaxFileSize or cannot be read whole.
    std::string ReadText(const std::string& path) const;

    // 0 when the file was written, 1 when it was not (the old file, if any,
    // is then unchanged).
    int WriteJson(const std::string& path, const Json::Value& value) const;

    // The parsed document, or null (missing, empty, too large, too deep or
    // not JSON). Comments are collected.
    Json::Value ReadJson(const std::string& path) const;

    // The styled text WriteJson puts in a file.
    static std::string StyledText(const Json::Value& value);

    // Called by WriteJson after the temporary file is complete and flushed and
    // before it is renamed over the target. Returning false abandons the write
    // (the temporary file is removed, the target stays as it was). Meant for
    // tests that simulate a crash or a full disk; empty by default.
    using WriteStepHook = std::function<bool(const std::string& tempPath)>;
    static WriteStepHook SetWriteStepHook(WriteStepHook hook);
};

// Data folders. Each returned folder ends with '/' and is created (with its
// parents) when its path is built; a folder that cannot be created is not
// reported, the file operations in it fail instead.

// <local application data>/VANTIRO  R88 Gaming Keyboard/
std::string AppDataFolder();
// <application data root><device folder name>/ ; "" when the name is not a
// plain file name.
std::string DeviceDataFolder(const std::string& deviceFolderName);
// <program folder>DefaultData/ : the factory documents.
std::string DefaultDataFolder();
// <default data folder><device folder name>.Json
std::string DefaultDocumentPath(const std::string& deviceFolderName);
// <temporary folder>UpdateData/ : downloaded update installers.
std::string UpdateDownloadFolder();

}  // namespace r88
