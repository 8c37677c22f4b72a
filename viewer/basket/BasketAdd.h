// Whether a part of a drawing is in the order basket, and adding the selected part-list row to it.
#pragma once

#include <QString>
#include <QSet>

class frmExplore;

namespace BasketAdd {

// True when a basket line has exactly this identity. Opens and closes the basket; throws DataError when the
// basket cannot be read.
bool IsInBasket(const QString& drawingNumber, const QString& partNumber, const QString& serialNumber);

// The presence test for the many rows of one drawing: the drawing's basket lines are read once, and each
// row is looked up among them with the identity lookup's comparison (letter case of A to Z ignored). When the
// basket cannot be opened, nothing is in it.
class Presence {
public:
    explicit Presence(const QString& drawingNumber);
    bool IsInBasket(const QString& partNumber, const QString& serialNumber) const;
private:
    QSet<QString> lines_;
};

// What adding needs from the page: the part-list row and the page's full name of the part.
struct Part {
    QString drawingNumber;   // 归属
    QString serialNumber;    // 序号
    QString partNumber;      // 图号
    QString name;            // 名称, untrimmed
    QString unitPriceText;
    QString unitWeightText;
};

// Raises the quantity of the part's basket line and refreshes its name, price, weight and totals, or appends
// a new line. False, with the basket unchanged, when the weight or price is not a number or the basket
// cannot be written.
bool Add(const Part& part);

// The order command on the main window: the selected row of LVpart on the drawing selected in TVbook.
// A successful add gives the row small icon 1; any failure leaves everything as it was.
bool AddSelectedPart(frmExplore& frm);

} // namespace BasketAdd
