#include "ui/skin_loader.h"

#include <QDir>
#include <QFile>
#include <QWidget>

#include "platform/trace.h"
#include "ui/control_registry.h"
#include "ui/skin_resources.h"
#include "ui/texts.h"

namespace r88::ui {

namespace {
// Sub-layouts may name further sub-layouts; a cycle must not recurse forever.
constexpr int kMaxLayoutDepth = 8;
thread_local int t_depth = 0;  // layouts being built on this thread, outermost first
}  // namespace

CSkinLoader::CSkinLoader(ITagFactory* tags, QObject* parent)
    : QUiLoader(parent), tags_(tags), qtWidgets_(availableWidgets()) {
    setLanguageChangeEnabled(false);
    setTranslationEnabled(false);
}

QWidget* CSkinLoader::LoadLayout(const QString& resourceOrFile, QWidget* parent) {
    error_.clear();
    if (t_depth >= kMaxLayoutDepth) {
        error_ = QStringLiteral("layouts nest too deeply at %1").arg(resourceOrFile);
        return nullptr;
    }
    const QString path = CSkinResources::Instance().LayoutPath(resourceOrFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("cannot read the layout %1: %2").arg(path, file.errorString());
        return nullptr;
    }
    setWorkingDirectory(QDir(CSkinResources::Instance().Folder()));  // pictures are skin-relative
    ++t_depth;
    QWidget* root = load(&file, parent);
    --t_depth;
    if (root == nullptr) {
        if (error_.isEmpty())
            error_ = QStringLiteral("cannot build the layout %1: %2").arg(path, errorString());
        return nullptr;
    }
    ResolveTexts(root);
    return root;
}

QWidget* CSkinLoader::createWidget(const QString& className, QWidget* parent, const QString& name) {
    QWidget* w = nullptr;
    if (tags_ != nullptr) w = tags_->CreateControl(className, parent);
    if (w == nullptr) w = CControlRegistry::Instance().Create(className, parent);
    if (w == nullptr && qtWidgets_.contains(className)) w = QUiLoader::createWidget(className, parent, name);
    if (w == nullptr) {
        TraceF("unknown control class %s", className.toUtf8().constData());
        return nullptr;
    }
    if (!name.isEmpty()) w->setObjectName(name);
    return w;
}

}  // namespace r88::ui
