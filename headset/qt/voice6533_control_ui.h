#pragma once
#include <QWidget>

namespace r88 {

// Container of the headset's equaliser and microphone panel.
class CVoice6533ControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CVoice6533ControlUI(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace r88
