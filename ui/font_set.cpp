#include "ui/font_set.h"

#include <QFontDatabase>
#include <QWidget>

namespace r88::ui {

const QStringList& CPrivateFonts::FontFiles() {
    static const QStringList files = {
        QStringLiteral("Font/Simplified_Chinese.ttf"),
        QStringLiteral("Font/Halvard-Regular.otf"),
        QStringLiteral("Font/NotoSansThai-Regular.ttf"),
        QStringLiteral("Font/NotoSansCJKtc-Regular.otf"),
    };
    return files;
}

int CPrivateFonts::LoadAll(const QString& programFolder) {
    for (const QString& file : FontFiles()) {
        const int id = QFontDatabase::addApplicationFont(programFolder + file);
        if (id >= 0) ids_.push_back(id);
    }
    return static_cast<int>(ids_.size());
}

void CPrivateFonts::RemoveAll() {
    while (!ids_.isEmpty()) QFontDatabase::removeApplicationFont(ids_.takeLast());
}

QString CFontSet::FamilyForLanguage(int languageIndex) {
    switch (languageIndex) {
        case 0: return QStringLiteral("Meiryo UI");
        case 1:
        case 2: return QStringLiteral("Arial Unicode MS");
        case 15: return QStringLiteral("Noto Sans Thai");
        default: return {};
    }
}

const QVector<FontSpec>& CFontSet::Specs() {
    static const QVector<FontSpec> specs = {
        {0, 15, true, false}, {kDefaultFontId, 15, false, false}, {1, 14, false, true}, {2, 18, false, false},
        {3, 30, false, false}, {4, 16, false, false}, {5, 20, false, false}, {6, 22, false, false},
        {7, 14, false, false}, {8, 12, false, false}, {9, 11, false, false}, {10, 10, false, false},
        {11, 28, false, false}, {50, 18, true, false},
    };
    return specs;
}

CFontSet& CFontSet::Instance() {
    static CFontSet set;
    return set;
}

void CFontSet::Install(const QString& family) {
    fonts_.clear();
    family_ = family;
    for (const FontSpec& spec : Specs()) {
        QFont font(family);
        font.setPixelSize(spec.pixelSize);
        font.setBold(spec.bold);
        font.setUnderline(spec.underline);
        fonts_.insert(spec.id, font);
    }
}

QFont CFontSet::Font(int id) const {
    if (fonts_.contains(id)) return fonts_.value(id);
    return fonts_.value(kDefaultFontId, QFont());
}

void CFontSet::ApplyTo(QWidget* root) const {
    if (root == nullptr || fonts_.isEmpty()) return;
    auto apply = [this](QWidget* w) {
        const QVariant id = w->property("fontId");
        if (id.isValid()) w->setFont(Font(id.toInt()));
    };
    root->setFont(Font(kDefaultFontId));
    apply(root);
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* w : children) apply(w);
}

}  // namespace r88::ui
