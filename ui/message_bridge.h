#pragma once
// Window messages from any thread, delivered to a window's handler on the UI
// thread: posted messages are queued; sent messages wait until handled.
#include <QObject>
#include <functional>

#include "platform/window_messages.h"

namespace r88::ui {

class CMessageBridge : public QObject, public IMessageSink {
    Q_OBJECT
public:
    using Handler = std::function<intptr_t(unsigned msg, uintptr_t wParam, intptr_t lParam)>;

    explicit CMessageBridge(Handler handler, QObject* parent = nullptr);

    void PostMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) override;
    intptr_t SendMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) override;

private:
    Handler handler_;
};

}  // namespace r88::ui
