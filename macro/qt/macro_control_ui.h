#pragma once
#include <QWidget>

namespace r88 {

// Container of the macro editor.
class CMacroControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CMacroControlUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
