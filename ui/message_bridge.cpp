#include "ui/message_bridge.h"

#include <QThread>
#include <memory>

namespace r88::ui {

CMessageBridge::CMessageBridge(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

CMessageBridge::~CMessageBridge() { Close(); }

void CMessageBridge::PostMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    if (closed_) return;
    QMetaObject::invokeMethod(
        this, [this, msg, wParam, lParam] { if (!closed_) handler_(msg, wParam, lParam); }, Qt::QueuedConnection);
}

intptr_t CMessageBridge::SendMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    if (closed_) return 0;
    if (QThread::currentThread() == thread()) return handler_(msg, wParam, lParam);

    struct Reply {
        bool handled = false;
        intptr_t result = 0;
    };
    auto reply = std::make_shared<Reply>();
    QMetaObject::invokeMethod(
        this,
        [this, reply, msg, wParam, lParam] {
            const intptr_t result = closed_ ? 0 : handler_(msg, wParam, lParam);
            const std::lock_guard lock(mutex_);
            reply->result = result;
            reply->handled = true;
            handled_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    handled_.wait(lock, [&] { return reply->handled || closed_.load(); });
    return reply->handled ? reply->result : 0;
}

void CMessageBridge::Close() {
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    handled_.notify_all();
}

}  // namespace r88::ui
