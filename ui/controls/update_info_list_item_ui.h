#pragma once
#include <QWidget>

namespace r88::ui {

// A row of the update list.
class CUpdateInfoListItemUI : public QWidget {
    Q_OBJECT
public:
    explicit CUpdateInfoListItemUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88::ui
