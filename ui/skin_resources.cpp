#include "ui/skin_resources.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

namespace r88::ui {

CSkinResources& CSkinResources::Instance() {
    static CSkinResources resources;
    return resources;
}

bool CSkinResources::Load(const QString& folder) {
    folder_ = QDir(folder).absolutePath() + QLatin1Char('/');
    layouts_.clear();
    styleFile_.clear();
    error_.clear();

    QFile file(folder_ + QStringLiteral("res.xml"));
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("cannot read the skin index %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attrs = xml.attributes();
        if (xml.name() == QLatin1String("layout")) {
            const QString name = attrs.value(QLatin1String("name")).toString();
            const QString path = attrs.value(QLatin1String("file")).toString();
            if (!name.isEmpty() && !path.isEmpty()) layouts_.insert(name, path);
        } else if (xml.name() == QLatin1String("style")) {
            styleFile_ = attrs.value(QLatin1String("file")).toString();
        }
    }
    if (xml.hasError()) {
        error_ = QStringLiteral("the skin index %1 is broken at line %2: %3")
                     .arg(file.fileName())
                     .arg(xml.lineNumber())
                     .arg(xml.errorString());
        layouts_.clear();
        styleFile_.clear();
        return false;
    }
    return true;
}

QString CSkinResources::LayoutPath(const QString& resourceName) const {
    const QString relative = layouts_.value(resourceName, resourceName);
    return QDir::isAbsolutePath(relative) ? relative : folder_ + relative;
}

QString CSkinResources::StyleSheet() const {
    if (styleFile_.isEmpty()) return {};
    QFile file(folder_ + styleFile_);
    if (!file.open(QIODevice::ReadOnly)) return {};
    // Style sheets resolve url() against the working folder; "$SKIN/" pins them to the skin.
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("$SKIN/"), folder_);
}

}  // namespace r88::ui
