#include "lighting/qt/logo_tool_tip.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace r88 {

CLogoToolTip::CLogoToolTip(QWidget* button) : QObject(button) {
    button->installEventFilter(this);
}

CLogoToolTip* CLogoToolTip::For(QWidget* button) {
    if (button == nullptr) return nullptr;
    if (auto* tip = button->findChild<CLogoToolTip*>(QString(), Qt::FindDirectChildrenOnly)) return tip;
    return new CLogoToolTip(button);
}

void CLogoToolTip::Set(const QString& title, const QString& text) {
    title_ = title;
    text_ = text;
}

QString CLogoToolTip::RichText() const {
    QString body = text_.toHtmlEscaped();
    body.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<b>%1</b><br>%2").arg(title_.toHtmlEscaped(), body);
}

bool CLogoToolTip::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::ToolTip && !title_.isEmpty()) {
        auto* help = static_cast<QHelpEvent*>(e);
        QToolTip::showText(help->globalPos(), RichText(), qobject_cast<QWidget*>(watched));
        return true;
    }
    return QObject::eventFilter(watched, e);
}

QWidget* FindLogoButton(QWidget* picture) {
    if (picture == nullptr) return nullptr;
    for (QObject* child : picture->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w != nullptr && w->toolTip().compare(QLatin1String(CLogoToolTip::kLogoToolTip), Qt::CaseInsensitive) == 0)
            return w;
    }
    return nullptr;
}

}  // namespace r88
