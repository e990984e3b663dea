#pragma once
// User-visible texts are language text identifiers. A widget keeps its
// identifier (dynamic property "textId", set in the layout or by code) and
// its text is resolved again whenever the language changes.
#include <QString>
#include <QTranslator>
#include <memory>

class QWidget;

namespace r88::ui {

// The text of an identifier in the current language; the identifier itself
// when the language has no text for it.
QString TextOf(const QString& id);

// Gives the widget a text identifier and shows its text.
void SetTextId(QWidget* widget, const QString& id);

// Shows a finished text (no lookup); the widget forgets any identifier.
void SetPlainText(QWidget* widget, const QString& text);

// Resolves the identifiers of root and its descendants ("textId", "toolTipId").
void ResolveTexts(QWidget* root);

// The one language of the application: a compiled translation file.
class CLanguage {
public:
    static CLanguage& Instance();

    // Loads the compiled language file and re-resolves every widget's text.
    // An empty or unreadable file leaves texts as their identifiers; returns
    // whether the file was loaded.
    bool Load(const QString& qmPath);

private:
    CLanguage() = default;
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace r88::ui
