#include "catalogue/BilingualName.h"

QString EnglishPart(const QString& name)
{
    const QString trimmed = name.trimmed();
    const qsizetype space = trimmed.indexOf(QLatin1Char(' '));
    return space < 0 ? trimmed : trimmed.mid(space + 1);
}
