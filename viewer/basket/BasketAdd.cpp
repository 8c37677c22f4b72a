#include "basket/BasketAdd.h"
#include "basket/BasketStore.h"
#include "catalogue/frmExplore.h"
#include "drawing/DrawingPage.h"
#include "startup/DataAccess.h"
#include "startup/KeyedTree.h"
#include "startup/ReportList.h"
#include "startup/TextRules.h"

#include <QTreeWidgetItem>

namespace BasketAdd {

namespace {
constexpr int kInBasketIcon = 1;

// The identity columns are compared as the basket's text columns compare: A to Z equal to a to z.
QString Folded(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded)
        if (c >= 'A' && c <= 'Z') c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}

QString LineKey(const QString& partNumber, const QString& serialNumber)
{
    return Folded(serialNumber) + QChar(0) + Folded(partNumber);
}
} // namespace

bool IsInBasket(const QString& drawingNumber, const QString& partNumber, const QString& serialNumber)
{
    return BasketStore::HasLine(drawingNumber, serialNumber, partNumber);
}

Presence::Presence(const QString& drawingNumber)
{
    try {
        Connection connection;
        BasketStore::Open(connection);
        Recordset rs;
        rs.Open(QStringLiteral("select 序号, 图号 from tblOrder where 归属='") + SqlText(drawingNumber) + QStringLiteral("'"),
                connection, 1, 3);
        for (; !rs.Eof(); rs.MoveNext())
            lines_.insert(LineKey(rs.Fields(QStringLiteral("图号")).toString(), rs.Fields(QStringLiteral("序号")).toString()));
        rs.Close();
        connection.Close();
    } catch (const DataError&) {
        // The basket store has told the user; the page lists every part as not in the basket.
        lines_.clear();
    }
}

bool Presence::IsInBasket(const QString& partNumber, const QString& serialNumber) const
{
    return lines_.contains(LineKey(partNumber, serialNumber));
}

bool Add(const Part& part)
{
    // Weight first, then price: a part without a price cannot be ordered, and nothing is written.
    double weight = 0, price = 0;
    if (!TextRules::StrictNumber(part.unitWeightText, weight) || !TextRules::StrictNumber(part.unitPriceText, price))
        return false;
    try {
        Connection connection;
        BasketStore::Open(connection);
        Recordset rs;
        rs.Open(BasketStore::IdentityLookup(part.drawingNumber, part.serialNumber, part.partNumber), connection, 1, 3);
        if (rs.RecordCount() >= 1) {
            const double quantity = TextRules::NumericValue(rs.Fields(QStringLiteral("数量"))) + 1;
            rs.SetField(QStringLiteral("数量"), quantity);
            rs.SetField(QStringLiteral("名称"), part.name);
            rs.SetField(QStringLiteral("价格"), price);
            rs.SetField(QStringLiteral("单重"), weight);
            rs.SetField(QStringLiteral("总重"), quantity * weight);
            rs.SetField(QStringLiteral("总价"), quantity * price);
        } else {
            rs.AddNew();
            rs.SetField(QStringLiteral("归属"), part.drawingNumber);
            rs.SetField(QStringLiteral("序号"), part.serialNumber);
            rs.SetField(QStringLiteral("图号"), part.partNumber);
            rs.SetField(QStringLiteral("名称"), part.name);
            rs.SetField(QStringLiteral("数量"), 1);
            rs.SetField(QStringLiteral("价格"), price);
            rs.SetField(QStringLiteral("单重"), weight);
            rs.SetField(QStringLiteral("总重"), weight);
            rs.SetField(QStringLiteral("总价"), price);
        }
        rs.Update();
        rs.Close();
        connection.Close();
        return true;
    } catch (const DataError&) {
        return false;
    }
}

bool AddSelectedPart(frmExplore& frm)
{
    const int row = frm.LVpart->SelectedRow();
    const QTreeWidgetItem* node = frm.TVbook->SelectedNode();
    if (row == 0 || !node || row - 1 >= frm.PartNames.size()) return false;
    Part part;
    part.partNumber = frm.LVpart->SubItem(row, DrawingPage::PartNumber);
    part.name = frm.PartNames[row - 1];
    part.serialNumber = frm.LVpart->Text(row);
    part.drawingNumber = KeyedTree::Key(node).mid(1);
    part.unitWeightText = frm.LVpart->SubItem(row, DrawingPage::UnitWeight);
    part.unitPriceText = frm.LVpart->SubItem(row, DrawingPage::UnitPrice);
    if (!Add(part)) return false;
    frm.LVpart->SetSmallIcon(row, kInBasketIcon);
    return true;
}

} // namespace BasketAdd
