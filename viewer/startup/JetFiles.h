// Jet database files (the catalogues and baskets made for the program Marlinex replaces).
//
// They are read through a SQLite copy made by the converter marlinex-jet, run as a child process with a time
// limit so that a damaged file that would crash or hang the reader cannot take the viewer down. Copies are
// kept under the temporary folder, keyed by the file's path, size and modification time, so reopening costs
// no more than a SQLite file. Nothing is ever written into a Jet file: before the first write the file is
// upgraded in place to SQLite, its original kept beside it with ".jet" appended.
#pragma once

#include <QString>
#include <QStringList>

namespace JetFiles {

// The path of an up-to-date SQLite copy of the Jet file at path, converting it when needed.
// Throws DataError when the file cannot be converted.
QString ConvertedCopy(const QString& path);

// Replaces the Jet file at path by its SQLite conversion, moved into place atomically, after keeping the
// original beside it. Returns where the original is kept. Throws DataError, leaving the file as it was.
QString UpgradeInPlace(const QString& path);

// Where the originals of the files upgraded since the last call are kept (oldest first), and forgets them.
QStringList TakeUpgradedOriginals();

// The cache folder of converted copies (under the temporary folder, which keeps its sub-folders).
QString CacheFolder();

// The converter program: beside the executable, or the build's program folder for test executables.
QString ConverterPath();
// Tests shorten the time limit (default 20 seconds) and may point at another converter.
void SetTimeLimit(int milliseconds);
void SetConverterPath(const QString& path);

} // namespace JetFiles
