// The immediate sub-folders of a folder in the file system's enumeration order ("." and ".." skipped,
// directories only). Library discovery, the search and the price import visit them from last to first.
#pragma once

#include <QString>
#include <QStringList>

QStringList ListSubfolders(const QString& folder);
