#pragma once
// Fonts: the program's own font files, loaded for this process only, and the
// set of numbered fonts the skin refers to (dynamic property "fontId" on a
// widget; widgets without one use the default font).
#include <QFont>
#include <QHash>
#include <QString>
#include <QVector>

class QWidget;

namespace r88::ui {

// Font files below the program folder, loaded at start and removed at exit.
class CPrivateFonts {
public:
    static const QStringList& FontFiles();  // relative to the program folder

    // Loads every file that exists and can be read; the others are skipped
    // silently. Returns how many were loaded.
    int LoadAll(const QString& programFolder);
    // Removes them, the last loaded first.
    void RemoveAll();
    ~CPrivateFonts() { RemoveAll(); }

private:
    QVector<int> ids_;
};

struct FontSpec {
    int id;  // kDefaultFontId for the default font
    int pixelSize;
    bool bold;
    bool underline;
};

class CFontSet {
public:
    static constexpr int kDefaultFontId = -1;

    // The family a language index asks for; empty when the fonts stay as they are.
    static QString FamilyForLanguage(int languageIndex);
    static const QVector<FontSpec>& Specs();  // in installation order

    static CFontSet& Instance();

    // Replaces every font with the set in this family.
    void Install(const QString& family);
    QString Family() const { return family_; }
    QFont Font(int id) const;

    // Gives root and its descendants their fonts.
    void ApplyTo(QWidget* root) const;

private:
    QString family_;
    QHash<int, QFont> fonts_;
};

}  // namespace r88::ui
