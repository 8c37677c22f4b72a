#include "catalogue/CatalogueFiles.h"

#include <QDir>
#include <QFileInfo>

namespace CatalogueFiles {

QString Find(const QString& folder, const QString& name)
{
    const QString exact = folder + name;
    if (QFileInfo::exists(exact)) return exact;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder + entry;
    return exact;
}

} // namespace CatalogueFiles
