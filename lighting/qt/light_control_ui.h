#pragma once
#include <QWidget>

namespace r88 {

// Container of the lighting panel: effect, brightness, speed, direction and colour.
class CLightControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CLightControlUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
