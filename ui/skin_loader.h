#pragma once
// Builds windows and panels from the skin's Qt Designer layouts at run time.
// A class name the loader does not know itself is first offered to the
// window's tag factory (looked up without regard to case), then to the
// control registry, then to Qt's own widgets; a name nobody knows gives no
// control. Sub-layout tags build another layout with the same loader.
#include <QString>
#include <QUiLoader>

namespace r88::ui {

// The layout tag table of a window.
class ITagFactory {
public:
    virtual ~ITagFactory() = default;
    // A new control for the tag, or nullptr when the tag is not the window's.
    virtual QWidget* CreateControl(const QString& tag, QWidget* parent) = 0;
};

class CSkinLoader : public QUiLoader {
    Q_OBJECT
public:
    explicit CSkinLoader(ITagFactory* tags = nullptr, QObject* parent = nullptr);

    // Builds the layout of a resource name (or a file relative to the skin
    // folder). Returns nullptr and sets Error() when it cannot be built.
    QWidget* LoadLayout(const QString& resourceOrFile, QWidget* parent = nullptr);

    QString Error() const { return error_; }

    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

private:
    ITagFactory* tags_;
    QStringList qtWidgets_;  // the classes Qt itself can build
    QString error_;
};

}  // namespace r88::ui
