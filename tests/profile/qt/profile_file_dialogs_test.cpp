// The real file dialogs of profile import and export, answered by a script
// that plays the user (offscreen, Qt's own dialog).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
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
// about replacing a file is answered with reply, and when the dialog is still
// open after that, it is cancelled.
SaveAnswer Export(const QString& folder, const QString& name, QMessageBox::StandardButton reply) {
    SaveAnswer answer;
    // The question is a modal box inside the dialog's accept(); a timer of its
    // own answers it while the first one waits in accept().
    QTimer questions;
    QObject::connect(&questions, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answer.askedToReplace = true;
            if (QAbstractButton* button = box->button(reply)) button->click();
        }
    });
    QTimer user;
    int waited = 0;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        if (++waited > 250) {  // never got to type: give up rather than hang
            dialog->reject();
            return;
        }
        // The user types the name into the name box, which has the focus,
        // and presses Enter.
        dialog->setDirectory(folder);
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (edit == nullptr) return;
        user.stop();
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible()) dialog->reject();
    });
    questions.start(10);
    user.start(20);
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
        found = found || QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive)
                             .match(QStringLiteral("mine.json"))
                             .hasMatch();
    EXPECT_TRUE(found);
    EXPECT_EQ(ui::QtNameFilter(ui::kProfileFilter), QStringLiteral("Profile Files(*.json) (*.json)"));
}

}  // namespace
}  // namespace r88
