#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QXmlStreamReader>

#include "tests/ui/ui_fixture.h"
#include "ui/texts.h"

namespace r88::ui {
namespace {

QString QmPath(const char* lang) {
    return test::BinaryDir() + QStringLiteral("/share/vantiro-r88/lang/") + QString::fromLatin1(lang) +
           QStringLiteral(".qm");
}

TEST(Texts, WidgetsFollowTheLanguageAndKeepTheirIdentifier) {
    QWidget top;
    auto* label = new QLabel(&top);
    auto* button = new QPushButton(&top);
    SetTextId(label, QStringLiteral("message_text_9"));
    button->setProperty("toolTipId", QStringLiteral("tip_close"));

    ASSERT_TRUE(CLanguage::Instance().Load(QmPath("en")));
    EXPECT_EQ(label->text(), QStringLiteral("This profile file belongs to another kind of device."));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Close to the tray"));

    ASSERT_TRUE(CLanguage::Instance().Load(QmPath("zh_CN")));
    EXPECT_EQ(label->text(), QStringLiteral("该配置文件不属于此类设备。"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("关闭到托盘"));

    // A plain text is not touched by the next language change.
    SetPlainText(label, QStringLiteral("3 macros"));
    ASSERT_TRUE(CLanguage::Instance().Load(QmPath("en")));
    EXPECT_EQ(label->text(), QStringLiteral("3 macros"));

    // Without a language file identifiers show as themselves.
    EXPECT_FALSE(CLanguage::Instance().Load(QString()));
    EXPECT_EQ(TextOf(QStringLiteral("message_text_9")), QStringLiteral("message_text_9"));
}

// Every identifier the skin uses has a text in every language file, and every
// language file has the same identifiers.
TEST(Texts, EveryLanguageFileCarriesEveryIdentifierTheSkinUses) {
    auto idsOfTs = [](const QString& path) {
        QSet<QString> ids;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        QXmlStreamReader xml(&f);
        bool unfinished = false;
        QString id;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("message")) id = xml.attributes().value(QLatin1String("id")).toString();
            if (xml.name() == QLatin1String("translation")) {
                unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
                if (xml.readElementText().isEmpty() || unfinished) ADD_FAILURE() << "no text for " << id.toStdString();
                ids.insert(id);
            }
        }
        EXPECT_FALSE(xml.hasError()) << path.toStdString();
        return ids;
    };
    QSet<QString> used;
    QDirIterator it(test::SourceDir() + QStringLiteral("/skin"), {QStringLiteral("*.ui")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("property")) continue;
            const auto name = xml.attributes().value(QLatin1String("name"));
            if (name == QLatin1String("textId") || name == QLatin1String("toolTipId")) {
                xml.readNextStartElement();
                used.insert(xml.readElementText());
            }
        }
    }
    const QStringList languages = QDir(test::SourceDir() + QStringLiteral("/lang")).entryList({"*.ts"});
    ASSERT_GE(languages.size(), 2);
    QSet<QString> first;
    for (const QString& ts : languages) {
        const QSet<QString> ids = idsOfTs(test::SourceDir() + QStringLiteral("/lang/") + ts);
        for (const QString& id : used) EXPECT_TRUE(ids.contains(id)) << ts.toStdString() << " lacks " << id.toStdString();
        if (first.isEmpty()) first = ids;
        EXPECT_EQ(ids, first) << ts.toStdString() << " differs from " << languages.first().toStdString();
    }
}

}  // namespace
}  // namespace r88::ui
