#pragma once
// Window messages from any thread, delivered to a window's handler on the UI
// thread: posted messages are queued; sent messages wait until handled.
//
// A window that is about to stop its workers closes the bridge first: from
// then on nothing more is delivered and every sender still waiting returns 0
// at once, so a worker blocked in a send can never hold up its own stop.
#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "platform/window_messages.h"

namespace r88::ui {

class CMessageBridge : public QObject, public IMessageSink {
    Q_OBJECT
public:
    using Handler = std::function<intptr_t(unsigned msg, uintptr_t wParam, intptr_t lParam)>;

    explicit CMessageBridge(Handler handler, QObject* parent = nullptr);
    ~CMessageBridge() override;

    void PostMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) override;
    intptr_t SendMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) override;

    // Ends delivery for good and releases every waiting sender.
    void Close();

private:
    Handler handler_;
    std::atomic<bool> closed_{false};
    std::mutex mutex_;
    std::condition_variable handled_;
};

}  // namespace r88::ui
