// What the two basket exports (text file and workbook) share: their headings and how a failure is told.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace BasketExport {

// The eleven column headings, each a Chinese term run together with its English one, in column order.
const QStringList& Headings();

// Tells the user that the export to path failed and why; nothing was written there.
void ReportFailure(QWidget* owner, const QString& path, const QString& cause);

} // namespace BasketExport
