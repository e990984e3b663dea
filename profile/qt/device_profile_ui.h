#pragma once
// The profile bar of a device page: the drop-down of the device's profiles,
// the name box, the collapsible profile menu with its buttons, and the page's
// function tabs. The bar owns the device's profile list and keeps the
// drop-down in step with it. The main window turns clicks on the bar's
// controls into the operations below (profile_bar_commands.h).
//
// Changes made here by code never notify; only Select(index, true) sends the
// drop-down's "itemselect" to the window, as a user's choice would.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "profile/device_profile_list.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;

namespace r88 {

// Names of the bar's controls.
namespace profile_bar {
inline constexpr char kCombo[] = "device_profile_combo";
inline constexpr char kNameEdit[] = "device_profile_name_edit";
inline constexpr char kMenu[] = "profile_menu_layout";
inline constexpr char kSpreadButton[] = "profile_fun_spread_btn";
inline constexpr char kAddButton[] = "device_add_btn";
inline constexpr char kDeleteButton[] = "device_sub_btn";
inline constexpr char kCopyButton[] = "device_copy_btn";
inline constexpr char kExportButton[] = "device_export_btn";
inline constexpr char kImportButton[] = "device_import_btn";
inline constexpr char kResetButton[] = "device_reset_btn";
inline constexpr char kRenameButton[] = "device_profile_edit_save_btn";
inline constexpr char kDefaultButton[] = "default_btn";
inline constexpr int kItemHeight = 30;  // height of a drop-down item
}  // namespace profile_bar

class CDeviceProfileUI : public QWidget {
    Q_OBJECT
public:
    explicit CDeviceProfileUI(QWidget* parent = nullptr);

    // Set-up by the device page, in this order: SetKind, SetPaths, SetDevice,
    // Init, SelectTab(1); then the device object takes GetCurrentProfileId().
    void SetKind(int kind) { list_.SetKind(kind); }
    int GetKind() const { return list_.GetKind(); }
    void SetPaths(const std::string& deviceFolder, const std::string& defaultDocumentPath) {
        list_.SetPaths(deviceFolder, defaultDocumentPath);
    }
    void SetDevice(IProfileDevice* device) { list_.SetDevice(device); }
    // Reads (or creates) the list, fills the drop-down, makes the recorded
    // profile current without loading it and shows the tabs of the kind.
    void Init();

    // Without announce (set-up): makes index current, the drop-down and the
    // name box show it, the list records it and the device object gets its
    // document paths without loading it. With announce the drop-down shows
    // index and tells the window, whose reaction is SelectAndLoad (the
    // selection flow); the device is pointed at the profile when it loads it.
    void Select(int index, bool announce);
    // The selection flow: index becomes current, the device object loads it and
    // writes it to the hardware. Nothing happens when index is current already.
    ProfileOutcome SelectAndLoad(int index);

    int GetCurrentIndex();  // the drop-down's selected item, -1 without a drop-down
    std::string GetCurrentProfileId() const { return list_.GetCurrentProfileId(); }
    QString GetNameEditText();  // "" without a name box
    void SetNameEditText(const QString& text);

    // The operations on whole profiles. Each does nothing without the
    // drop-down; when one takes effect the drop-down shows the list again and
    // the new current profile has been loaded and written to the device.
    // outcome.message is the text id of a message to show.
    ProfileOutcome NewProfile();
    ProfileOutcome CopyProfile();
    ProfileOutcome RenameProfile(const QString& name);
    ProfileOutcome DeleteProfile();
    ProfileOutcome ResetProfile();     // ask first (kTextConfirmReset)
    ProfileOutcome RestoreDefaults();  // ask first (kTextConfirmReset)
    ProfileOutcome ImportProfile(const QString& path);
    ProfileOutcome ExportProfile(const QString& path);

    // The profile menu ("profile_menu_layout"); the spread button's check
    // mark follows it.
    void ShowMenu(bool show);
    bool IsMenuVisible();

    // Selects function tab n (1 lighting .. 7 voice changer) and clears the
    // other six; any other n clears all seven. Nothing happens unless all
    // seven tabs exist.
    void SelectTab(int n);
    int GetSelectedTab();  // 1..7, 0 when none is selected

    const CDeviceProfileList& List() const { return list_; }

private:
    template <class T>
    T* Control(QPointer<T>& slot, const char* name);
    QComboBox* Combo();
    QLineEdit* NameEdit();
    QWidget* Menu();
    QAbstractButton* Tab(std::size_t i);

    void ShowList();                 // drop-down items and selection from the list
    void ShowCurrent(int index);     // drop-down selection and name box
    void ShowTabsOfKind();
    ProfileOutcome Shown(ProfileOutcome outcome);  // ShowList, then outcome

    CDeviceProfileList list_;
    QPointer<QComboBox> combo_;
    QPointer<QLineEdit> nameEdit_;
    QPointer<QWidget> menu_;
    QPointer<QAbstractButton> spreadButton_;
    std::array<QPointer<QAbstractButton>, 7> tabs_;
    bool loadDue_ = false;  // an announced selection waits for SelectAndLoad
};

}  // namespace r88
