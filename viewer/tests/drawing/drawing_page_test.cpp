// The drawing page: part list cells, hotspots, picture and best fit, and the faults a catalogue can carry.
#include "DrawingWindow.h"
#include "drawing/DrawingPage.h"
#include "drawing/Zoom.h"
#include "startup/DataAccess.h"
#include "startup/TextRules.h"
#include "startup/Twips.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>

using namespace DrawingPage;

namespace {

// Drawing E100 on a picture of 600 x 300 pixels (9000 x 4500 twips).
Fixtures::Catalogue Catalogue()
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.pictureSize = QSize(600, 300);
    c.Chapter(QStringLiteral("C01"), QStringLiteral("发动机 Engine"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("气缸盖 Cylinder Head"), QStringLiteral("C01"), 1)
        .Part(QStringLiteral("E100"), 1, QStringLiteral("6D125-11"), QStringLiteral("螺栓 BOLT M12"), 2, 12.5, QStringLiteral("1.50"), 100, 40)
        .Part(QStringLiteral("E100"), 2, QStringLiteral("6D125-12"), QStringLiteral("垫片"), 3, QVariant(), 0.25, 300, 150)
        .Part(QStringLiteral("E100"), 0, QStringLiteral("6D125-13"), QStringLiteral("销 PIN"), 1, 4, 0.1, 50, 50)
        .Drawing(QStringLiteral("E110"), QStringLiteral("油底壳 Oil Pan"), QStringLiteral("C01"), 2)
        .Part(QStringLiteral("E110"), 1, QStringLiteral("6D125-20"), QStringLiteral("油底壳 PAN"), 1, 80, 5, 20, 20);
    return c;
}

class DrawingPageTest : public DrawingWindow {};

} // namespace

TEST_F(DrawingPageTest, ListsThePartsWithTheirCellsKeysAndIcons)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));

    ReportList& list = *frm->LVpart;
    ASSERT_EQ(list.ColumnCount(), 13);
    const QStringList headings = {"图序号 Fig. No.", "零件号 Part No.", "名称 DESCRIPTION", "数量 Q'TY", "单位 Unit",
                                  "单价 U-Price", "总价 T-Price", "单重 U-Weight", "总重 T-Weight", "归属号 Ass'y No.",
                                  "序号Sl. No.", "x", "y"};
    const int widths[13] = {600, 1500, 2000, 1000, 600, 600, 600, 600, 600, 600, 600, 600, 600};
    for (int c = 0; c < 13; ++c) {
        EXPECT_EQ(list.headerItem()->text(c), headings[c]);
        EXPECT_EQ(list.columnWidth(c), Twips::ToPixels(widths[c]));
    }
    EXPECT_EQ(list.headerItem()->textAlignment(3) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (int c = 4; c <= 9; ++c) EXPECT_EQ(list.headerItem()->textAlignment(c) & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // Ordered by serial number: 0, 1, 2.
    ASSERT_EQ(list.Count(), 3);
    struct Row { const char* key; const char* text; QStringList cells; };
    const Row rows[] = {
        {"B6D125-130", "0", {"6D125-13", "销 PIN", "1", "", "4", "4", "0.1", "0.1", "E100", "1", "-30", "-30"}},
        {"B6D125-111", "1", {"6D125-11", "螺栓 BOLT M12", "2", "", "12.5", "25", "1.5", "3", "E100", "2", "100", "40"}},
        {"B6D125-122", "2", {"6D125-12", "垫片", "3", "", "", "0", "0.25", "0.75", "E100", "3", "300", "150"}},
    };
    for (int r = 1; r <= 3; ++r) {
        const Row& expected = rows[r - 1];
        EXPECT_EQ(list.Key(r), QString::fromUtf8(expected.key));
        EXPECT_EQ(list.Text(r), QString::fromUtf8(expected.text));
        EXPECT_EQ(list.SmallIcon(r), 2);
        for (int s = 1; s <= 12; ++s) EXPECT_EQ(Cell(r, s), expected.cells[s - 1]) << "row " << r << " sub-item " << s;
    }
    ASSERT_EQ(frm->PartNames.size(), 4);
    EXPECT_EQ(frm->PartNames[0], QStringLiteral("销 PIN"));
    EXPECT_EQ(frm->PartNames[1], QStringLiteral("螺栓 BOLT M12"));

    EXPECT_TRUE(frm->lbTitle->isVisible());
    EXPECT_EQ(frm->lbTitle->text(), QStringLiteral("E100"));
    EXPECT_EQ(ModExplor::CurrentBookPath, folder + "book.sd");
}

TEST_F(DrawingPageTest, EnglishModeHeadingsAndNames)
{
    ModExplor::LanguageFlag = QStringLiteral("1");
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    EXPECT_EQ(frm->LVpart->headerItem()->text(0), QStringLiteral("Fig. No."));
    EXPECT_EQ(frm->LVpart->headerItem()->text(1), QStringLiteral("PART NO."));
    EXPECT_EQ(frm->LVpart->headerItem()->text(10), QStringLiteral("Sl. No."));
    EXPECT_EQ(Cell(2, Name), QStringLiteral("BOLT M12"));
    EXPECT_EQ(Cell(3, Name), QStringLiteral("垫片"));           // no blank: the whole name
    EXPECT_EQ(frm->PartNames[1], QStringLiteral("螺栓 BOLT M12"));   // the basket keeps the full name
}

TEST_F(DrawingPageTest, PictureIsFittedAndEveryHotspotSitsOnItsCallout)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));

    EXPECT_TRUE(frm->imgMain->HasPicture());
    EXPECT_TRUE(frm->imgMain->Stretch());
    EXPECT_FLOAT_EQ(frm->NaturalWidth, 9000);
    EXPECT_EQ(frm->NaturalHeight, 4500);
    Zoom::Size fitted;
    ASSERT_TRUE(Zoom::FitSize(frm->S1->OuterWidth(), frm->S1->OuterHeight(), 9000, 4500, fitted));
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), fitted.width);
    EXPECT_FLOAT_EQ(frm->imgMain->Height(), fitted.height);
    EXPECT_EQ(frm->imgMain->Left(), 0);
    EXPECT_EQ(frm->imgMain->Top(), 0);
    EXPECT_EQ(frm->S1->ContentWidth(), std::lrint(fitted.width));
    EXPECT_EQ(frm->S1->ContentHeight(), std::lrint(fitted.height));

    ASSERT_EQ(frm->HotImg->UBound(), 3);
    const float scale = fitted.width / 9000;
    for (int i = 1; i <= 3; ++i) {
        const PictureBox* hot = frm->HotImg->Element(i);
        EXPECT_TRUE(hot->isVisible());
        EXPECT_EQ(hot->Tag(), Cell(i, PartNumber));
        EXPECT_EQ(hot->objectName(), QStringLiteral("HotImg(%1)").arg(i));
    }
    // Serial number 0 is parked outside the picture, and stays outside after the fit.
    EXPECT_LT(frm->HotImg->Element(1)->Left() + frm->HotImg->Element(1)->Width(), 300);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(2)->Left(), (100 * scale - 8) * 15);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(2)->Top(), (40 * frm->imgMain->Height() / 4500 - 8) * 15);
    EXPECT_FALSE(frm->Shp->isVisible());
}

TEST_F(DrawingPageTest, BestFitIntoAreasOfGivenSizes)
{
    Open(Catalogue());
    frm->hide();
    // The scroll area's frame is outside the area a picture may fill.
    const int frame = frm->S1->frameWidth() * 2;
    struct Case { int w, h; float width, height; };
    for (const Case& c : {Case{400, 400, 6000, 3000}, Case{400, 100, 3000, 1500}}) {
        frm->S1->resize(c.w + frame, c.h + frame);
        ASSERT_FLOAT_EQ(frm->S1->OuterWidth(), c.w * 15.0f);
        frm->TVbook->Select(frm->TVbook->Node(QStringLiteral("BE100")));
        frm->TVbook_Click();
        EXPECT_FLOAT_EQ(frm->imgMain->Width(), c.width);
        EXPECT_FLOAT_EQ(frm->imgMain->Height(), c.height);
    }
}

TEST_F(DrawingPageTest, SerialNumbersStoredAsTextSortAsText)
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.Chapter(QStringLiteral("C01"), QStringLiteral("章 Chapter"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("图 Drawing"), QStringLiteral("C01"), 1)
        .Part(QStringLiteral("E100"), QStringLiteral("2"), QStringLiteral("P-2"), QStringLiteral("二 TWO"), 1, 1, 1, 10, 10)
        .Part(QStringLiteral("E100"), QStringLiteral("10"), QStringLiteral("P-10"), QStringLiteral("十 TEN"), 1, 1, 1, 20, 20);
    Open(c);
    Click(QStringLiteral("BE100"));
    ASSERT_EQ(frm->LVpart->Count(), 2);
    EXPECT_EQ(frm->LVpart->Text(1), QStringLiteral("10"));
    EXPECT_EQ(frm->LVpart->Text(2), QStringLiteral("2"));
    EXPECT_EQ(frm->HotImg->Element(1)->Tag(), QStringLiteral("P-10"));
}

TEST_F(DrawingPageTest, SameDrawingTwiceRebuildsTheSamePage)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    const QStringList keys = {frm->LVpart->Key(1), frm->LVpart->Key(2), frm->LVpart->Key(3)};
    const QVector<QString> names = frm->PartNames;
    Click(QStringLiteral("BE100"));
    TestSupport::Settle();
    ASSERT_EQ(frm->LVpart->Count(), 3);
    EXPECT_EQ(frm->HotImg->UBound(), 3);
    EXPECT_EQ((QStringList{frm->LVpart->Key(1), frm->LVpart->Key(2), frm->LVpart->Key(3)}), keys);
    EXPECT_EQ(frm->PartNames, names);
    EXPECT_EQ(frm->S1->Content()->findChildren<PictureBox*>(QStringLiteral("HotImg(3)")).size(), 1);
}

TEST_F(DrawingPageTest, ChapterAfterDrawingEmptiesThePage)
{
    Open(Catalogue());
    Click(QStringLiteral("BE100"));
    frm->LVpart->Select(2);
    frm->LVpart_ItemClick(2);
    ASSERT_TRUE(frm->Shp->isVisible());
    Click(QStringLiteral("BC01"));
    EXPECT_EQ(frm->LVpart->Count(), 0);
    EXPECT_EQ(frm->LVpart->ColumnCount(), 0);
    EXPECT_FALSE(frm->imgMain->HasPicture());
    EXPECT_FALSE(frm->lbTitle->isVisible());
    EXPECT_FALSE(frm->Shp->isVisible());
    EXPECT_EQ(frm->HotImg->UBound(), 0);
    EXPECT_EQ(frm->S1->ContentWidth(), 0);
    // Nothing to zoom on a page without a picture.
    frm->mnuTools_A_Click();
    frm->mnuTools_Shi_Click();
    frm->Toolbar1_ButtonMenuClick(QStringLiteral("ViewL"), QStringLiteral("200%"));
    EXPECT_EQ(frm->S1->ContentWidth(), 0);
}

TEST_F(DrawingPageTest, TwoRowsWithTheSameKeyAreBothListed)
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.Chapter(QStringLiteral("C01"), QStringLiteral("章 Chapter"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("图 Drawing"), QStringLiteral("C01"), 1)
        .Part(QStringLiteral("E100"), 1, QStringLiteral("P-1"), QStringLiteral("甲 FIRST"), 1, 1, 1, 10, 10)
        .Part(QStringLiteral("E100"), 1, QStringLiteral("P-1"), QStringLiteral("乙 SECOND"), 2, 1, 1, 30, 30)
        .Part(QStringLiteral("E100"), 2, QStringLiteral("P-2"), QStringLiteral("丙 THIRD"), 1, 1, 1, 50, 50);
    Open(c);
    Click(QStringLiteral("BE100"));
    ASSERT_EQ(frm->LVpart->Count(), 3);
    EXPECT_EQ(frm->LVpart->Key(1), QStringLiteral("BP-11"));
    EXPECT_NE(frm->LVpart->Key(2), QStringLiteral("BP-11"));
    EXPECT_EQ(frm->LVpart->Key(3), QStringLiteral("BP-22"));
    EXPECT_EQ(frm->HotImg->UBound(), 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(Cell(i, RowNumber), QString::number(i));
        EXPECT_EQ(frm->HotImg->Element(i)->Tag(), Cell(i, PartNumber));
    }
    EXPECT_EQ(frm->PartNames[1], QStringLiteral("乙 SECOND"));
    EXPECT_EQ(frm->PartNames[2], QStringLiteral("丙 THIRD"));
}

TEST_F(DrawingPageTest, PictureFoundWhenItsNameDiffersInCase)
{
    Fixtures::Catalogue c = Catalogue();
    Open(c);
    ASSERT_TRUE(QFile::rename(folder + "E100.rs_", folder + "e100.RS_"));
    ASSERT_TRUE(QFile::rename(folder + "book.sd", folder + "BOOK.SD"));
    Click(QStringLiteral("BE100"));
    EXPECT_EQ(frm->LVpart->Count(), 3);
    EXPECT_TRUE(frm->imgMain->HasPicture());
}

// Every way a drawing's picture can fail leaves the list and the title, without a picture.
TEST_F(DrawingPageTest, PictureThatCannotBeShownLeavesTheListAndTitle)
{
    struct Case { const char* name; std::function<void(const QString& folder)> spoil; QString file; };
    const auto writeBytes = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    // A bitmap header claiming 30000 x 30000 pixels: far over the decoder's allocation limit.
    QByteArray huge("BM", 2);
    auto le32 = [&huge](quint32 v) { for (int i = 0; i < 4; ++i) huge.append(char((v >> (8 * i)) & 0xff)); };
    auto le16 = [&huge](quint16 v) { huge.append(char(v & 0xff)); huge.append(char(v >> 8)); };
    le32(54 + 16); le32(0); le32(54); le32(40); le32(30000); le32(30000); le16(1); le16(24); le32(0); le32(0);
    le32(2835); le32(2835); le32(0); le32(0);
    huge.append(QByteArray(16, '\0'));

    const Case cases[] = {
        {"missing", [](const QString& f) { QFile::remove(f + "E100.rs_"); }, QString()},
        {"not a picture", [&](const QString& f) { writeBytes(f + "E100.rs_", "this is not a picture"); }, QString()},
        {"huge", [&](const QString& f) { writeBytes(f + "E100.rs_", huge); }, QString()},
        {"outside the folder", [](const QString&) {}, QStringLiteral("../outside/E100.gif")},
        {"absolute", [](const QString&) {}, QStringLiteral("/tmp/E100.gif")},
        {"backslashes upwards", [](const QString&) {}, QStringLiteral("..\\outside\\E100.gif")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A real picture where the name would lead, outside the catalogue folder.
        QDir(data.path()).mkpath(QStringLiteral("outside"));
        Fixtures::SavePicture(QImage(64, 64, QImage::Format_RGB32), data.file("outside/E100.rs_"));
        Open(Catalogue());
        c.spoil(folder);
        if (!c.file.isEmpty()) {
            Connection db;
            db.Open(DatabaseConnectionText(folder + "book.sd"));
            db.Execute(QStringLiteral("update tblBook set 文件='") + SqlText(c.file) + QStringLiteral("' where 级='D1'"));
            db.Close();
        }
        Click(QStringLiteral("BE100"));
        EXPECT_EQ(frm->LVpart->Count(), 3);
        EXPECT_TRUE(frm->lbTitle->isVisible());
        EXPECT_FALSE(frm->imgMain->HasPicture());
        EXPECT_EQ(frm->S1->ContentWidth(), 0);
        for (int i = 1; i <= 3; ++i) EXPECT_TRUE(frm->HotImg->Element(i)->isHidden());
        frm->mnuTools_A_Click();
        frm->mnuTools_D_Click();
        frm->Toolbar1_ButtonMenuClick(QStringLiteral("ViewS"), QStringLiteral("50%"));
        EXPECT_EQ(frm->imgMain->Width(), 0);
        Forms::unload<frmExplore>();
        TestSupport::Settle();
    }
}

TEST_F(DrawingPageTest, DrawingWithoutItsDrawingRowShowsTheListOnly)
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.Chapter(QStringLiteral("C01"), QStringLiteral("章 Chapter"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("图 Drawing"), QStringLiteral("C01"), 1)
        .Part(QStringLiteral("E200"), 1, QStringLiteral("P-1"), QStringLiteral("甲 FIRST"), 1, 1, 1, 10, 10);
    Open(c);
    // A tree node for a drawing the catalogue has no drawing row for.
    KeyedTree::SetTag(frm->TVbook->Add(QStringLiteral("BC01"), QStringLiteral("BE200"), QStringLiteral("E200"), 6),
                      QStringLiteral("D1"));
    frm->TVbook->Select(frm->TVbook->Node(QStringLiteral("BE200")));
    frm->TVbook_Click();
    EXPECT_EQ(frm->LVpart->Count(), 1);
    EXPECT_EQ(frm->lbTitle->text(), QStringLiteral("E200"));
    EXPECT_FALSE(frm->imgMain->HasPicture());
    EXPECT_TRUE(frm->HotImg->Element(1)->isHidden());
}

TEST_F(DrawingPageTest, CatalogueThatCannotBeOpenedGivesAnEmptyList)
{
    Open(Catalogue());
    QFile::remove(folder + "book.sd");
    Click(QStringLiteral("BE100"));
    EXPECT_EQ(frm->LVpart->Count(), 0);
    EXPECT_EQ(frm->LVpart->ColumnCount(), 13);
    EXPECT_FALSE(frm->imgMain->HasPicture());
    EXPECT_FALSE(QFile::exists(folder + "book.sd"));
}

TEST_F(DrawingPageTest, ApostropheInTheDrawingNumber)
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.Chapter(QStringLiteral("C01"), QStringLiteral("章 Chapter"))
        .Drawing(QStringLiteral("E'100"), QStringLiteral("图 Drawing"), QStringLiteral("C01"), 1, QStringLiteral("E100.gif"))
        .Part(QStringLiteral("E'100"), 1, QStringLiteral("P'1"), QStringLiteral("甲 FIRST"), 1, 1, 1, 10, 10);
    Open(c);
    Click(QStringLiteral("BE'100"));
    EXPECT_EQ(frm->LVpart->Count(), 1);
    EXPECT_TRUE(frm->imgMain->HasPicture());
}

// Through the real library and book trees: the catalogue opened by its library node, then its drawing.
TEST_F(DrawingPageTest, DrawingOfACatalogueOpenedFromTheLibrary)
{
    Open(Catalogue());
    frm->RefreshLibrary();
    QTreeWidgetItem* book = frm->TVbooks->Node(QStringLiteral("D85-1"));
    ASSERT_NE(book, nullptr);
    frm->TVbooks->Select(book);
    frm->TVbooks_Click();
    ASSERT_NE(frm->TVbook->Node(QStringLiteral("BE100")), nullptr);
    frm->TVbook->expandAll();
    Click(QStringLiteral("BE100"));
    EXPECT_EQ(frm->LVpart->Count(), 3);
    EXPECT_TRUE(frm->imgMain->HasPicture());
    EXPECT_EQ(frm->HotImg->UBound(), 3);
    EXPECT_TRUE(frm->HotImg->Element(2)->isVisible());
}
