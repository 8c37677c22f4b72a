// What the format readers share: the cells of one worksheet as read, and how they become a table.
#pragma once

#include "import/SpreadsheetReader.h"

// Cells by row and column, both from 0; rows may be ragged or missing (empty), a missing cell is Null.
struct SheetGrid {
    QVector<QVector<QVariant>> cells;
    void set(int row, int column, const QVariant& value);
};

// The used range of the grid as a table: its first non-empty row gives the column names (an empty heading
// is named F1, F2, ... by its place in the range), the rows below it are the rows; empty rows at the end go.
SheetTable TableFromGrid(const SheetGrid& grid);

// The index of the worksheet named sheetName (letter case ignored) or a DataError naming the sheets there are.
int FindSheet(const QString& path, const QStringList& sheetNames, const QString& sheetName);
