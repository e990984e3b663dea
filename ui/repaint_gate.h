#pragma once
// Paces the redraws of a picture that frames change far more often than the
// screen shows them: at most one redraw per refresh of the display the
// picture is on. A change that came too early is drawn by the caller's next
// frame after the interval, so pacing needs no timer of its own.
#include <QElapsedTimer>
#include <cstdint>

class QWidget;

namespace r88::ui {

class CRepaintGate {
public:
    // True when `widget` may be redrawn now; the redraw is then counted as done.
    bool Pass(const QWidget* widget);
    // Redraws let through so far.
    std::int64_t Count() const { return count_; }

private:
    QElapsedTimer last_;
    std::int64_t count_ = 0;
};

// Whether a redraw of `widget` could be seen: shown on a window that is not
// minimised.
bool OnScreen(const QWidget* widget);

}  // namespace r88::ui
