#include "ui/language_settings.h"

#include <QSettings>

#include "platform/app_identity.h"
#include "platform/paths.h"
#include "platform/trace.h"
#include "ui/language_config.h"

namespace r88::ui {

namespace {
constexpr char kLanguageKey[] = "LANGUAGE";
}

QString SettingsFilePath() {
    return QString::fromStdString(UserConfigFolder()) + QString::fromUtf8(kAppName) + QStringLiteral("/settings.ini");
}

QString LanguageConfigPath() {
    return QString::fromStdString(ProgramFolder()) + QStringLiteral("DefaultData/Language.config");
}

QString LanguageFilePath(const QString& languageFile) {
    if (languageFile.isEmpty()) return {};
    return QString::fromStdString(ProgramFolder()) + QStringLiteral("lang/") + languageFile;
}

int StoredLanguageIndex() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    bool ok = false;
    const int id = settings.value(kLanguageKey).toString().toInt(&ok);
    if (!ok) return 0;
    const auto entries = ReadLanguageConfig(LanguageConfigPath().toStdString());
    return LanguageIndexOfId(entries, id).value_or(0);
}

void SaveLanguageId(int id) {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    settings.setValue(kLanguageKey, QString::number(id));
    settings.sync();
    if (settings.status() == QSettings::NoError) Trace("写成功！");
}

}  // namespace r88::ui
