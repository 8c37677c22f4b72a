// Hotspots and part-list rows pointing at each other, the write-back of a hotspot's position, and the
// part list's mouse actions.
#include "DrawingWindow.h"
#include "drawing/DrawingPage.h"

#include <QMenu>
#include <QTimer>

using namespace DrawingPage;

namespace {

// Part P-1 is used at two callouts (serials 1 and 3); P-0 has no callout; P-9 is not a part of this list
// but gets a hotspot of its own below.
Fixtures::Catalogue Catalogue()
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.pictureSize = QSize(600, 300);
    c.Chapter(QStringLiteral("C01"), QStringLiteral("章 Chapter"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("图 Drawing"), QStringLiteral("C01"), 1)
        .Part(QStringLiteral("E100"), 0, QStringLiteral("P-0"), QStringLiteral("零 ZERO"), 1, 1, 1, 0, 0)
        .Part(QStringLiteral("E100"), 1, QStringLiteral("P-1"), QStringLiteral("甲 FIRST"), 1, 1, 1, 100, 40)
        .Part(QStringLiteral("E100"), 2, QStringLiteral("P-2"), QStringLiteral("乙 SECOND"), 1, 1, 1, 300, 150)
        .Part(QStringLiteral("E100"), 3, QStringLiteral("P-1"), QStringLiteral("甲 FIRST"), 1, 1, 1, 500, 250);
    return c;
}

class Linkage : public DrawingWindow {
protected:
    void SetUp() override
    {
        DrawingWindow::SetUp();
        Open(Catalogue());
        Click(QStringLiteral("BE100"));
        ASSERT_EQ(frm->LVpart->Count(), 4);
    }
    void ExpectMarked(int hotspot)
    {
        const PictureBox* hot = frm->HotImg->Element(hotspot);
        EXPECT_TRUE(frm->Shp->isVisible());
        EXPECT_FLOAT_EQ(frm->Shp->Left(), hot->Left() + 15);
        EXPECT_FLOAT_EQ(frm->Shp->Top(), hot->Top() + 15);
        EXPECT_FLOAT_EQ(frm->Shp->Width(), hot->Width());
        EXPECT_FLOAT_EQ(frm->Shp->Height(), hot->Height());
    }
};

} // namespace

TEST_F(Linkage, RowClickMarksTheFirstHotspotOfItsPart)
{
    struct Case { int row, hotspot; };
    for (const Case& c : {Case{3, 3}, Case{2, 2}, Case{4, 2}, Case{1, 1}}) {
        QTest::mouseClick(frm->LVpart->viewport(), Qt::LeftButton, {}, RowPoint(c.row));
        EXPECT_EQ(frm->LVpart->SelectedRow(), c.row);
        ExpectMarked(c.hotspot);
    }
    // The parked hotspot lies outside the picture: nothing visible is marked.
    EXPECT_LT(frm->Shp->Left() + frm->Shp->Width(), 300);
}

TEST_F(Linkage, HotspotPressSelectsTheFirstRowOfItsPart)
{
    struct Case { int hotspot, row; };
    for (const Case& c : {Case{3, 3}, Case{4, 2}, Case{2, 2}}) {
        Press(c.hotspot, Qt::LeftButton);
        EXPECT_EQ(frm->LVpart->SelectedRow(), c.row);
        ExpectMarked(c.hotspot);
        Release(c.hotspot, Qt::LeftButton);
    }
}

TEST_F(Linkage, LeftReleaseWritesThePositionBack)
{
    frm->mnuTools_D_Click();   // natural size: the cells come back as they were
    Press(3, Qt::LeftButton);
    const float left = frm->HotImg->Element(3)->Left(), top = frm->HotImg->Element(3)->Top();
    frm->LVpart->SetSubItem(3, X, QStringLiteral("999"));
    frm->LVpart->SetSubItem(3, Y, QStringLiteral("999"));
    Release(3, Qt::LeftButton);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(3)->Left(), left);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(3)->Top(), top);
    EXPECT_EQ(Cell(3, X), QStringLiteral("300"));
    EXPECT_EQ(Cell(3, Y), QStringLiteral("150"));

    // At another size the cells get the natural-picture position again, up to the placement's rounding.
    frm->Toolbar1_ButtonMenuClick(QStringLiteral("ViewS"), QStringLiteral("75%"));
    Press(3, Qt::LeftButton);
    Release(3, Qt::LeftButton);
    EXPECT_NEAR(Cell(3, X).toDouble(), 300, 1e-3);
    EXPECT_NEAR(Cell(3, Y).toDouble(), 150, 1e-9);
}

TEST_F(Linkage, RightPressThenLeftReleaseRewritesNothing)
{
    Press(3, Qt::LeftButton);
    Release(3, Qt::LeftButton);
    ASSERT_TRUE(frm->Shp->isVisible());
    Press(3, Qt::RightButton);
    EXPECT_TRUE(frm->HotspotRightPressed);
    frm->LVpart->SetSubItem(3, X, QStringLiteral("999"));
    frm->HotImg_MouseUp(3, 1, 0, 0, 0);
    EXPECT_EQ(Cell(3, X), QStringLiteral("999"));
    // A right release on a hotspot hides the highlight.
    Release(3, Qt::RightButton);
    EXPECT_FALSE(frm->Shp->isVisible());
}

TEST_F(Linkage, HotspotOfNoRowDoesNothing)
{
    frm->LVpart_ItemClick(3);
    const float shpLeft = frm->Shp->Left();
    frm->HotImg->Element(2)->SetTag(QStringLiteral("P-9"));
    const float left = frm->HotImg->Element(2)->Left();
    frm->LVpart->Select(3);
    Press(2, Qt::LeftButton);
    Release(2, Qt::LeftButton);
    EXPECT_EQ(frm->LVpart->SelectedRow(), 3);
    EXPECT_FLOAT_EQ(frm->Shp->Left(), shpLeft);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(2)->Left(), left);
    // A row whose part has no hotspot leaves the highlight where it was.
    frm->LVpart->SetSubItem(4, PartNumber, QStringLiteral("P-8"));
    frm->LVpart_ItemClick(4);
    EXPECT_FLOAT_EQ(frm->Shp->Left(), shpLeft);
}

TEST_F(Linkage, RightReleaseOverTheListOpensTheOrderMenuOnlyWithASelectedRow)
{
    frm->LVpart->clearSelection();
    frm->LVpart_MouseUp(2, 0, 0, 0);
    EXPECT_FALSE(frm->mnuOrder1->isVisible());
    QTest::mouseClick(frm->LVpart->viewport(), Qt::LeftButton, {}, RowPoint(2));
    EXPECT_FALSE(frm->mnuOrder1->isVisible());
    QTest::mouseClick(frm->LVpart->viewport(), Qt::RightButton, {}, RowPoint(2));
    EXPECT_TRUE(frm->mnuOrder1->isVisible());
    frm->mnuOrder1->hide();
}
