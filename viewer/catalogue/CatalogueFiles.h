// The fixed file names inside a catalogue folder.
#pragma once

#include <QString>

namespace CatalogueFiles {

inline const QString Database = QStringLiteral("book.sd");
inline const QString Cover = QStringLiteral("Cover.gif");

// A drawing's picture: the drawing row's 文件 with its last four characters replaced by ".rs_"
// (A0123.gif gives A0123.rs_).
inline QString DrawingPicture(const QString& file)
{
    return file.left(file.size() >= 4 ? file.size() - 4 : 0) + QStringLiteral(".rs_");
}

// The path of the file name in folder (which ends in "/"): the exact name when it exists, else a file whose
// name differs only in letter case (catalogues are often copied from case-insensitive disks), else the exact
// name (missing).
QString Find(const QString& folder, const QString& name);

} // namespace CatalogueFiles
