#include "import/XlsReader.h"
#include "import/CompoundFile.h"
#include "startup/DataAccess.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QTime>
#include <QtEndian>
#include <cstring>
#include <freexl.h>

namespace {

class FreeXlHandle {
public:
    FreeXlHandle() = default;
    FreeXlHandle(const FreeXlHandle&) = delete;
    FreeXlHandle& operator=(const FreeXlHandle&) = delete;
    ~FreeXlHandle() { close(); }
    // FreeXL leaves a handle behind even on some failures; it is closed here either way.
    int open(const QString& path)
    {
        close();
        return freexl_open(QFile::encodeName(path).constData(), &h_);
    }
    void close()
    {
        if (h_) freexl_close(h_);
        h_ = nullptr;
    }
    const void* get() const { return h_; }
private:
    const void* h_ = nullptr;
};

QString FreeXlError(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return QStringLiteral("the file cannot be opened");
    case FREEXL_INSUFFICIENT_MEMORY: return QStringLiteral("not enough memory to read the workbook");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return QStringLiteral("the file holds no workbook");
    default: return QStringLiteral("the workbook is damaged or in a format that cannot be read (code %1)").arg(code);
    }
}

// FreeXL refuses some workbooks small enough to sit in the compound file's mini stream although
// spreadsheet programs open them. Such a workbook stream is taken out with our own compound file reader
// and handed to FreeXL again in a compound file of regular sectors.
int OpenThroughRegularCopy(const QString& path, FreeXlHandle& handle, QTemporaryFile& copy, QString& why)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) { why = f.errorString(); return FREEXL_FILE_NOT_FOUND; }
    QByteArray stream;
    if (!CompoundFile::ReadStream(f.readAll(), {QStringLiteral("Workbook"), QStringLiteral("Book")}, stream, why))
        return FREEXL_CFBF_READ_ERROR;
    copy.setFileTemplate(QDir::tempPath() + QStringLiteral("/marlinex-workbook-XXXXXX.xls"));
    if (!copy.open() || copy.write(CompoundFile::WriteSingleStream(QStringLiteral("Workbook"), stream)) < 0
        || !copy.flush()) {
        why = copy.errorString();
        return FREEXL_CFBF_READ_ERROR;
    }
    return handle.open(copy.fileName());
}

QVariant CellValue(const FreeXL_CellValue& v)
{
    switch (v.type) {
    case FREEXL_CELL_INT: return double(v.value.int_value);
    case FREEXL_CELL_DOUBLE: return v.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return QString::fromUtf8(v.value.text_value);
    case FREEXL_CELL_DATE: return QDate::fromString(QString::fromLatin1(v.value.text_value), Qt::ISODate);
    case FREEXL_CELL_DATETIME:
        return QDateTime::fromString(QString::fromLatin1(v.value.text_value), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case FREEXL_CELL_TIME: return QTime::fromString(QString::fromLatin1(v.value.text_value), QStringLiteral("HH:mm:ss"));
    default: return QVariant();
    }
}


// FreeXL leaves formula cells and boolean cells empty. Their values are in the sheet's FORMULA records (the
// result the spreadsheet program last computed, a text one in the STRING record after it) and BOOLERR
// records; they are read here from the Workbook stream and fill the cells FreeXL left empty.
void FillFormulaAndBooleanCells(const QString& path, const QString& sheetName, SheetGrid& grid)
{
    QFile f(path);
    QByteArray stream;
    QString why;
    if (!f.open(QIODevice::ReadOnly)
        || !CompoundFile::ReadStream(f.readAll(), {QStringLiteral("Workbook")}, stream, why))
        return;   // not BIFF8 in a compound file: FreeXL's cells are all there is
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(stream.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(stream.constData() + at); };
    // The records from at: type and body offset and length, until EOF or the stream's end.
    const auto walk = [&](qsizetype at, const auto& visit) {
        while (at + 4 <= stream.size()) {
            const quint16 type = u16(at), length = u16(at + 2);
            const qsizetype body = at + 4;
            if (body + length > stream.size() || type == 0x000A) return;   // EOF
            visit(type, body, length);
            at = body + length;
        }
    };
    // A short unicode string: flags byte, then 8-bit or 16-bit characters.
    const auto text = [&](qsizetype at, int count, qsizetype end) {
        const bool wide = stream[at] & 1;
        if (at + 1 + count * (wide ? 2 : 1) > end) return QString();
        return wide ? QString::fromUtf16(reinterpret_cast<const char16_t*>(stream.constData() + at + 1), count)
                    : QString::fromLatin1(stream.constData() + at + 1, count);
    };
    qint64 sheetOffset = -1;
    walk(0, [&](quint16 type, qsizetype body, quint16 length) {
        // BOUNDSHEET: stream offset of the sheet's BOF, visibility, kind, name length, the name
        if (type == 0x0085 && length >= 8 && sheetOffset < 0 && text(body + 7, quint8(stream[body + 6]), body + length) == sheetName)
            sheetOffset = u32(body);
    });
    if (sheetOffset < 0 || sheetOffset >= stream.size()) return;

    auto fill = [&](int row, int column, const QVariant& value) {
        if (row < grid.cells.size() && column < grid.cells[row].size() && !grid.cells[row][column].isNull()) return;
        grid.set(row, column, value);
    };
    int pendingRow = -1, pendingColumn = -1;   // a text formula waiting for its STRING record
    walk(sheetOffset, [&](quint16 type, qsizetype body, quint16 length) {
        if (type == 0x0006 && length >= 14) {   // FORMULA: row, column, format, 8 bytes of result
            const int row = u16(body), column = u16(body + 2);
            const qsizetype result = body + 6;
            pendingRow = -1;
            if (u16(result + 6) != 0xFFFF) {
                const quint64 bits = qFromLittleEndian<quint64>(stream.constData() + result);
                double d;
                std::memcpy(&d, &bits, 8);
                fill(row, column, d);
            } else if (stream[result] == 0) {
                pendingRow = row;
                pendingColumn = column;
            } else if (stream[result] == 1) {
                fill(row, column, stream[result + 2] != 0);
            }
        } else if (type == 0x0207 && pendingRow >= 0 && length >= 3) {   // STRING: the text result
            fill(pendingRow, pendingColumn, text(body + 2, u16(body), body + length));
            pendingRow = -1;
        } else if (type == 0x0205 && length >= 8) {   // BOOLERR: a boolean unless it is an error
            if (stream[body + 7] == 0) fill(u16(body), u16(body + 2), stream[body + 6] != 0);
        }
    });
}

} // namespace

SheetTable ReadXlsWorksheet(const QString& path, const QString& sheetName)
{
    FreeXlHandle handle;
    QTemporaryFile copy;
    int rc = handle.open(path);
    if (rc != FREEXL_OK && rc != FREEXL_FILE_NOT_FOUND && rc != FREEXL_INSUFFICIENT_MEMORY) {
        QString why;
        if (OpenThroughRegularCopy(path, handle, copy, why) != FREEXL_OK)
            throw DataError(path, why.isEmpty() ? FreeXlError(rc) : FreeXlError(rc) + QStringLiteral(": ") + why);
        rc = FREEXL_OK;
    }
    if (rc != FREEXL_OK) throw DataError(path, FreeXlError(rc));

    unsigned int count = 0;
    freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &count);
    QStringList names;
    for (unsigned int i = 0; i < count; ++i) {
        const char* name = nullptr;
        names << (freexl_get_worksheet_name(handle.get(), i, &name) == FREEXL_OK && name ? QString::fromUtf8(name)
                                                                                          : QString());
    }
    const int index = FindSheet(path, names, sheetName);
    if (freexl_select_active_worksheet(handle.get(), index) != FREEXL_OK)
        throw DataError(path, QStringLiteral("the worksheet \"%1\" cannot be read").arg(names[index]));
    unsigned int rows = 0;
    unsigned short columns = 0;
    freexl_worksheet_dimensions(handle.get(), &rows, &columns);

    SheetGrid grid;
    grid.cells.resize(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        grid.cells[r].resize(columns);
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle.get(), r, c, &v) == FREEXL_OK) grid.cells[r][c] = CellValue(v);
        }
    }
    FillFormulaAndBooleanCells(path, names[index], grid);
    return TableFromGrid(grid);
}
