#pragma once
#include <QWidget>

namespace r88::ui {

// Hosts a native child window inside a layout.
class CWndUI : public QWidget {
    Q_OBJECT
public:
    explicit CWndUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88::ui
