// Basket marks of the part list and ordering the selected part by the context menu or a double click.
#include "DrawingWindow.h"
#include "basket/BasketAdd.h"
#include "basket/BasketStore.h"
#include "drawing/DrawingPage.h"
#include "startup/Dialogs.h"

#include <QFile>

using namespace DrawingPage;

namespace {

// Two drawings sharing part P-1; P-3 has no price.
Fixtures::Catalogue Catalogue(double price = 12.5)
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.Chapter(QStringLiteral("C01"), QStringLiteral("章 Chapter"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("图 Drawing"), QStringLiteral("C01"), 1)
        .Part(QStringLiteral("E100"), 1, QStringLiteral("P-1"), QStringLiteral("螺栓 BOLT"), 2, price, 0.5, 100, 40)
        .Part(QStringLiteral("E100"), 2, QStringLiteral("P-1"), QStringLiteral("螺栓 BOLT"), 1, price, 0.5, 200, 40)
        .Part(QStringLiteral("E100"), 3, QStringLiteral("P-3"), QStringLiteral("垫片 WASHER"), 1, QVariant(), 0.1, 300, 40)
        .Part(QStringLiteral("E100"), 4, QStringLiteral("O'RING-4"), QStringLiteral("O形圈 O'RING"), 1, 3, QStringLiteral("1.50"), 400, 40)
        .Drawing(QStringLiteral("E110"), QStringLiteral("图二 Drawing two"), QStringLiteral("C01"), 2)
        .Part(QStringLiteral("E110"), 1, QStringLiteral("P-1"), QStringLiteral("螺栓 BOLT"), 1, price, 0.5, 100, 40);
    return c;
}

class OrderFromPage : public DrawingWindow {
protected:
    QVector<Fixtures::BasketLine> Lines() { return Fixtures::ReadBasket(BasketStore::BasketPath()); }
    void Order(int row)
    {
        frm->LVpart->Select(row);
        frm->mnuOrder_1_Click();
    }
};

} // namespace

TEST_F(OrderFromPage, RowsInTheBasketCarryIconOne)
{
    Fixtures::WriteBasket(BasketStore::BasketPath(),
                          {{"E100", "2", "P-1", "螺栓 BOLT", 1, {}, 12.5, 0.5, 12.5, 0.5},
                           {"E110", "1", "P-3", "垫片 WASHER", 1, {}, 1, 0.1, 1, 0.1}});
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    const int icons[] = {2, 1, 2, 2};
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(frm->LVpart->SmallIcon(r), icons[r - 1]) << r;
    EXPECT_TRUE(frm->IsInBasket(QStringLiteral("E100"), QStringLiteral("P-1"), QStringLiteral("2")));
    EXPECT_FALSE(frm->IsInBasket(QStringLiteral("E100"), QStringLiteral("P-1"), QStringLiteral("1")));
    EXPECT_FALSE(frm->IsInBasket(QStringLiteral("E110"), QStringLiteral("P-1"), QStringLiteral("2")));
    EXPECT_FALSE(frm->IsInBasket(QStringLiteral("E'100"), QStringLiteral("P'1"), QStringLiteral("2")));
}

// The page reads a drawing's lines once; it must answer as the identity lookup does, line by line.
TEST_F(OrderFromPage, PageMarksAgreeWithTheIdentityLookup)
{
    Fixtures::WriteBasket(BasketStore::BasketPath(),
                          {{"e100", "1", "p-1", "螺栓 BOLT", 1, {}, 1, 1, 1, 1},
                           {"E100", "2", "P-1 ", "螺栓 BOLT", 1, {}, 1, 1, 1, 1},
                           {"E100", "3", "É-3", "件", 1, {}, 1, 1, 1, 1},
                           {"E100", "4", "O'RING-4", "件", 1, {}, 1, 1, 1, 1},
                           {"E110", "5", "P-5", "件", 1, {}, 1, 1, 1, 1}});
    const BasketAdd::Presence page(QStringLiteral("E100"));
    struct Case { const char* part; const char* serial; };
    const Case cases[] = {{"P-1", "1"}, {"p-1", "1"}, {"P-1", "2"}, {"P-1 ", "2"}, {"É-3", "3"}, {"é-3", "3"},
                          {"O'RING-4", "4"}, {"o'ring-4", "4"}, {"P-5", "5"}, {"P-1", "01"}};
    for (const Case& c : cases) {
        const QString part = QString::fromUtf8(c.part), serial = QString::fromUtf8(c.serial);
        EXPECT_EQ(page.IsInBasket(part, serial), BasketStore::HasLine(QStringLiteral("E100"), serial, part))
            << c.part << " " << c.serial;
    }
    EXPECT_TRUE(page.IsInBasket(QStringLiteral("p-1"), QStringLiteral("1")));
    EXPECT_FALSE(page.IsInBasket(QStringLiteral("P-5"), QStringLiteral("5")));
}

TEST_F(OrderFromPage, OrderingTwiceRaisesTheQuantity)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    Order(1);
    EXPECT_EQ(frm->LVpart->SmallIcon(1), 1);
    Order(1);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].drawing, QStringLiteral("E100"));
    EXPECT_EQ(lines[0].serial, QStringLiteral("1"));
    EXPECT_EQ(lines[0].part, QStringLiteral("P-1"));
    EXPECT_EQ(lines[0].name, QStringLiteral("螺栓 BOLT"));
    EXPECT_EQ(lines[0].quantity.toDouble(), 2);
    EXPECT_EQ(lines[0].price.toDouble(), 12.5);
    EXPECT_EQ(lines[0].weight.toDouble(), 0.5);
    EXPECT_EQ(lines[0].totalPrice.toDouble(), 25);
    EXPECT_EQ(lines[0].totalWeight.toDouble(), 1);
    EXPECT_TRUE(lines[0].unit.isNull());

    // Reloading the page shows the mark from the basket.
    Click(QStringLiteral("BE100"));
    EXPECT_EQ(frm->LVpart->SmallIcon(1), 1);
    EXPECT_EQ(frm->LVpart->SmallIcon(2), 2);
}

TEST_F(OrderFromPage, AnotherSerialOrDrawingGivesAnotherLine)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    Order(1);
    Order(2);
    Click(QStringLiteral("BE110"));
    Order(1);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].serial, QStringLiteral("2"));
    EXPECT_EQ(lines[2].drawing, QStringLiteral("E110"));
    for (const auto& line : lines) EXPECT_EQ(line.quantity.toDouble(), 1);
}

TEST_F(OrderFromPage, PartWithoutPriceCannotBeOrdered)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    Dialogs::Script::Clear();
    Order(3);
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_EQ(frm->LVpart->SmallIcon(3), 2);
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
}

TEST_F(OrderFromPage, ApostropheInThePartNumber)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    Order(4);
    Order(4);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].part, QStringLiteral("O'RING-4"));
    EXPECT_EQ(lines[0].quantity.toDouble(), 2);
    EXPECT_EQ(lines[0].weight.toDouble(), 1.5);
    Click(QStringLiteral("BE100"));
    EXPECT_EQ(frm->LVpart->SmallIcon(4), 1);
}

TEST_F(OrderFromPage, NewPriceIsWrittenIntoTheExistingLine)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    Order(1);
    Fixtures::Catalogue(Catalogue(20)).WriteDatabase(folder + "book.sd");
    Click(QStringLiteral("BE100"));
    Order(1);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].price.toDouble(), 20);
    EXPECT_EQ(lines[0].totalPrice.toDouble(), 40);
}

TEST_F(OrderFromPage, DoubleClickAndContextMenuOrder)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    QTest::mouseDClick(frm->LVpart->viewport(), Qt::LeftButton, {}, RowPoint(2));
    EXPECT_EQ(frm->LVpart->SmallIcon(2), 1);
    frm->LVpart->Select(1);
    frm->mnuOrder_1->trigger();
    EXPECT_EQ(Lines().size(), 2);

    // A double click on an empty list (a chapter page) orders nothing.
    Click(QStringLiteral("BC01"));
    frm->LVpart_DblClick();
    EXPECT_EQ(Lines().size(), 2);
}

TEST_F(OrderFromPage, NothingSelectedOrNoBasketOrdersNothing)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    frm->LVpart->clearSelection();
    frm->mnuOrder_1_Click();
    EXPECT_TRUE(Lines().isEmpty());

    // A basket that is not a database: the add is abandoned, the row keeps its mark.
    QFile::remove(BasketStore::BasketPath());
    QFile f(BasketStore::BasketPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a database at all, just some text long enough to be no database");
    f.close();
    Dialogs::Script::Clear();
    Order(1);
    EXPECT_EQ(frm->LVpart->SmallIcon(1), 2);
}
