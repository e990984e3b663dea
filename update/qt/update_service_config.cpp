#include "update/qt/update_service_config.h"

#include <QSettings>

#include "ui/language_settings.h"

namespace r88 {

UpdateServiceConfig ReadUpdateServiceConfig() {
    QSettings settings(ui::SettingsFilePath(), QSettings::IniFormat);
    UpdateServiceConfig config;
    config.baseUrl = settings.value(QLatin1String(kUpdateServerUrlKey)).toString().trimmed().toStdString();
    return config;
}

}  // namespace r88
