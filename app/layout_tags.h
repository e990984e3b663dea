#pragma once
// The main window's layout tag table: tag names the skin uses for our own
// controls and pages, looked up without regard to case, and the tags that
// stand for a sub-layout built from another layout file.
#include <QString>
#include <functional>
#include <optional>

#include "ui/skin_loader.h"

namespace r88 {

class CLayoutTagTable : public ui::ITagFactory {
public:
    struct Entry {
        const char* tag;
        std::function<QWidget*(QWidget* parent)> create;  // a control, or
        const char* subLayout;                            // a layout file relative to the skin
    };

    static const std::vector<Entry>& Entries();
    // The entry of a tag, compared without regard to case.
    static const Entry* Find(const QString& tag);

    QWidget* CreateControl(const QString& tag, QWidget* parent) override;
};

// Registers our control classes with the control registry, in start-up order.
void RegisterControlClasses();

}  // namespace r88
