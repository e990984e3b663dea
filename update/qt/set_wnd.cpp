#include "update/qt/set_wnd.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/autostart.h"
#include "platform/trace.h"
#include "profile/text_case.h"
#include "ui/controls/update_info_list_item_ui.h"
#include "ui/dialogs.h"
#include "ui/dpi.h"
#include "ui/find_control.h"
#include "ui/font_set.h"
#include "ui/language_config.h"
#include "ui/language_settings.h"
#include "ui/message_bridge.h"
#include "ui/msg_wnd.h"
#include "ui/skin_loader.h"
#include "ui/skin_resources.h"
#include "ui/texts.h"
#include "ui/window_caption.h"
#include "update/update_download.h"
#include "update/update_query.h"
#include "update/update_time_config.h"

namespace r88 {

namespace {
const QString kRowLayout = QStringLiteral("XML/CustomControlXML/device_Update_list_item.ui");
const QString kList = QStringLiteral("device_update_list_info");
const QString kTabs = QStringLiteral("get_update_tab_layout");
const QString kUpdateButton = QStringLiteral("update_fw_and_ap");
const QString kTick = QStringLiteral("check_name_select");

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool InUpdate(int status) {
    return status == 0 || status == 3 || status == 4 || status == 5 || status == 6;
}

// The application's file goes to the desktop, which passes a package to the
// user's installer; a firmware file has no flashing tool here, so the user
// is told where it is.
void DefaultHandOver(QWidget* owner, const UpdateInfo& row, bool application, const QString& path) {
    if (application) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return;
    }
    const QString text = ui::TextOf(QStringLiteral("FirmwareSavedText")).arg(Q(row.name), path);
    ui::CMsgWnd::ShowMessage(owner, QString(), text, ui::CToolkitDpi::Current(), false, ui::kConfirmOnly);
}
}  // namespace

CSetWnd::CSetWnd(QWidget* owner) : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SetWnd"));
    setWindowTitle(QStringLiteral("SetWnd"));
    bridge_ = std::make_unique<ui::CMessageBridge>(
        [this](unsigned msg, uintptr_t w, intptr_t l) { return HandleMessage(msg, w, l); }, this);
    handOver_ = [this](const UpdateInfo& row, bool application, const QString& path) {
        DefaultHandOver(this, row, application, path);
    };
}

CSetWnd::~CSetWnd() {
    bridge_->Close();
    if (client_) client_->Cancel();
    if (downloader_) downloader_->Cancel();
    checkWorker_.StopAndWait();
    downloadWorker_.StopAndWait();
}

void CSetWnd::SetTargets(std::vector<UpdateTarget> targets) {
    targets_.clear();
    for (UpdateTarget& t : targets)
        if (t.currentVersion != 0) targets_.push_back(std::move(t));
}

void CSetWnd::SetOwner(IMessageSink* owner, int languageIndex) {
    owner_ = owner;
    language_ = languageIndex;
}

void CSetWnd::SetDpi(int dpi) {
    dpi_ = ui::CToolkitDpi::Checked(dpi, "SET_WND DPI SET ERROR");
}

IMessageSink& CSetWnd::Messages() {
    return *bridge_;
}

IMessageSink& CSetWnd::OwnerSink() {
    return owner_ != nullptr ? *owner_ : *bridge_;
}

bool CSetWnd::Build() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ui::CSkinLoader loader;
    content_ = loader.LoadLayout(QStringLiteral("XML_SET"), this);
    if (content_ == nullptr) {
        TraceF("%s", loader.Error().toUtf8().constData());
        return false;
    }
    layout->addWidget(content_);
    const QString style = ui::CSkinResources::Instance().StyleSheet();
    if (!style.isEmpty()) setStyleSheet(style);
    new ui::CNotifyDispatcher(this, this);
    ui::CWindowCaption::Install(this);
    ui::CFontSet::Instance().ApplyTo(this);
    resize(kSize);
    ui::CNotifyDispatcher::For(this)->Send(ui::event::kWindowInit, this);
    return true;
}

void CSetWnd::OnInit() {
    if (auto* combo = ui::FindControl<QComboBox>(this, QStringLiteral("Language_combox_info"))) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (const LanguageEntry& e : ReadLanguageConfig(ui::LanguageConfigPath().toStdString()))
            combo->addItem(Q(e.text));
        if (language_ >= 0 && language_ < combo->count()) combo->setCurrentIndex(language_);
    }
    if (auto* launch = ui::FindControl<QAbstractButton>(this, QStringLiteral("device_launch_app"))) {
        const QSignalBlocker block(launch);
        launch->setChecked(AutostartEnabled());
    }
    const std::string datePath = UpdateTimeConfigPath();
    std::string date = ReadLastCheckDate(datePath);
    if (date.empty()) {
        date = TodayText();
        WriteLastCheckDate(datePath, date);
    }
    lastCheckDate_ = Q(date);
    if (auto* tabs = ui::FindControl<QStackedWidget>(this, kTabs)) tabs->setCurrentIndex(0);
    SetUpdateButton(false);
    StartCheck();
}

std::string CSetWnd::DownloadFolder() const {
    if (service_.downloadFolder.empty()) return PrivateDownloadFolder();
    return EnsurePrivateFolder(service_.downloadFolder) ? service_.downloadFolder : std::string();
}

void CSetWnd::StartCheck() {
    SetWindowStatus(set_status::kChecking);
    for (std::size_t k = 0; k < targets_.size(); ++k) {
        const UpdateTarget& t = targets_[k];
        UpdateInfo row;
        row.name = t.IsApplication() ? kApplicationRowLabel : t.label;
        char text[32];
        std::snprintf(text, sizeof text, t.versionFormat != 0 ? "V%04x" : "V0%d", t.currentVersion);
        row.currentVersionText = text;
        row.status = update_status::kUpToDate;
        row.rowIndex = static_cast<int>(k);
        AddRow(row);
    }
    // No service configured, or one we will not take files from: nobody is asked.
    if (service_.baseUrl.empty() || !IsSecureServiceUrl(service_.baseUrl)) {
        if (!service_.baseUrl.empty()) statusOverride_ = QStringLiteral("UpdateUrlNotHttpsText");
        OnCheckFinished(static_cast<int>(targets_.size()));
        return;
    }
    client_ = std::make_shared<CWebClient>(service_.client);
    checkWorker_.Start(
        [this, targets = targets_, base = service_.baseUrl, client = client_](CWorkerThread& self) {
            int unreachable = 0;
            for (std::size_t k = 0; k < targets.size(); ++k) {
                if (self.WaitForStop(0)) return false;
                UpdateInfo info = QueryUpdate(targets[k], base, *client);
                const bool lost = SameNameIgnoringCase(info.name, kNoLinkServer);
                if (lost) ++unreachable;
                QMetaObject::invokeMethod(
                    this, [this, k, info, lost] { OnQueried(static_cast<int>(k), info, lost); },
                    Qt::QueuedConnection);
            }
            if (self.WaitForStop(0)) return false;
            QMetaObject::invokeMethod(
                this, [this, unreachable] { OnCheckFinished(unreachable); }, Qt::QueuedConnection);
            return false;
        },
        "update check ended", [client = client_] { client->Cancel(); });
}

void CSetWnd::OnQueried(int index, UpdateInfo info, bool unreachable) {
    if (index < 0 || static_cast<std::size_t>(index) >= targets_.size()) return;
    const UpdateTarget& t = targets_[static_cast<std::size_t>(index)];
    if (unreachable) info.name.clear();
    if (info.name.empty()) {
        info.currentVersionText = t.versionFormat != 0 ? CurrentVersionText(t) : t.versionText;
        info.newVersionText.clear();
        info.status = update_status::kUpToDate;
    }
    info.name = t.IsApplication() ? kApplicationRowLabel : t.label;
    info.rowIndex = index;
    UpdateRow(info);
}

void CSetWnd::OnCheckFinished(int unreachable) {
    bool any = false;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        ui::CUpdateInfoListItemUI* row = rowControls_[k];
        QAbstractButton* tick = row ? row->TickBox() : nullptr;
        const int status = rows_[k].status;
        const bool update = status != update_status::kUnknown && status != update_status::kUpToDate;
        if (tick != nullptr) {
            const QSignalBlocker block(tick);
            // A row with nothing to update cannot be ticked for an update.
            tick->setEnabled(update);
            tick->setChecked(update);
        }
        any = any || update;
    }
    SetUpdateButton(any);
    if (any)
        SetWindowStatus(set_status::kHaveUpdate);
    else if (unreachable >= static_cast<int>(targets_.size()))
        SetWindowStatus(set_status::kNoInformation);
    else
        SetWindowStatus(set_status::kLatest);
}

void CSetWnd::AddRow(const UpdateInfo& info) {
    QWidget* list = ui::FindControl(this, kList);
    if (list == nullptr || list->layout() == nullptr) return;
    ui::CSkinLoader loader;
    auto* row = qobject_cast<ui::CUpdateInfoListItemUI*>(loader.LoadLayout(kRowLayout, list));
    if (row == nullptr) {
        TraceF("%s", loader.Error().toUtf8().constData());
        return;
    }
    auto* box = qobject_cast<QBoxLayout*>(list->layout());
    if (box != nullptr)
        box->insertWidget(box->count() - 1, row);  // before the closing spacer
    else
        list->layout()->addWidget(row);
    if (auto* d = ui::CNotifyDispatcher::For(this)) d->Attach(row);
    ui::CFontSet::Instance().ApplyTo(row);
    rows_.push_back(info);
    rowControls_.push_back(row);
    rows_.back().rowIndex = static_cast<int>(rows_.size()) - 1;
    UpdateRow(rows_.back());
}

bool CSetWnd::UpdateRow(const UpdateInfo& info) {
    if (info.rowIndex < 0 || static_cast<std::size_t>(info.rowIndex) >= rows_.size()) return false;
    const std::size_t k = static_cast<std::size_t>(info.rowIndex);
    UpdateInfo stored = info;
    if (ui::CUpdateInfoListItemUI* row = rowControls_[k]) {
        row->setFixedHeight(ui::CUpdateInfoListItemUI::kHeight);
        if (QAbstractButton* tick = row->TickBox()) {
            tick->setText(Q(info.name));
            tick->setEnabled(info.status != update_status::kUpToDate);
        }
        ui::SetPlainText(row->Part("OldRev"), Q(info.currentVersionText));
        ui::SetPlainText(row->Part("updateRev"),
                         info.status == update_status::kUpToDate ? QString() : Q(info.newVersionText));
        row->SetStatus(info.status);
        row->setToolTip(Q(info.downloadPath));
    }
    const std::string file = DownloadFileName(info.downloadPath);
    stored.localFile = file.empty() ? std::string() : DownloadFolder() + file;
    rows_[k] = stored;
    WriteLastCheckDate(UpdateTimeConfigPath(), TodayText());
    return true;
}

ui::CUpdateInfoListItemUI* CSetWnd::RowControl(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= rowControls_.size()) return nullptr;
    return rowControls_[static_cast<std::size_t>(index)];
}

bool CSetWnd::Checking() const {
    return checkWorker_.Running();
}

bool CSetWnd::Downloading() const {
    return currentRow_ >= 0;
}

bool CSetWnd::InUpdateState() const {
    for (const UpdateInfo& r : rows_)
        if (InUpdate(r.status)) return true;
    return false;
}

void CSetWnd::SetWindowStatus(int status) {
    windowStatus_ = status;
    if (QWidget* ring = ui::FindControl(this, QStringLiteral("update_status_ring")))
        ring->setVisible(status == 0);
    if (auto* image = ui::FindControl<QLabel>(this, QStringLiteral("update_status_image"))) {
        image->setVisible(status != 0);
        static const char16_t* const kMarks[] = {u"", u"\u2191", u"!", u"\u2193", u"\u2713"};
        if (status >= 0 && status <= 4) image->setText(QString::fromUtf16(kMarks[status]));
    }
    ShowStatusText();
    if (status == set_status::kLatest) OwnerSink().SendMessage(kMsgClearUpdateBadge, 0, 0);
}

void CSetWnd::ShowStatusText() {
    auto* text = ui::FindControl<QLabel>(this, QStringLiteral("Update_Status_text"));
    if (text == nullptr) return;
    switch (windowStatus_) {
        case set_status::kChecking:
            ui::SetTextId(text, QStringLiteral("GetUpdateInfoText"));
            break;
        case set_status::kHaveUpdate:
            ui::SetTextId(text, QStringLiteral("HaveUpdateInfoText"));
            break;
        case set_status::kNoInformation:
            ui::SetTextId(text,
                          statusOverride_.isEmpty() ? QStringLiteral("NoUpdateInfoText") : statusOverride_);
            break;
        case set_status::kUpdating:
            ui::SetTextId(text, QStringLiteral("ISUpdateINGText"));
            break;
        case set_status::kLatest:
            ui::SetPlainText(text, ui::TextOf(QStringLiteral("UpdateIsLastText")) + lastCheckDate_);
            break;
        default:
            break;
    }
}

void CSetWnd::SetUpdateButton(bool on) {
    if (QWidget* b = ui::FindControl(this, kUpdateButton)) {
        b->setEnabled(on);
        b->setVisible(on);
    }
}

void CSetWnd::Notify(const ui::Notification& n) {
    const QString name = n.SenderName();
    if (n.type == ui::event::kWindowInit) {
        OnInit();
    } else if (n.type == ui::event::kClick) {
        if (name == QLatin1String("closebtn") || name == QLatin1String("laterbtn")) {
            close();  // the close rules decide
        } else if (name == QLatin1String("minbtn")) {
            showMinimized();
        } else if (name == QLatin1String("maxbtn") || name == QLatin1String("restorebtn")) {
            const bool max = name == QLatin1String("maxbtn");
            if (max)
                showMaximized();
            else
                showNormal();
            if (QWidget* b = ui::FindControl(this, QStringLiteral("maxbtn"))) b->setVisible(!max);
            if (QWidget* b = ui::FindControl(this, QStringLiteral("restorebtn"))) b->setVisible(max);
        } else if (name == QLatin1String("set_in_update_wnd_btn")) {
            if (QWidget* hint = ui::FindControl(this, QStringLiteral("update_tishi_layout"))) hint->hide();
            resize(kDetailSize);
        } else if (name == kUpdateButton) {
            if (auto* tabs = ui::FindControl<QStackedWidget>(this, kTabs)) tabs->setCurrentIndex(1);
        } else if (name == QLatin1String("update_back_btn")) {
            if (auto* tabs = ui::FindControl<QStackedWidget>(this, kTabs)) tabs->setCurrentIndex(0);
        } else if (name == QLatin1String("update_OK_btn")) {
            OnConfirm();
        }
    } else if (n.type == ui::event::kSelectChanged) {
        if (name == kTick) {
            OnTickChanged();
        } else if (name == QLatin1String("device_launch_app")) {
            auto* launch = qobject_cast<QAbstractButton*>(n.sender);
            if (launch != nullptr && launch->isChecked())
                EnableAutostart(RunningProgramPath());
            else if (launch != nullptr)
                DisableAutostart();
        }
    } else if (n.type == ui::event::kItemSelect) {
        if (name == QLatin1String("Language_combox_info")) {
            if (auto* combo = qobject_cast<QComboBox*>(n.sender)) {
                language_ = combo->currentIndex();
                OwnerSink().SendMessage(kMsgLanguageChanged, static_cast<uintptr_t>(language_), 0);
            }
        }
    }
}

void CSetWnd::OnTickChanged() {
    bool any = false;
    for (const auto& row : rowControls_)
        if (row && row->TickBox() && row->TickBox()->isChecked()) any = true;
    SetUpdateButton(any && !Downloading());
}

void CSetWnd::OnConfirm() {
    bool queued = false;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        UpdateInfo& info = rows_[k];
        // A row that failed may be tried again.
        if (info.status != update_status::kAvailable && info.status != update_status::kAvailableToo &&
            info.status != update_status::kFailed)
            continue;
        ui::CUpdateInfoListItemUI* row = rowControls_[k];
        QAbstractButton* tick = row ? row->TickBox() : nullptr;
        if (tick != nullptr && tick->isChecked()) {
            info.status = update_status::kQueued;
            row->SetStatus(info.status);
            tick->setEnabled(false);  // the queue is fixed once confirmed
            queued = true;
        } else if (tick != nullptr) {
            tick->setEnabled(true);
        }
    }
    if (QWidget* b = ui::FindControl(this, kUpdateButton)) b->setEnabled(false);
    if (queued) SetUpdateButton(false);  // nothing more to confirm until the queue is done
    if (auto* tabs = ui::FindControl<QStackedWidget>(this, kTabs)) tabs->setCurrentIndex(0);
    if (queued && !Downloading()) {
        SetWindowStatus(set_status::kUpdating);
        StartNextDownload();
    }
}

void CSetWnd::StartNextDownload() {
    currentRow_ = -1;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        if (rows_[k].status == update_status::kQueued) {
            currentRow_ = static_cast<int>(k);
            break;
        }
    }
    if (currentRow_ < 0) {
        FinishUpdates();
        return;
    }
    UpdateInfo& info = rows_[static_cast<std::size_t>(currentRow_)];
    info.status = update_status::kUpdating;
    if (ui::CUpdateInfoListItemUI* row = rowControls_[static_cast<std::size_t>(currentRow_)]) {
        row->SetStatus(info.status);
        row->SetProgress(0);
    }
    IMessageSink* sink = &OwnerSink();
    DownloadRequest request{info.downloadPath, service_.baseUrl, DownloadFolder(), service_.maxDownloadBytes};
    if (request.folder.empty()) {
        sink->PostMessage(kMsgUpdateProgress, 3, 0);
        return;
    }
    downloader_ = std::make_shared<CUpdateDownloader>(service_.client);
    const int rowIndex = currentRow_;
    downloadWorker_.Start(
        [this, request, sink, rowIndex, downloader = downloader_](CWorkerThread&) {
            std::string path;
            const DownloadResult result = downloader->Download(
                request, [sink](int percent) { sink->PostMessage(kMsgUpdateProgress, 4, percent); }, path);
            if (result == DownloadResult::kDone) {
                QMetaObject::invokeMethod(
                    this, [this, rowIndex, p = QString::fromStdString(path)] { OnDownloaded(rowIndex, p); },
                    Qt::QueuedConnection);
                sink->PostMessage(kMsgUpdateProgress, 1, 0);
            } else if (result != DownloadResult::kCancelled) {
                sink->PostMessage(kMsgUpdateProgress, result == DownloadResult::kFile ? 3 : 2, 0);
            }
            return false;
        },
        "update download ended", [downloader = downloader_] { downloader->Cancel(); });
}

void CSetWnd::OnDownloaded(int row, QString path) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    UpdateInfo& info = rows_[static_cast<std::size_t>(row)];
    info.localFile = path.toStdString();
    const bool application = static_cast<std::size_t>(row) < targets_.size() &&
                             targets_[static_cast<std::size_t>(row)].IsApplication();
    if (handOver_) handOver_(info, application, path);
}

intptr_t CSetWnd::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    switch (msg) {
        case kMsgLanguageChanged:
            ui::ResolveTexts(this);
            if (windowStatus_ == set_status::kLatest) ShowStatusText();
            update();
            return 0;
        case kMsgUpdateProgress:
            OnProgress(wParam, lParam);
            return 0;
        case kMsgDpiChanged:
            SetDpi(static_cast<int>(wParam));
            return 0;
        default:
            return 0;
    }
}

void CSetWnd::OnProgress(uintptr_t code, intptr_t percent) {
    if (currentRow_ < 0 || static_cast<std::size_t>(currentRow_) >= rows_.size()) return;
    const std::size_t k = static_cast<std::size_t>(currentRow_);
    UpdateInfo& info = rows_[k];
    ui::CUpdateInfoListItemUI* row = rowControls_[k];
    if (code == 4) {
        if (row) row->SetProgress(static_cast<int>(percent));
        return;
    }
    if (code == 1) {
        info.currentVersionText = info.newVersionText;
        info.newVersionText.clear();
        info.status = update_status::kUpToDate;
        if (row) {
            if (QLabel* old = row->Part("OldRev")) ui::SetPlainText(old, Q(info.currentVersionText));
            ui::SetPlainText(row->Part("updateRev"), QString());
            row->SetStatus(info.status);
            if (QAbstractButton* tick = row->TickBox()) {
                const QSignalBlocker block(tick);
                tick->setChecked(false);
                tick->setEnabled(false);
            }
        }
    } else if (code == 2 || code == 3) {
        info.status = update_status::kFailed;
        if (row) row->SetStatus(info.status);
    } else {
        return;
    }
    OwnerSink().SendMessage(kMsgUpdateRowDone, 0, 0);
    StartNextDownload();
}

void CSetWnd::FinishUpdates() {
    currentRow_ = -1;
    bool any = false;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        if (rows_[k].status == update_status::kUpToDate) continue;
        any = true;
        if (ui::CUpdateInfoListItemUI* row = rowControls_[k])
            if (QAbstractButton* tick = row->TickBox()) tick->setEnabled(true);
    }
    SetWindowStatus(any ? set_status::kHaveUpdate : set_status::kLatest);
    OnTickChanged();
}

void CSetWnd::StopThreads() {
    checkWorker_.Stop();
    downloadWorker_.Stop();
}

void CSetWnd::closeEvent(QCloseEvent* e) {
    // Not while a row is queued or being updated.
    if (InUpdateState()) {
        e->ignore();
        return;
    }
    StopThreads();
    e->accept();
}

}  // namespace r88
