#include "import/SheetGrid.h"
#include "startup/DataAccess.h"
#include "startup/TextRules.h"

void SheetGrid::set(int row, int column, const QVariant& value)
{
    // Beyond the largest sheet a spreadsheet program makes (1048576 rows, 16384 columns) lies only damage.
    if (row < 0 || column < 0 || row >= 1048576 || column >= 16384) return;
    if (cells.size() <= row) cells.resize(row + 1);
    QVector<QVariant>& r = cells[row];
    if (r.size() <= column) r.resize(column + 1);
    r[column] = value;
}

namespace {
bool Filled(const QVariant& v) { return v.isValid() && !v.isNull(); }
}

SheetTable TableFromGrid(const SheetGrid& grid)
{
    int firstRow = -1, lastRow = -1, firstColumn = INT_MAX, lastColumn = -1;
    for (int r = 0; r < grid.cells.size(); ++r) {
        const QVector<QVariant>& row = grid.cells[r];
        for (int c = 0; c < row.size(); ++c) {
            if (!Filled(row[c])) continue;
            if (firstRow < 0) firstRow = r;
            lastRow = r;
            firstColumn = qMin(firstColumn, c);
            lastColumn = qMax(lastColumn, c);
        }
    }
    SheetTable table;
    if (firstRow < 0) return table;

    auto cell = [&](int r, int c) {
        const QVector<QVariant>& row = grid.cells[r];
        return c < row.size() && Filled(row[c]) ? row[c] : QVariant();
    };
    for (int c = firstColumn; c <= lastColumn; ++c) {
        const QVariant heading = cell(firstRow, c);
        table.columns << (Filled(heading) ? TextRules::DisplayText(heading)
                                          : QStringLiteral("F%1").arg(c - firstColumn + 1));
    }
    table.rows.reserve(lastRow - firstRow);
    for (int r = firstRow + 1; r <= lastRow; ++r) {
        QVector<QVariant> values;
        values.reserve(table.columns.size());
        for (int c = firstColumn; c <= lastColumn; ++c) values << cell(r, c);
        table.rows << values;
    }
    return table;
}

int FindSheet(const QString& path, const QStringList& sheetNames, const QString& sheetName)
{
    for (int i = 0; i < sheetNames.size(); ++i)
        if (sheetNames[i].compare(sheetName, Qt::CaseInsensitive) == 0) return i;
    const QString there = sheetNames.isEmpty() ? QStringLiteral("none")
                                               : QLatin1Char('"') + sheetNames.join(QStringLiteral("\", \"")) + QLatin1Char('"');
    throw DataError(path, QStringLiteral("the workbook has no worksheet named \"%1\" (its worksheets: %2)")
                              .arg(sheetName, there));
}
