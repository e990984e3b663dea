#include "ui/message_bridge.h"

#include <QThread>

namespace r88::ui {

CMessageBridge::CMessageBridge(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

void CMessageBridge::PostMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    QMetaObject::invokeMethod(this, [this, msg, wParam, lParam] { handler_(msg, wParam, lParam); },
                              Qt::QueuedConnection);
}

intptr_t CMessageBridge::SendMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    if (QThread::currentThread() == thread()) return handler_(msg, wParam, lParam);
    intptr_t result = 0;
    QMetaObject::invokeMethod(this, [&] { result = handler_(msg, wParam, lParam); },
                              Qt::BlockingQueuedConnection);
    return result;
}

}  // namespace r88::ui
