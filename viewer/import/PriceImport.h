// The work of the price import without its window: the price list read from the spreadsheet record set,
// and the prices written into one catalogue.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class Recordset;

inline const QString PartColumn = QStringLiteral("部件图号");
inline const QString PriceColumn = QStringLiteral("价格");

struct PriceUpdate {
    QString part;    // verbatim, as the cell gave it
    double price = 0;
};

struct PriceList {
    QVector<PriceUpdate> updates;   // in sheet order, so a later row for the same part wins
    int emptyPrice = 0;             // rows skipped: the price cell is empty
    int textPrice = 0;              // rows skipped: the price cell holds no number
    int noPart = 0;                 // rows skipped: a price but no part number
};

// The columns of PartColumn and PriceColumn that the record set lacks.
QStringList MissingPriceColumns(const Recordset& sheet);

// Reads every row of the record set (from its first row). Rows without a usable price are counted, not kept:
// writing 0 for them would wipe real prices. A row with nothing in either column is no row at all.
PriceList ReadPriceList(Recordset& sheet);

// Writes the prices into the catalogue database at path, all or nothing, in one transaction: one
// "Update tblBook set 价格=? where 图号=?" per row, in order, so a later row for the same part wins. Creates
// the index on 图号 when the catalogue has none, so each statement finds its rows without a scan.
// rowDone(n) is called after the n-th update. Throws DataError when the catalogue cannot be updated.
void UpdateCataloguePrices(const QString& databasePath, const QVector<PriceUpdate>& updates,
                           const std::function<void(int)>& rowDone = {});
