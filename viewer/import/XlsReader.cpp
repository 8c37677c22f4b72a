#include "import/XlsReader.h"
#include "import/CompoundFile.h"
#include "startup/DataAccess.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QTime>
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
    return TableFromGrid(grid);
}
