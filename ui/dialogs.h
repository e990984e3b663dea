#pragma once
// Message boxes and file dialogs sit behind this interface so that the
// application shows real windows and tests answer with a scripted double.
#include <QString>
#include <optional>

class QWidget;

namespace r88::ui {

struct FileFilter {
    QString description;  // "Profile Files(*.json)"
    QString patterns;     // "*.json;"
};

inline const FileFilter kProfileFilter{QStringLiteral("Profile Files(*.json)"), QStringLiteral("*.json;")};
inline const FileFilter kMacroFilter{QStringLiteral("Macro Files(*.mac)"), QStringLiteral("*.mac;")};

// Buttons of a message box.
enum MessageButtons : int { kConfirmOnly = 0, kConfirmCancel = 1 };

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // 1 when the user confirmed, 0 when they cancelled or closed the box.
    virtual int ShowMessage(QWidget* owner, const QString& title, const QString& text, int dpi,
                            bool textIsIdentifier, int buttons) = 0;
    // The chosen path, or nothing when the user cancelled. A save dialog adds
    // DefaultSuffix(filter) to a name typed without an extension and asks
    // before it overwrites the file of that final name.
    virtual std::optional<QString> OpenFile(QWidget* owner, const FileFilter& filter) = 0;
    virtual std::optional<QString> SaveFile(QWidget* owner, const FileFilter& filter) = 0;
};

// Real windows: the message window and Qt's file dialogs.
class CQtDialogs : public IDialogs {
public:
    int ShowMessage(QWidget* owner, const QString& title, const QString& text, int dpi, bool textIsIdentifier,
                    int buttons) override;
    std::optional<QString> OpenFile(QWidget* owner, const FileFilter& filter) override;
    std::optional<QString> SaveFile(QWidget* owner, const FileFilter& filter) override;
};

// The Qt name filter for a filter: "Profile Files(*.json) (*.json)".
QString QtNameFilter(const FileFilter& filter);
// The extension a save dialog adds to a name typed without one: that of the
// filter's first pattern, "json" for "*.json;" ("" when it has none).
QString DefaultSuffix(const FileFilter& filter);

}  // namespace r88::ui
