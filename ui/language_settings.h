#pragma once
// The user's chosen language, stored as the language's id in the user's
// settings file, and the language list it indexes.
#include <QString>

namespace r88::ui {

// Index into "Language.config" of the stored language id; 0 when nothing is
// stored, the file is missing or no entry has that id.
int StoredLanguageIndex();

// Stores the id; writes the trace line "写成功！" once it is stored.
void SaveLanguageId(int id);

// The settings file of the application.
QString SettingsFilePath();

// Path of the factory "Language.config".
QString LanguageConfigPath();

// The compiled language file for a "Language_file" value.
QString LanguageFilePath(const QString& languageFile);

}  // namespace r88::ui
