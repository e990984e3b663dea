#include "profile/qt/profile_bar_commands.h"

#include <optional>

#include "profile/device_profile_list.h"
#include "profile/profile_tabs.h"
#include "profile/qt/device_profile_ui.h"
#include "ui/dialogs.h"

namespace r88 {

namespace {

constexpr int kMessageDpi = 96;

bool Is(const QString& name, const char* candidate) {
    return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
}

int Show(ui::IDialogs& dialogs, QWidget* owner, const char* textId, int buttons) {
    return dialogs.ShowMessage(owner, QString(), QString::fromLatin1(textId), kMessageDpi, true, buttons);
}

void ShowOutcome(ui::IDialogs& dialogs, QWidget* owner, const ProfileOutcome& outcome) {
    if (!outcome.message.empty()) Show(dialogs, owner, outcome.message.c_str(), ui::kConfirmOnly);
}

bool Confirmed(ui::IDialogs& dialogs, QWidget* owner, const char* textId) {
    return Show(dialogs, owner, textId, ui::kConfirmCancel) == 1;
}

}  // namespace

bool HandleProfileBarClick(CDeviceProfileUI& bar, ui::IDialogs& dialogs, QWidget* owner,
                           const QString& controlName) {
    using namespace profile_bar;
    const bool hasProfile = bar.GetCurrentIndex() >= 0;
    if (Is(controlName, kAddButton)) {
        bar.NewProfile();
    } else if (Is(controlName, kDeleteButton)) {
        bar.DeleteProfile();
    } else if (Is(controlName, kCopyButton)) {
        bar.CopyProfile();
    } else if (Is(controlName, kExportButton)) {
        if (!hasProfile) return true;
        const std::optional<QString> path = dialogs.SaveFile(owner, ui::kProfileFilter);
        if (path) bar.ExportProfile(*path);  // a cancelled dialog ends it quietly
    } else if (Is(controlName, kImportButton)) {
        if (!hasProfile) return true;
        const std::optional<QString> path = dialogs.OpenFile(owner, ui::kProfileFilter);
        if (path) ShowOutcome(dialogs, owner, bar.ImportProfile(*path));
    } else if (Is(controlName, kResetButton)) {
        if (hasProfile && Confirmed(dialogs, owner, kTextConfirmReset)) bar.ResetProfile();
    } else if (Is(controlName, kDefaultButton)) {
        if (hasProfile && Confirmed(dialogs, owner, kTextConfirmReset)) bar.RestoreDefaults();
    } else if (Is(controlName, kRenameButton)) {
        const QString name = bar.GetNameEditText();
        if (!name.trimmed().isEmpty()) ShowOutcome(dialogs, owner, bar.RenameProfile(name));
    } else if (Is(controlName, kSpreadButton)) {
        bar.ShowMenu(!bar.IsMenuVisible());
    } else {
        return false;
    }
    return true;
}

bool HandleProfileBarItemSelect(CDeviceProfileUI& bar, const QString& controlName) {
    if (!Is(controlName, profile_bar::kCombo)) return false;
    bar.SelectAndLoad(bar.GetCurrentIndex());
    return true;
}

int FunctionTabNumber(const QString& controlName) {
    for (int n = 1; n <= static_cast<int>(kFunctionTabs.size()); ++n)
        if (Is(controlName, FunctionTabName(n))) return n;
    return 0;
}

}  // namespace r88
