#pragma once
#include <QLoggingCategory>

namespace r88::ui {

// Trace lines of the whole application; off unless enabled with
// QT_LOGGING_RULES="vantiro.trace.debug=true" (or VANTIRO_TRACE=1).
Q_DECLARE_LOGGING_CATEGORY(lcTrace)

// Routes the core's trace lines into the logging category.
void InstallTraceCategory();

}  // namespace r88::ui
