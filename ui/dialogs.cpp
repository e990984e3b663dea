#include "ui/dialogs.h"

#include <QFileDialog>

#include "ui/msg_wnd.h"

namespace r88::ui {

QString QtNameFilter(const FileFilter& filter) {
    QStringList patterns = filter.patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return QStringLiteral("%1 (%2)").arg(filter.description, patterns.join(QLatin1Char(' ')));
}

int CQtDialogs::ShowMessage(QWidget* owner, const QString& title, const QString& text, int dpi,
                            bool textIsIdentifier, int buttons) {
    return CMsgWnd::ShowMessage(owner, title, text, dpi, textIsIdentifier, buttons);
}

std::optional<QString> CQtDialogs::OpenFile(QWidget* owner, const FileFilter& filter) {
    const QString path = QFileDialog::getOpenFileName(owner, QString(), QString(), QtNameFilter(filter), nullptr,
                                                      QFileDialog::ReadOnly);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> CQtDialogs::SaveFile(QWidget* owner, const FileFilter& filter) {
    const QString path = QFileDialog::getSaveFileName(owner, QString(), QString(), QtNameFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace r88::ui
