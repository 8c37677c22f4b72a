// Test workbooks (.xlsx) written with libxlsxwriter.
#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace TestSupport {

// Cells are texts (QString), numbers (double or int), booleans, or Null for an empty cell.
struct XlsxSheet {
    QString name;
    QVector<QVector<QVariant>> rows;
};

// inlineStrings writes texts inline in the sheet instead of in the shared string table.
// Returns false when libxlsxwriter fails.
bool WriteXlsx(const QString& path, const QVector<XlsxSheet>& sheets, bool inlineStrings = false);

} // namespace TestSupport
