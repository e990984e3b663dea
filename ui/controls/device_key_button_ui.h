#pragma once
#include <QPushButton>

namespace r88::ui {

// One key of a device picture.
class CDeviceKeyButtonUI : public QPushButton {
    Q_OBJECT
public:
    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr) : QPushButton(parent) {}
};

}  // namespace r88::ui
