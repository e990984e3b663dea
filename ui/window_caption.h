#pragma once
// Our windows draw their own title bar. A widget with the dynamic property
// "caption" set to true moves its window when dragged.
#include <QObject>

class QWidget;

namespace r88::ui {

class CWindowCaption : public QObject {
    Q_OBJECT
public:
    // Watches every caption widget under root.
    static void Install(QWidget* root);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    using QObject::QObject;
};

}  // namespace r88::ui
