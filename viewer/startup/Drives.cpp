#include "startup/Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <algorithm>

namespace Drives {

namespace {
// Kernel and system file systems: nothing a user keeps catalogues on.
const QSet<QString>& PseudoTypes()
{
    static const QSet<QString> types = {
        QStringLiteral("proc"), QStringLiteral("sysfs"), QStringLiteral("devtmpfs"), QStringLiteral("devpts"),
        QStringLiteral("tmpfs"), QStringLiteral("ramfs"), QStringLiteral("cgroup"), QStringLiteral("cgroup2"),
        QStringLiteral("securityfs"), QStringLiteral("pstore"), QStringLiteral("bpf"), QStringLiteral("debugfs"),
        QStringLiteral("tracefs"), QStringLiteral("mqueue"), QStringLiteral("hugetlbfs"), QStringLiteral("configfs"),
        QStringLiteral("fusectl"), QStringLiteral("autofs"), QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"),
        QStringLiteral("nsfs"), QStringLiteral("rpc_pipefs"), QStringLiteral("squashfs"), QStringLiteral("selinuxfs"),
        QStringLiteral("fuse.gvfsd-fuse"), QStringLiteral("fuse.portal"),
    };
    return types;
}

bool IsSystemFolder(const QString& root)
{
    // Removable media are mounted under /run/media; the rest of /run is the system's.
    if (IsUnder(root, QStringLiteral("/run/media"))) return false;
    for (const char* folder : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock", "/snap", "/boot/efi"})
        if (IsUnder(root, QString::fromLatin1(folder))) return true;
    return false;
}

// Mount tables write blanks, tabs, newlines and backslashes as a backslash and three octal digits.
QString Unescape(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        bool ok = false;
        const int code = field[i] == '\\' && i + 3 < field.size() ? field.mid(i + 1, 3).toInt(&ok, 8) : 0;
        if (ok) {
            out.append(char(code));
            i += 3;
        } else {
            out.append(field[i]);
        }
    }
    return QString::fromUtf8(out);
}
} // namespace

QList<Drive> FromMountTable(const QByteArray& table)
{
    QList<Drive> drives;
    QSet<QString> seen;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3) continue;
        Drive d{QDir::cleanPath(Unescape(fields[1])), Unescape(fields[0]), QString::fromUtf8(fields[2])};
        if (!d.root.startsWith('/')) continue;
        const bool isRoot = d.root == QStringLiteral("/");
        if (!isRoot && (PseudoTypes().contains(d.type) || IsSystemFolder(d.root))) continue;
        if (seen.contains(d.root)) continue;
        seen.insert(d.root);
        drives.append(d);
    }
    std::stable_sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) {
        const bool aRoot = a.root == QStringLiteral("/"), bRoot = b.root == QStringLiteral("/");
        if (aRoot != bRoot) return aRoot;
        return a.root < b.root;
    });
    if (drives.isEmpty() || drives.first().root != QStringLiteral("/"))
        drives.prepend(Drive{QStringLiteral("/"), QString(), QString()});
    return drives;
}

QList<Drive> Mounted()
{
    QFile table(QStringLiteral("/proc/self/mounts"));
    // Its size reads as 0, so read to the end rather than by size.
    return FromMountTable(table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray());
}

bool IsUnder(const QString& path, const QString& folder)
{
    if (folder == QStringLiteral("/")) return path.startsWith('/');
    return path == folder || path.startsWith(folder + '/');
}

int DriveOf(const QStringList& roots, const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    int best = -1;
    for (int i = 0; i < roots.size(); ++i)
        if (IsUnder(clean, roots[i]) && (best < 0 || roots[i].size() > roots[best].size())) best = i;
    return best;
}

bool IsReady(const QString& root)
{
    const QFileInfo info(root);
    return info.isDir() && info.isReadable() && info.isExecutable() && QStorageInfo(root).isReady();
}

QString DisplayText(const Drive& drive)
{
    // Like a drive letter with its label: where it is, and what is mounted there.
    return drive.device.isEmpty() ? drive.root : QStringLiteral("%1 [%2]").arg(drive.root, drive.device);
}

} // namespace Drives
