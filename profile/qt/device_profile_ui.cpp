#include "profile/qt/device_profile_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSize>
#include <QStringList>

#include "profile/profile_tabs.h"
#include "ui/find_control.h"
#include "ui/notify.h"

namespace r88 {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CDeviceProfileUI::CDeviceProfileUI(QWidget* parent) : QWidget(parent) {
    // The skin's style sheet paints the bar's background and frame.
    setAttribute(Qt::WA_StyledBackground, true);
}

template <class T>
T* CDeviceProfileUI::Control(QPointer<T>& slot, const char* name) {
    // Looked up on first use, after the layout has built the children; a
    // control the layout lacks stays nullptr and is looked for again later.
    if (slot.isNull()) slot = ui::FindControl<T>(this, QString::fromLatin1(name));
    return slot.data();
}

QComboBox* CDeviceProfileUI::Combo() { return Control(combo_, profile_bar::kCombo); }
QLineEdit* CDeviceProfileUI::NameEdit() { return Control(nameEdit_, profile_bar::kNameEdit); }
QWidget* CDeviceProfileUI::Menu() { return Control(menu_, profile_bar::kMenu); }
QAbstractButton* CDeviceProfileUI::Tab(std::size_t i) { return Control(tabs_[i], kFunctionTabs[i]); }

void CDeviceProfileUI::Init() {
    list_.Init();
    ShowList();
    ShowTabsOfKind();
}

void CDeviceProfileUI::ShowList() {
    QComboBox* combo = Combo();
    if (combo == nullptr) return;
    QStringList names;
    for (const std::string& name : list_.Names()) names << FromUtf8(name);
    bool same = combo->count() == names.size();
    for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i) == names[i];
    if (!same) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (const QString& text : names) {
            combo->addItem(text);
            const int i = combo->count() - 1;
            combo->setItemData(i, text, Qt::ToolTipRole);
            combo->setItemData(i, QSize(0, profile_bar::kItemHeight), Qt::SizeHintRole);
        }
    }
    ShowCurrent(list_.GetCurrentIndex());
}

void CDeviceProfileUI::ShowCurrent(int index) {
    QComboBox* combo = Combo();
    if (combo == nullptr) return;
    {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    }
    SetNameEditText(combo->itemText(index));
}

void CDeviceProfileUI::ShowTabsOfKind() {
    const FunctionTabRule* rule = list_.GetTabRule();
    if (rule == nullptr) return;  // the layout's visibility stays
    auto show = [this](const char* name, bool visible) {
        for (std::size_t i = 0; i < kFunctionTabs.size(); ++i)
            if (name != nullptr && qstrcmp(kFunctionTabs[i], name) == 0)
                if (QAbstractButton* tab = Tab(i)) tab->setHidden(!visible);
    };
    for (const char* name : rule->shown) show(name, true);
    for (const char* name : rule->hidden) show(name, false);
}

void CDeviceProfileUI::Select(int index, bool announce) {
    QComboBox* combo = Combo();
    if (combo == nullptr || index < 0 || index >= combo->count()) return;
    if (!announce) {
        list_.Select(index, false);
        ShowList();
        return;
    }
    // The device is pointed at the profile only when the window's reaction
    // (SelectAndLoad) loads it; without one the drop-down goes back.
    ShowCurrent(index);
    loadDue_ = true;
    ui::SendNotify(combo, ui::event::kItemSelect, static_cast<uintptr_t>(index));
    if (loadDue_) {
        loadDue_ = false;
        ShowCurrent(list_.GetCurrentIndex());
    }
}

ProfileOutcome CDeviceProfileUI::SelectAndLoad(int index) {
    QComboBox* combo = Combo();
    if (combo == nullptr || index < 0 || index >= combo->count()) return {};
    // Choosing the profile that is current already changes nothing (the
    // drop-down reports a choice even when it did not change), unless the
    // choice was announced by Select and is still to be loaded.
    const bool due = loadDue_ || index != list_.GetCurrentIndex();
    loadDue_ = false;
    if (!due) {
        ShowCurrent(index);
        return {};
    }
    // The drop-down then shows what is current: the chosen profile, or the
    // previous one when the chosen one could not be loaded.
    return Shown(list_.Select(index, true));
}

int CDeviceProfileUI::GetCurrentIndex() {
    QComboBox* combo = Combo();
    return combo != nullptr ? combo->currentIndex() : -1;
}

QString CDeviceProfileUI::GetNameEditText() {
    QLineEdit* edit = NameEdit();
    return edit != nullptr ? edit->text() : QString();
}

void CDeviceProfileUI::SetNameEditText(const QString& text) {
    QLineEdit* edit = NameEdit();
    if (edit == nullptr) return;
    const QSignalBlocker block(edit);
    edit->setText(text);
}

ProfileOutcome CDeviceProfileUI::Shown(ProfileOutcome outcome) {
    // Also when nothing took effect: the list was read again and may hold
    // what another process changed.
    ShowList();
    return outcome;
}

ProfileOutcome CDeviceProfileUI::NewProfile() {
    if (Combo() == nullptr) return {};
    return Shown(list_.NewProfile());
}

ProfileOutcome CDeviceProfileUI::CopyProfile() {
    if (Combo() == nullptr) return {};
    return Shown(list_.CopyProfile());
}

ProfileOutcome CDeviceProfileUI::RenameProfile(const QString& name) {
    // Blanks around a name are dropped; a name of blanks only is no name.
    const QString trimmed = name.trimmed();
    if (Combo() == nullptr || trimmed.isEmpty()) return {};
    return Shown(list_.RenameProfile(trimmed.toStdString()));
}

ProfileOutcome CDeviceProfileUI::DeleteProfile() {
    if (Combo() == nullptr) return {};
    return Shown(list_.DeleteProfile());
}

ProfileOutcome CDeviceProfileUI::ResetProfile() {
    if (Combo() == nullptr) return {};
    return Shown(list_.ResetProfile());
}

ProfileOutcome CDeviceProfileUI::RestoreDefaults() {
    if (Combo() == nullptr) return {};
    return Shown(list_.RestoreDefaults());
}

ProfileOutcome CDeviceProfileUI::ImportProfile(const QString& path) {
    if (Combo() == nullptr || path.isEmpty()) return {};
    return Shown(list_.ImportProfile(LocalPath(path)));
}

ProfileOutcome CDeviceProfileUI::ExportProfile(const QString& path) {
    if (Combo() == nullptr || path.isEmpty()) return {};
    return list_.ExportProfile(LocalPath(path));
}

void CDeviceProfileUI::ShowMenu(bool show) {
    QWidget* menu = Menu();
    if (menu == nullptr) return;
    menu->setHidden(!show);
    QAbstractButton* spread = Control(spreadButton_, profile_bar::kSpreadButton);
    if (spread != nullptr && spread->isCheckable()) {
        const QSignalBlocker block(spread);
        spread->setChecked(show);
    }
}

bool CDeviceProfileUI::IsMenuVisible() {
    QWidget* menu = Menu();
    return menu != nullptr && !menu->isHidden();
}

void CDeviceProfileUI::SelectTab(int n) {
    std::array<QAbstractButton*, kFunctionTabs.size()> tabs{};
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        tabs[i] = Tab(i);
        if (tabs[i] == nullptr) return;
    }
    // Clear first: an exclusive tab refuses to be cleared, so its exclusivity
    // is lifted for the moment.
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        QAbstractButton* tab = tabs[i];
        if (static_cast<int>(i) + 1 == n || !tab->isChecked()) continue;
        const QSignalBlocker block(tab);
        const bool exclusive = tab->autoExclusive();
        tab->setAutoExclusive(false);
        tab->setChecked(false);
        tab->setAutoExclusive(exclusive);
    }
    if (n >= 1 && n <= static_cast<int>(tabs.size())) {
        QAbstractButton* tab = tabs[static_cast<std::size_t>(n - 1)];
        const QSignalBlocker block(tab);
        tab->setCheckable(true);
        tab->setChecked(true);
    }
}

int CDeviceProfileUI::GetSelectedTab() {
    for (std::size_t i = 0; i < kFunctionTabs.size(); ++i) {
        QAbstractButton* tab = Tab(i);
        if (tab != nullptr && tab->isChecked()) return static_cast<int>(i) + 1;
    }
    return 0;
}

}  // namespace r88
