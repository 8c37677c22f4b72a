#include "startup/CatalogueFiles.h"

#include <QDir>
#include <QFileInfo>

QString FindFileIgnoringCase(const QString& folder, const QString& name)
{
    const QString exact = folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
    if (QFileInfo(exact).isFile()) return exact;
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& candidate : files)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(candidate);
    return exact;
}
