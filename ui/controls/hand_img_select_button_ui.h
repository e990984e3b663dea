#pragma once
#include <QPushButton>

namespace r88::ui {

// A picture button that pans a large picture.
class CHandImgSelectButtonUI : public QPushButton {
    Q_OBJECT
public:
    explicit CHandImgSelectButtonUI(QWidget* parent = nullptr) : QPushButton(parent) {}
};

}  // namespace r88::ui
