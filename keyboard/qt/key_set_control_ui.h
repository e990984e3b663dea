#pragma once
#include <QWidget>

namespace r88 {

// Container of the key-assignment panel.
class CKeySetControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CKeySetControlUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
