#pragma once
#include <QPushButton>

namespace r88::ui {

// A picture button with a delete mark.
class CHandImgButtonUI : public QPushButton {
    Q_OBJECT
public:
    explicit CHandImgButtonUI(QWidget* parent = nullptr) : QPushButton(parent) {}
};

}  // namespace r88::ui
