// Process-wide state shared by every window, and its two routines.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>

class Connection;
class Recordset;

namespace ModExplor {

inline QString IniFilePath;
inline QVariant LanguageFlag;          // the "Language" text exactly as read
inline QString DataPath;               // always ends in "/"
inline QString CurrentBookPath;
inline QString BookConnectionString;
inline std::shared_ptr<Connection> BookConnection;
inline std::shared_ptr<Recordset> BookRecordset;
inline int16_t MouseTool = 0;          // 1 normal, 2 enlarge, 3 reduce

// The settings folder with "/" appended: $XDG_CONFIG_HOME, else $HOME/.config.
QString GetWindowsFolder();

// Opens a document with the desktop's associated application; offers a program when none is associated.
// A missing document returns silently; nothing is reported to the caller.
void OpenWithShell(QString& DocumentPath);

// English when LanguageFlag has the numeric value 1; every window asks this.
bool IsEnglish();

// The folder of the executable, without a trailing "/". Tests point it at a folder of their own.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// The program folder's temporary folder, "temp".
QString TempFolder();

} // namespace ModExplor
