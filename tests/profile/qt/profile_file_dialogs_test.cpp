// The real file dialogs of profile import and export, answered by a script
// that plays the user (offscreen, Qt's own dialog).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

#include "tests/ui/qt_printers.h"
#include "ui/dialogs.h"

namespace r88 {
namespace {

struct SaveAnswer {
    std::optional<QString> path;
    bool askedToReplace = false;
};

// Opens the export dialog, types name in folder and confirms; a question
// about replacing a file is answered with reply. When the dialog is still
// open after that, it is cancelled.
SaveAnswer Export(const QString& folder, const QString& name, QMessageBox::StandardButton reply) {
    SaveAnswer answer;
    bool typed = false;
    int ticks = 0;
    QTimer script;
    QObject::connect(&script, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (++ticks > 500) {  // a dialog we did not expect: end it
            if (modal != nullptr) modal->close();
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            answer.askedToReplace = true;
            if (QAbstractButton* button = box->button(reply)) button->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (typed) {
                dialog->reject();
                return;
            }
            typed = true;
            dialog->setDirectory(folder);
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    script.start(10);
    answer.path = ui::CQtDialogs().SaveFile(nullptr, ui::kProfileFilter);
    return answer;
}

TEST(ProfileFileDialogs, ANameTypedWithoutExtensionIsExportedAsJson) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(ui::DefaultSuffix(ui::kProfileFilter), QStringLiteral("json"));
    EXPECT_EQ(ui::DefaultSuffix(ui::FileFilter{QStringLiteral("All"), QStringLiteral("*")}), QString());

    const QString final = dir.filePath(QStringLiteral("mine.json"));
    SaveAnswer a = Export(dir.path(), QStringLiteral("mine"), QMessageBox::Yes);
    ASSERT_TRUE(a.path.has_value());
    EXPECT_EQ(*a.path, final);
    EXPECT_FALSE(a.askedToReplace);

    // Once mine.json exists, typing "mine" again asks about mine.json.
    QFile existing(final);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    a = Export(dir.path(), QStringLiteral("mine"), QMessageBox::No);
    EXPECT_TRUE(a.askedToReplace);
    EXPECT_FALSE(a.path.has_value());
    a = Export(dir.path(), QStringLiteral("mine"), QMessageBox::Yes);
    EXPECT_TRUE(a.askedToReplace);
    EXPECT_EQ(a.path, std::optional<QString>(final));

    // A name with its own extension keeps it.
    a = Export(dir.path(), QStringLiteral("other.json"), QMessageBox::Yes);
    EXPECT_EQ(a.path, std::optional<QString>(dir.filePath(QStringLiteral("other.json"))));

    // The import dialog's filter finds the exported name, letter case and all.
    bool found = false;
    for (const QString& pattern : ui::kProfileFilter.patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        found = found || QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive).match(QStringLiteral("mine.json")).hasMatch();
    EXPECT_TRUE(found);
    EXPECT_EQ(ui::QtNameFilter(ui::kProfileFilter), QStringLiteral("Profile Files(*.json) (*.json)"));
}

}  // namespace
}  // namespace r88
