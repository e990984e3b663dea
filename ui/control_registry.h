#pragma once
// The registry of our own control classes: a class name and a function that
// creates a new instance. Layouts may name a registered class directly.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace r88::ui {

class CControlRegistry {
public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    static CControlRegistry& Instance();

    // Registers (or replaces) a class name.
    void Register(const QString& className, Factory factory);
    // A new control of the class, or nullptr when the name is not registered.
    QWidget* Create(const QString& className, QWidget* parent) const;
    QStringList Names() const;  // in registration order

private:
    struct Entry {
        QString name;
        Factory factory;
    };
    std::vector<Entry> entries_;
};

}  // namespace r88::ui
