#include "ui/dialogs.h"

#include <QFileDialog>

#include "ui/msg_wnd.h"

namespace r88::ui {

QString QtNameFilter(const FileFilter& filter) {
    QStringList patterns = filter.patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return QStringLiteral("%1 (%2)").arg(filter.description, patterns.join(QLatin1Char(' ')));
}

QString DefaultSuffix(const FileFilter& filter) {
    const QString first = filter.patterns.section(QLatin1Char(';'), 0, 0).trimmed();
    if (!first.startsWith(QLatin1String("*."))) return QString();
    const QString suffix = first.mid(2);
    for (const QChar c : suffix)
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[')) return QString();
    return suffix;
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
    // Not the static helper: it has no default suffix, so "name" would be
    // saved without the extension that the open dialog's filter looks for.
    // With it the dialog adds the suffix before it asks about overwriting,
    // so the question is about the file that is then written.
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtNameFilter(filter));
    dialog.setDefaultSuffix(DefaultSuffix(filter));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    return files.first();
}

}  // namespace r88::ui
