// The basket as a spreadsheet workbook, opened with the desktop's spreadsheet application.
#pragma once

#include <QString>

class QWidget;

// Writes the basket (lines by drawing, serial number, part number and name) into a new workbook in the
// temporary folder under a name with the date and time, and opens it. When no application opens it, the
// user is told where it is; when it cannot be written, why.
void ExportBasketWorkbook(QWidget* owner);

namespace BasketWorkbookExport {

// Writes the workbook of the basket to path; returns false with the cause when it cannot.
bool WriteWorkbook(const QString& path, QString& cause);

// A name for a new workbook in folder, from the current date and time, that no file there has yet.
QString NewWorkbookPath(const QString& folder);

} // namespace BasketWorkbookExport
