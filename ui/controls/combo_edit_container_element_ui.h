#pragma once
#include <QWidget>

namespace r88::ui {

// A macro step row with an editable delay.
class CComboEditContainerElementUI : public QWidget {
    Q_OBJECT
public:
    explicit CComboEditContainerElementUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88::ui
