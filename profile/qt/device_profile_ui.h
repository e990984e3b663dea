#pragma once
#include <QWidget>

namespace r88 {

// Container of the profile bar: the profile list and its buttons.
class CDeviceProfileUI : public QWidget {
    Q_OBJECT
public:
    explicit CDeviceProfileUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
