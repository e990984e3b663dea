#pragma once
#include <QRadioButton>

namespace r88 {

// A device's item in the device strip.
class CDeviceOptionUI : public QRadioButton {
    Q_OBJECT
public:
    explicit CDeviceOptionUI(QWidget* parent = nullptr) : QRadioButton(parent) {}
};

}  // namespace r88
