// The basket as a comma-separated text file in the locale's narrow character set, with CRLF line ends.
#pragma once

#include <QString>

class QWidget;

// Asks for the file name, writes the file (heading line, then the lines by part number and name), numbers
// every line in 顺序号 as written, and tells the user how it went.
void ExportBasketText(QWidget* owner);

namespace BasketTextExport {

// The file actually written for the chosen path: its folder, the chosen name cut before its first period,
// and ".txt".
QString OutputPath(const QString& chosenPath);

// A field as comma-separated files carry it: unchanged, or within double quotes (inner quotes doubled) when
// it holds a comma, a double quote or a line break, so that it cannot shift the fields after it.
QString Field(const QString& text);

} // namespace BasketTextExport
