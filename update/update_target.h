#pragma once
// What can be updated (the application and the firmware of each device
// model) and what one update query found out about it.
#include <string>
#include <string_view>
#include <vector>

namespace r88 {

struct UpdateTarget {
    int versionFormat = 0;   // 0: decimal (the application); else 16-bit hexadecimal (firmware)
    int targetType = 0;      // a small number per row; the query does not use it
    int currentVersion = 0;  // installed now; 0: unknown, and the row is skipped
    std::string appKey;      // the application's key at the update service
    std::string modelCode;   // device model code, "ALL" for the application
    std::string productName;
    std::string label;        // the text shown for the row
    std::string versionText;  // fixed version text of the row, "V0103"

    bool IsApplication() const;
};

// Row status values, as the settings window shows them.
namespace update_status {
inline constexpr int kUnknown = 0;
inline constexpr int kAvailable = 1;
inline constexpr int kAvailableToo = 2;
inline constexpr int kQueued = 3;
inline constexpr int kUpdating = 4;
inline constexpr int kUpdated = 5;
inline constexpr int kUpdatingToo = 6;
inline constexpr int kUpToDate = 7;
inline constexpr int kFailed = 8;
}  // namespace update_status

struct UpdateInfo {
    int status = update_status::kUnknown;
    int deviceId = 0;                // "device_id" of the response
    std::string name;                // the row's label; "NO_LINK_SERVER" when unreachable
    std::string currentVersionText;  // "V%04x" (firmware) or "V%d" (application)
    std::string versionName;         // "version_name"
    std::string newVersionText;      // firmware "V" + "version"; application: the version name
    std::string downloadPath;        // "path": where the update file is
    std::string localFile;           // where it is kept once downloaded
    int rowIndex = 0;
};

inline constexpr char kNoLinkServer[] = "NO_LINK_SERVER";
inline constexpr char kApplicationModelCode[] = "ALL";
inline constexpr char kApplicationRowLabel[] = "VANTIRO  R88 Gaming Keyboard :";
inline constexpr std::size_t kFirmwareTargetCount = 5;

// The application version as a number: the dots removed and the rest read
// as a decimal number, "1.0.3" gives 103; "" or no digits give 0.
int AppVersionNumber(std::string_view versionText);
// The version of this build.
int InstalledAppVersion();

// The six targets: five device-model rows (row k takes the firmware version
// of the k-th device in the strip) and the application row last, with its
// current version filled in. Firmware versions start at 0.
std::vector<UpdateTarget> UpdateTargetTable();

// "V%04x" of a firmware version, "V%d" of an application version.
std::string CurrentVersionText(const UpdateTarget& target);

}  // namespace r88
