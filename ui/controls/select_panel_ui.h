#pragma once
#include <QWidget>

namespace r88::ui {

// Holds the key buttons of a device picture.
class CSelectPanelUI : public QWidget {
    Q_OBJECT
public:
    explicit CSelectPanelUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88::ui
