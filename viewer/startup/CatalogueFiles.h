// Catalogues are often copied from disks that ignore letter case, so "book.sd" may arrive as "BOOK.SD".
#pragma once

#include <QString>

// The path of the file name inside folder (with or without a final "/"). When no file of exactly that name
// exists, a file whose name differs only in letter case is taken (the first in name order); when there is none,
// the exact path is returned, so the caller's own "missing file" handling applies.
QString FindFileIgnoringCase(const QString& folder, const QString& name);
