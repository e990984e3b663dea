#include "ui/notify.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTextEdit>

namespace r88::ui {

namespace {
constexpr const char kDispatcherProperty[] = "r88NotifyDispatcher";
constexpr const char kWiredProperty[] = "r88NotifyWired";
}  // namespace

CNotifyDispatcher::CNotifyDispatcher(QWidget* window, INotifyHandler* handler)
    : QObject(window), window_(window), handler_(handler) {
    window->setProperty(kDispatcherProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    Attach(window);
}

CNotifyDispatcher* CNotifyDispatcher::For(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        QVariant v = w->property(kDispatcherProperty);
        if (v.isValid()) return qobject_cast<CNotifyDispatcher*>(v.value<QObject*>());
    }
    return nullptr;
}

void CNotifyDispatcher::Send(const QString& type, QWidget* sender, uintptr_t wParam, intptr_t lParam) {
    if (handler_ == nullptr) return;
    handler_->Notify(Notification{type, sender, wParam, lParam});
}

void CNotifyDispatcher::Attach(QWidget* root) {
    if (root == nullptr) return;
    Wire(root);
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* w : children) Wire(w);
}

void CNotifyDispatcher::Wire(QWidget* w) {
    if (w->property(kWiredProperty).toBool()) return;
    w->setProperty(kWiredProperty, true);

    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        // The state before the press tells whether the click changed a checkable button.
        connect(button, &QAbstractButton::pressed, this,
                [this, button] { checkedAtPress_[button] = button->isChecked(); });
        connect(button, &QAbstractButton::clicked, this, [this, button](bool checked) {
            Send(event::kClick, button);
            if (!button->isCheckable()) return;
            const bool before = checkedAtPress_.value(button, !checked);
            checkedAtPress_.remove(button);
            if (before != checked) Send(event::kSelectChanged, button, checked ? 1 : 0);
        });
        connect(button, &QObject::destroyed, this, [this, button] { checkedAtPress_.remove(button); });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::activated, this,
                [this, combo](int index) { Send(event::kItemSelect, combo, static_cast<uintptr_t>(index)); });
        if (combo->lineEdit() != nullptr) w->installEventFilter(this);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        connect(slider, &QAbstractSlider::sliderMoved, this, [this, slider](int value) {
            Send(event::kMoveValueChanged, slider, static_cast<uintptr_t>(value));
        });
        connect(slider, &QAbstractSlider::sliderReleased, this,
                [this, slider] { Send(event::kValueChanged, slider, static_cast<uintptr_t>(slider->value())); });
        // Keyboard, wheel and page clicks move the slider without a drag; the
        // value is committed right after the action, so report it then.
        connect(slider, &QAbstractSlider::actionTriggered, this, [this, slider](int action) {
            if (action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction) return;
            if (slider->isSliderDown()) return;
            QMetaObject::invokeMethod(
                this,
                [this, s = QPointer<QAbstractSlider>(slider)] {
                    if (s) Send(event::kValueChanged, s, static_cast<uintptr_t>(s->value()));
                },
                Qt::QueuedConnection);
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { Send(event::kTextChanged, edit); });
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] { Send(event::kReturn, edit); });
        edit->installEventFilter(this);
    } else if (auto* text = qobject_cast<QTextEdit*>(w)) {
        text->installEventFilter(this);
    }
}

bool CNotifyDispatcher::eventFilter(QObject* watched, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w != nullptr) {
        if (e->type() == QEvent::FocusOut) Send(event::kKillFocus, w);
        else if (e->type() == QEvent::FocusIn) Send(event::kSetFocus, w);
    }
    return QObject::eventFilter(watched, e);
}

void SendNotify(QWidget* sender, const QString& type, uintptr_t wParam, intptr_t lParam) {
    if (CNotifyDispatcher* d = CNotifyDispatcher::For(sender)) d->Send(type, sender, wParam, lParam);
}

}  // namespace r88::ui
