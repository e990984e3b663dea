#pragma once
#include <QWidget>

namespace r88 {

// The power indicator of a wireless device.
class CMpDevicePowerUI : public QWidget {
    Q_OBJECT
public:
    explicit CMpDevicePowerUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
