#include "update/update_target.h"

#include <cstdio>

#include "platform/app_identity.h"
#include "profile/text_case.h"

namespace r88 {

namespace {
constexpr char kAppKey[] = "VRGKB";

struct Model {
    const char* code;
    const char* product;
    const char* label;
};
// Our catalogue of device models, in the order of the device strip (the
// rows of the device description table).
constexpr Model kModels[kFirmwareTargetCount] = {
    {"R88M", "R88 Gaming Mouse", "R88 Mouse :"},
    {"R88K", "R88 Gaming Keyboard", "R88 Keyboard :"},
    {"R88P", "R88 Gaming Mouse Pad", "R88 Mouse Pad :"},
    {"R88H", "R88 Gaming Headset", "R88 Headset :"},
    {"R88K5", "R88 Compact Keyboard", "R88 Compact Keyboard :"},
};
}  // namespace

bool UpdateTarget::IsApplication() const {
    return SameNameIgnoringCase(modelCode, kApplicationModelCode);
}

int AppVersionNumber(std::string_view versionText) {
    long long value = 0;
    bool any = false;
    for (char c : versionText) {
        if (c == '.') continue;
        if (c < '0' || c > '9') break;
        any = true;
        value = value * 10 + (c - '0');
        if (value > 0x7fffffff) return 0;
    }
    return any ? static_cast<int>(value) : 0;
}

int InstalledAppVersion() {
    return AppVersionNumber(kAppVersion);
}

std::vector<UpdateTarget> UpdateTargetTable() {
    std::vector<UpdateTarget> rows;
    int type = 1;
    for (const Model& m : kModels) {
        UpdateTarget t;
        t.versionFormat = 1;
        t.targetType = type++;
        t.appKey = kAppKey;
        t.modelCode = m.code;
        t.productName = m.product;
        t.label = m.label;
        t.versionText = "V0100";
        rows.push_back(t);
    }
    UpdateTarget app;
    app.versionFormat = 0;
    app.targetType = 0;
    app.currentVersion = InstalledAppVersion();
    app.appKey = kAppKey;
    app.modelCode = kApplicationModelCode;
    app.productName = kAppName;
    app.label = kApplicationRowLabel;
    app.versionText = "V0" + std::to_string(app.currentVersion);
    rows.push_back(app);
    return rows;
}

std::string CurrentVersionText(const UpdateTarget& target) {
    char text[32];
    if (target.versionFormat != 0)
        std::snprintf(text, sizeof text, "V%04x", static_cast<unsigned>(target.currentVersion) & 0xffffu);
    else
        std::snprintf(text, sizeof text, "V%d", target.currentVersion);
    return text;
}

}  // namespace r88
