#include "catalogue/Subfolders.h"

#include <QFile>
#include <dirent.h>
#include <sys/stat.h>

QStringList ListSubfolders(const QString& folder)
{
    QStringList names;
    const QByteArray path = QFile::encodeName(folder);
    DIR* dir = opendir(path.constData());
    if (!dir) return names;
    QByteArray base = path;
    if (!base.endsWith('/')) base += '/';
    while (dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") continue;
        struct stat st;
        if (stat((base + name).constData(), &st) == 0 && S_ISDIR(st.st_mode)) names << QFile::decodeName(name);
    }
    closedir(dir);
    return names;
}
