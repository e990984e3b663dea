#include "ui/trace_category.h"

#include <cstdlib>

#include "platform/trace.h"

namespace r88::ui {

Q_LOGGING_CATEGORY(lcTrace, "vantiro.trace", QtInfoMsg)

void InstallTraceCategory() {
    const char* env = std::getenv("VANTIRO_TRACE");
    if (env != nullptr && *env != '\0' && *env != '0')
        QLoggingCategory::setFilterRules(QStringLiteral("vantiro.trace.debug=true"));
    SetTraceSink([](std::string_view line) {
        if (!lcTrace().isDebugEnabled()) return;
        QByteArray text(line.data(), static_cast<qsizetype>(line.size()));
        if (text.endsWith('\n')) text.chop(1);
        qCDebug(lcTrace).noquote() << QString::fromUtf8(text);
    });
}

}  // namespace r88::ui
