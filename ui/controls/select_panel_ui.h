#pragma once
// The container of a device picture's key buttons. Dragging over it with the
// mouse draws a selection band; when the drag ends every key button the band
// touches is selected, the others are not, and "click_select_end" is sent.
#include <QPoint>
#include <QRect>
#include <QWidget>

class QRubberBand;

namespace r88::ui {

class CSelectPanelUI : public QWidget {
    Q_OBJECT
public:
    explicit CSelectPanelUI(QWidget* parent = nullptr);

    QRect SelectionRect() const { return selection_; }
    bool Dragging() const { return dragging_; }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool armed_ = false;
    bool dragging_ = false;
    QPoint anchor_;
    QPoint current_;
    QRect selection_;
    QRubberBand* band_ = nullptr;
};

}  // namespace r88::ui
