#include "ui/control_registry.h"

namespace r88::ui {

CControlRegistry& CControlRegistry::Instance() {
    static CControlRegistry registry;
    return registry;
}

void CControlRegistry::Register(const QString& className, Factory factory) {
    for (Entry& e : entries_) {
        if (e.name == className) {
            e.factory = std::move(factory);
            return;
        }
    }
    entries_.push_back({className, std::move(factory)});
}

QWidget* CControlRegistry::Create(const QString& className, QWidget* parent) const {
    for (const Entry& e : entries_)
        if (e.name == className) return e.factory(parent);
    return nullptr;
}

QStringList CControlRegistry::Names() const {
    QStringList names;
    for (const Entry& e : entries_) names << e.name;
    return names;
}

}  // namespace r88::ui
