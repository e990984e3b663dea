#pragma once
#include <QWidget>

namespace r88 {

// Container of the voice-changer panel.
class CMagicControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CMagicControlUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
