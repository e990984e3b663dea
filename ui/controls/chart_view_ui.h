#pragma once
#include <QWidget>

namespace r88::ui {

// A chart area of the skin; nothing feeds it data, so it draws only its style.
class CChartViewUI : public QWidget {
    Q_OBJECT
public:
    explicit CChartViewUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88::ui
