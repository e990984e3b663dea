#include "ui/texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace r88::ui {

namespace {
constexpr const char kTextId[] = "textId";
constexpr const char kToolTipId[] = "toolTipId";

void ShowText(QWidget* w, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(w)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(w)) group->setTitle(text);
    else if (w->isWindow()) w->setWindowTitle(text);
}

void ResolveOne(QWidget* w) {
    const QVariant id = w->property(kTextId);
    if (id.isValid() && !id.toString().isEmpty()) ShowText(w, TextOf(id.toString()));
    const QVariant tip = w->property(kToolTipId);
    if (tip.isValid() && !tip.toString().isEmpty()) w->setToolTip(TextOf(tip.toString()));
}
}  // namespace

QString TextOf(const QString& id) {
    const QByteArray key = id.toUtf8();
    const QString text = qtTrId(key.constData());
    return text.isEmpty() ? id : text;
}

void SetTextId(QWidget* widget, const QString& id) {
    if (widget == nullptr) return;
    widget->setProperty(kTextId, id);
    ShowText(widget, TextOf(id));
}

void SetPlainText(QWidget* widget, const QString& text) {
    if (widget == nullptr) return;
    widget->setProperty(kTextId, QVariant());
    ShowText(widget, text);
}

void ResolveTexts(QWidget* root) {
    if (root == nullptr) return;
    ResolveOne(root);
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* w : children) ResolveOne(w);
}

CLanguage& CLanguage::Instance() {
    static CLanguage language;
    return language;
}

bool CLanguage::Load(const QString& qmPath) {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    bool loaded = false;
    if (!qmPath.isEmpty()) {
        auto next = std::make_unique<QTranslator>();
        if (next->load(qmPath)) {
            QCoreApplication::installTranslator(next.get());
            translator_ = std::move(next);
            loaded = true;
        }
    }
    for (QWidget* top : QApplication::topLevelWidgets()) ResolveTexts(top);
    return loaded;
}

}  // namespace r88::ui
