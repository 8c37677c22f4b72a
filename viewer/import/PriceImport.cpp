#include "import/PriceImport.h"
#include "startup/DataAccess.h"
#include "startup/TextRules.h"

#include <cmath>

namespace {

bool Empty(const QVariant& v)
{
    return v.isNull() || !v.isValid() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

// The part number as the cell gives it; a number cell as its decimal text.
QString PartText(const QVariant& v) { return Empty(v) ? QString() : TextRules::DisplayText(v); }

enum class Price { Empty, NotANumber, Number };

Price ReadPrice(const QVariant& v, double& value)
{
    if (Empty(v)) return Price::Empty;
    switch (v.typeId()) {
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Int: case QMetaType::LongLong:
    case QMetaType::UInt: case QMetaType::ULongLong:
        value = v.toDouble();
        break;
    case QMetaType::QString:
        if (v.toString().trimmed().isEmpty()) return Price::Empty;
        if (!TextRules::LeadingNumber(v.toString(), value)) return Price::NotANumber;
        break;
    default:   // booleans, dates
        return Price::NotANumber;
    }
    return std::isfinite(value) ? Price::Number : Price::NotANumber;
}

} // namespace

QStringList MissingPriceColumns(const Recordset& sheet)
{
    QStringList missing;
    const QStringList names = sheet.FieldNames();
    for (const QString& column : {PartColumn, PriceColumn})
        if (!names.contains(column)) missing << column;
    return missing;
}

PriceList ReadPriceList(Recordset& sheet)
{
    PriceList list;
    if (sheet.RecordCount() == 0) return list;
    list.updates.reserve(sheet.RecordCount());
    for (sheet.MoveFirst(); !sheet.Eof(); sheet.MoveNext()) {
        const QVariant partCell = sheet.Fields(PartColumn);
        const QVariant priceCell = sheet.Fields(PriceColumn);
        if (Empty(partCell) && Empty(priceCell)) continue;
        double price = 0;
        switch (ReadPrice(priceCell, price)) {
        case Price::Empty: ++list.emptyPrice; continue;
        case Price::NotANumber: ++list.textPrice; continue;
        case Price::Number: break;
        }
        const QString part = PartText(partCell);
        if (part.isEmpty()) { ++list.noPart; continue; }
        list.updates.push_back({part, price});
    }
    return list;
}

void UpdateCataloguePrices(const QString& databasePath, const QVector<PriceUpdate>& updates,
                           const std::function<void(int)>& rowDone)
{
    Connection catalogue;
    catalogue.CursorLocation = 3;
    catalogue.Open(DatabaseConnectionText(databasePath));
    Transaction transaction(catalogue);
    {
        Recordset indexed;
        indexed.Open(QStringLiteral("select l.name from pragma_index_list('tblBook') as l, pragma_index_info(l.name) as i "
                                    "where i.seqno = 0 and i.name = '图号'"),
                     catalogue);
        const bool hasIndex = indexed.RecordCount() > 0;
        indexed.Close();
        if (!hasIndex) catalogue.Execute(QStringLiteral("create index tblBook_number on tblBook (图号)"));
    }
    // One prepared statement for all rows; the values are bound, so an apostrophe needs no escaping.
    Command update(catalogue, QStringLiteral("Update tblBook set 价格=? where 图号=?"));
    for (int i = 0; i < updates.size(); ++i) {
        update.Execute({updates[i].price, updates[i].part});
        if (rowDone) rowDone(i + 1);
    }
    transaction.Commit();
    catalogue.Close();
}
