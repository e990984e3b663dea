#pragma once
// Controls are found by their name; an absent control gives nullptr, which
// every caller checks.
#include <QString>
#include <QWidget>

namespace r88::ui {

template <class T = QWidget>
T* FindControl(QWidget* root, const QString& name) {
    if (root == nullptr || name.isEmpty()) return nullptr;
    if (root->objectName() == name) {
        if (T* self = qobject_cast<T*>(root)) return self;
    }
    return root->findChild<T*>(name);
}

}  // namespace r88::ui
