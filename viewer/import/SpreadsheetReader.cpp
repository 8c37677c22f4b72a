#include "import/SpreadsheetReader.h"
#include "startup/DataAccess.h"

SheetTable ReadWorksheet(const QString& path, const QString&)
{
    throw DataError(path, QStringLiteral("reading spreadsheets is not available in this build"));
}
