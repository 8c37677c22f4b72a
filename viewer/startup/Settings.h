// The viewer's settings: section "Option" of "Marlinex2007.ini" in the settings folder.
#pragma once

#include <QString>

namespace Settings {
inline const QString FileName = QStringLiteral("Marlinex2007.ini");
inline const QString Section = QStringLiteral("Option");
inline const QString LanguageKey = QStringLiteral("Language");
inline const QString SavePathKey = QStringLiteral("SavePath");

// Through the utility library's settings class; path is the full path of the settings file.
QString Read(const QString& key, const QString& path);
void Write(const QString& key, const QString& value, const QString& path);

// Reads the settings into IniFilePath, LanguageFlag and DataPath ("/" appended when missing).
void LoadIntoGlobals();
}
