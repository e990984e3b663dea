#pragma once
#include <QWidget>

namespace r88 {

// Container of the shooting-assist panel.
class CShootControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CShootControlUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
