// The "drives" of the folder chooser: the mounted file systems a user can keep files on.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace Drives {

struct Drive {
    QString root;     // mount point, "/" for the root file system
    QString device;   // what is mounted there, as the mount table says
    QString type;     // file system type
};

// The drives of a mount table in the /proc/self/mounts format: the root first, then the others in the order
// of their mount points; pseudo and system file systems and repeated mount points are left out.
QList<Drive> FromMountTable(const QByteArray& table);

// The drives of this process (its mount table); at least the root.
QList<Drive> Mounted();

// The drive that holds path: the one whose mount point is the longest leading folder of it; -1 when none.
int DriveOf(const QStringList& roots, const QString& path);

// Whether path is folder or lies inside it (both clean and absolute).
bool IsUnder(const QString& path, const QString& folder);

// Whether the folders of a drive can be listed now.
bool IsReady(const QString& root);

// The text shown for a drive in the list.
QString DisplayText(const Drive& drive);

} // namespace Drives
