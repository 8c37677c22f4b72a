// Reads one worksheet of a workbook (.xls or .xlsx; the content decides) as a table whose column names are
// the first row's cells. Text cells give text, number cells numbers, empty cells Null.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct SheetTable {
    QStringList columns;
    QVector<QVector<QVariant>> rows;   // each row has columns.size() values
};

// The worksheet whose name matches sheetName without regard to letter case.
// Throws DataError naming the file and the cause (not a workbook, no such sheet, damaged).
SheetTable ReadWorksheet(const QString& path, const QString& sheetName);
