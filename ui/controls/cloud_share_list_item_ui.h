#pragma once
#include <QWidget>

namespace r88::ui {

// A row of the shared-profile list.
class CCloudShareListItemUI : public QWidget {
    Q_OBJECT
public:
    explicit CCloudShareListItemUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88::ui
