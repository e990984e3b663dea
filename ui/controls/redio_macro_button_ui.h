#pragma once
#include <QPushButton>

namespace r88::ui {

// The blinking record button of the macro editor.
class CRedioMacroButtonUI : public QPushButton {
    Q_OBJECT
public:
    explicit CRedioMacroButtonUI(QWidget* parent = nullptr) : QPushButton(parent) {}
};

}  // namespace r88::ui
