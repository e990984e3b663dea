#pragma once
#include <QWidget>

namespace r88 {

// A device page: the picture of the device and its function tabs. Every device kind
// derives from it.
class COrvaneUSBDevice : public QWidget {
    Q_OBJECT
public:
    explicit COrvaneUSBDevice(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
