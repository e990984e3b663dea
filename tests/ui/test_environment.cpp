#include "tests/ui/test_environment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

namespace r88::ui {

void PrepareTestEnvironment() {
    static QTemporaryDir root;  // lives until the process ends
    const QString base = root.path();
    for (const char* sub : {"data", "config", "runtime", "tmp"}) QDir(base).mkpath(QString::fromLatin1(sub));
    qputenv("XDG_DATA_HOME", (base + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (base + "/config").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (base + "/runtime").toUtf8());
    QFile::setPermissions(base + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace r88::ui
