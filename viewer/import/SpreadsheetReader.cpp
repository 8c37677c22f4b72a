#include "import/SpreadsheetReader.h"
#include "import/CompoundFile.h"
#include "import/XlsReader.h"
#include "import/XlsxReader.h"
#include "startup/DataAccess.h"

#include <QFile>

namespace {

enum class Format { Unknown, Xls, Xlsx };

// The first bytes decide: an OLE compound file holds a binary workbook, a zip package an Open XML one,
// and a bare BOF record an old BIFF2-4 workbook (which FreeXL also reads).
Format Sniff(const QByteArray& head)
{
    if (CompoundFile::HasSignature(head)) return Format::Xls;
    if (head.startsWith("PK\x03\x04")) return Format::Xlsx;
    const bool bof = head.size() >= 4 && head[0] == 0x09 && (head[1] == 0 || head[1] == 2 || head[1] == 4)
                     && head[3] == 0 && (head[2] == 4 || head[2] == 6 || head[2] == 8);
    if (bof) return Format::Xls;
    return Format::Unknown;
}

} // namespace

SheetTable ReadWorksheet(const QString& path, const QString& sheetName)
{
    QFile f(path);
    if (path.isEmpty()) throw DataError(path, QStringLiteral("no file was given"));
    if (!f.open(QIODevice::ReadOnly)) throw DataError(path, QStringLiteral("the file cannot be opened (%1)").arg(f.errorString()));
    const QByteArray head = f.read(8);
    f.close();
    switch (Sniff(head)) {
    case Format::Xls: return ReadXlsWorksheet(path, sheetName);
    case Format::Xlsx: return ReadXlsxWorksheet(path, sheetName);
    case Format::Unknown: break;
    }
    throw DataError(path, QStringLiteral("the file is not a workbook (.xls or .xlsx)"));
}
