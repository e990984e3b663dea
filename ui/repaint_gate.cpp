#include "ui/repaint_gate.h"

#include <QScreen>
#include <QWidget>
#include <cmath>

namespace r88::ui {

namespace {
constexpr double kFallbackRefreshHz = 60.0;

qint64 RefreshIntervalNs(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    double hz = screen != nullptr ? screen->refreshRate() : kFallbackRefreshHz;
    if (!(hz >= 1.0)) hz = kFallbackRefreshHz;
    return static_cast<qint64>(std::llround(1e9 / hz));
}
}  // namespace

bool CRepaintGate::Pass(const QWidget* widget) {
    if (last_.isValid() && last_.nsecsElapsed() < RefreshIntervalNs(widget)) return false;
    last_.start();
    ++count_;
    return true;
}

bool OnScreen(const QWidget* widget) {
    if (widget == nullptr || !widget->isVisible()) return false;
    const QWidget* top = widget->window();
    return !top->isMinimized();
}

}  // namespace r88::ui
