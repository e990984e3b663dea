#pragma once
// The settings window: start with the desktop session, the interface
// language, and the update check of the application and the connected
// devices' firmware. Opening it runs one check on a worker thread; the
// user ticks rows, confirms, and the ticked rows are downloaded one after
// the other, their progress coming back as update-progress messages.
#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "device/worker_thread.h"
#include "platform/window_messages.h"
#include "ui/notify.h"
#include "update/qt/update_service_config.h"
#include "update/update_target.h"

namespace r88 {

namespace ui {
class CMessageBridge;
class CUpdateInfoListItemUI;
}  // namespace ui
class CWebClient;
class CUpdateDownloader;

// Sent to the owner when a row's update ended (done or failed). When the
// window finds everything up to date it sends kMsgClearUpdateBadge.
inline constexpr unsigned kMsgUpdateRowDone = 3092;

// Window status values.
namespace set_status {
inline constexpr int kChecking = 0;
inline constexpr int kHaveUpdate = 1;
inline constexpr int kNoInformation = 2;
inline constexpr int kUpdating = 3;
inline constexpr int kLatest = 4;
}  // namespace set_status

class CSetWnd : public QDialog, public ui::INotifyHandler {
    Q_OBJECT
public:
    static constexpr QSize kSize{595, 380};
    static constexpr QSize kDetailSize{900, 500};

    explicit CSetWnd(QWidget* owner = nullptr);
    ~CSetWnd() override;

    // Before Build: what to check, who owns the window (gets 0xC11, 0xC14,
    // 0xC16 and the download progress; null: the window itself) and the
    // current language index.
    void SetTargets(std::vector<UpdateTarget> targets);
    void SetOwner(IMessageSink* owner, int languageIndex);
    void SetService(UpdateServiceConfig service) { service_ = std::move(service); }
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }

    // What is done with a downloaded file: the application's goes to the
    // desktop (the user's package installer), a firmware file is shown to
    // the user. Replaceable (tests).
    using HandOver = std::function<void(const UpdateInfo& row, bool application, const QString& path)>;
    void SetHandOver(HandOver handOver) { handOver_ = std::move(handOver); }

    // Builds the layout and runs the opening steps (languages, start-up
    // option, last check date, the update check). False when the layout
    // cannot be built.
    bool Build();

    void AddRow(const UpdateInfo& info);
    bool UpdateRow(const UpdateInfo& info);
    void SetWindowStatus(int status);
    void StopThreads();

    intptr_t HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam);
    IMessageSink& Messages();
    void Notify(const ui::Notification& n) override;

    int WindowStatus() const { return windowStatus_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const UpdateInfo& RowInfo(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    ui::CUpdateInfoListItemUI* RowControl(int index) const;
    bool Checking() const;
    bool Downloading() const;
    QString LastCheckDate() const { return lastCheckDate_; }
    // Whether a close request would be refused now.
    bool InUpdateState() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void OnInit();
    void StartCheck();
    void OnQueried(int index, UpdateInfo info, bool unreachable);
    void OnCheckFinished(int unreachable);
    void OnConfirm();
    void OnTickChanged();
    void StartNextDownload();
    void OnDownloaded(int row, QString path);
    void OnProgress(uintptr_t code, intptr_t percent);
    void FinishUpdates();
    void ShowStatusText();
    void SetUpdateButton(bool on);
    IMessageSink& OwnerSink();
    std::string DownloadFolder() const;

    std::vector<UpdateTarget> targets_;
    std::vector<UpdateInfo> rows_;
    std::vector<QPointer<ui::CUpdateInfoListItemUI>> rowControls_;
    UpdateServiceConfig service_;
    IMessageSink* owner_ = nullptr;
    HandOver handOver_;
    std::unique_ptr<ui::CMessageBridge> bridge_;
    QWidget* content_ = nullptr;
    int language_ = -1;
    int dpi_ = 96;
    int windowStatus_ = -1;
    int currentRow_ = -1;
    QString lastCheckDate_;
    QString statusOverride_;  // a text id shown in place of the status's own

    std::shared_ptr<CWebClient> client_;
    std::shared_ptr<CUpdateDownloader> downloader_;
    CWorkerThread checkWorker_{StopTraceStyle::kWindow, "r88-update"};
    CWorkerThread downloadWorker_{StopTraceStyle::kWindow, "r88-download"};
};

}  // namespace r88
