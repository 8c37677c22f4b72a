// Opening a catalogue from the library tree: the book tree's nodes, the cover and its size limit, the failure
// exits, and which clicks open anything.
#include "Fixtures.h"
#include "ModExplor.h"
#include "TestSupport.h"
#include "catalogue/BookTree.h"
#include "catalogue/frmExplore.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/KeyedTree.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/ScrollArea.h"
#include "startup/Shape.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

class BookTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath = dir.path() + '/';
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        Forms::unload<frmExplore>();
        Settle();
        ModExplor::BookConnection.reset();
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath.clear();
    }

    // Root, two chapters, drawings below chapters and below a drawing of lower 序号, and two orphans.
    static Fixtures::Catalogue Book(const QString& id = QStringLiteral("D85-1"))
    {
        Fixtures::Catalogue c(id, "  推土机 D85 Bulldozer ", "S1:推土机 Bulldozers", "V2.1");
        c.Chapter("C01", "发动机 Engine")
            .Chapter(" C02 ", "车架 frame")
            .Drawing("E200", "水泵 Water pump", "C01", 3)
            .Drawing("E100", "气缸盖 Cylinder Head", " C01 ", 1)
            .Drawing("E110", "气门 Valve", "E100", 2)
            .Drawing("F100", "车架总成", "C02", 1)
            .Drawing("X100", "孤儿 Orphan", "E300", 1)          // parent comes later
            .Drawing("X200", "孤儿子 Orphan child", "X100", 2)
            .Drawing("E300", "风扇 Fan", "C01", 4)
            .Part("E100", 1, "6D125-11", "螺栓 BOLT");
        c.coverSize = QSize(400, 300);
        return c;
    }

    frmExplore* Open(const QString& key)
    {
        frmExplore* w = Forms::get<frmExplore>();
        w->TVbooks->Select(w->TVbooks->Node(key));
        w->TVbooks_Click();
        return w;
    }

    static QStringList Children(QTreeWidgetItem* node)
    {
        QStringList keys;
        for (int i = 0; node && i < node->childCount(); ++i) keys << KeyedTree::Key(node->child(i));
        return keys;
    }

    ScratchDir dir;
};

} // namespace

TEST_F(BookTreeTest, RootChaptersAndDrawingsWithKeysTagsPicturesAndNesting)
{
    Fixtures::AddToDataFolder(dir.path(), "d85", Book());
    frmExplore* w = Open("D85-1");
    KeyedTree& t = *w->TVbook;

    QTreeWidgetItem* root = t.Node("Root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(t.topLevelItemCount(), 1);
    EXPECT_EQ(root->text(0), "推土机 D85 Bulldozer [版本:V2.1]");
    EXPECT_EQ(KeyedTree::Tag(root), "Root");
    EXPECT_EQ(KeyedTree::Picture(root), 3);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(Children(root), QStringList({"BC01", "BC02"}));

    QTreeWidgetItem* c1 = t.Node("BC01");
    EXPECT_EQ(c1->text(0), "发动机 ENGINE");
    EXPECT_EQ(KeyedTree::Tag(c1), "C");
    EXPECT_EQ(KeyedTree::Picture(c1), 5);
    EXPECT_FALSE(c1->isExpanded());
    EXPECT_EQ(Children(c1), QStringList({"BE100", "BE200", "BE300"}));   // ascending 序号
    EXPECT_EQ(Children(t.Node("BE100")), QStringList({"BE110"}));
    EXPECT_EQ(Children(t.Node("BC02")), QStringList({"BF100"}));

    QTreeWidgetItem* e110 = t.Node("BE110");
    EXPECT_EQ(e110->text(0), "E110.气门 VALVE");
    EXPECT_EQ(KeyedTree::Tag(e110), "D1");
    EXPECT_EQ(KeyedTree::Picture(e110), 6);
    EXPECT_EQ(t.Node("BF100")->text(0), "F100.车架总成");
    EXPECT_EQ(t.Node("BX100"), nullptr);                          // its parent came later
    EXPECT_EQ(t.Node("BX200"), nullptr);                          // and so did its child's

    // The catalogue stays open for the drawing pages.
    EXPECT_EQ(ModExplor::CurrentBookPath, dir.path() + "/d85/book.sd");
    EXPECT_EQ(ModExplor::BookConnectionString,
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dir.path() + "/d85/book.sd;Persist Security Info=False");
    ASSERT_TRUE(ModExplor::BookConnection);
    EXPECT_TRUE(ModExplor::BookConnection->IsOpen());
    EXPECT_FALSE(ModExplor::BookRecordset);

    // Again: rebuilt from scratch, all chapters collapsed.
    c1->setExpanded(true);
    w->TVbooks_Click();
    EXPECT_FALSE(w->TVbook->Node("BC01")->isExpanded());
    EXPECT_EQ(Children(w->TVbook->Node("BC01")), QStringList({"BE100", "BE200", "BE300"}));
}

TEST_F(BookTreeTest, EnglishTextsAndANullRemark)
{
    ModExplor::LanguageFlag = QStringLiteral("1");
    Fixtures::Catalogue c = Book();
    c.rows[0].remark = QVariant();
    Fixtures::AddToDataFolder(dir.path(), "d85", c);
    frmExplore* w = Open("D85-1");
    EXPECT_EQ(w->TVbook->Node("Root")->text(0), "D85 BULLDOZER [ver:]");
    EXPECT_EQ(w->TVbook->Node("BC02")->text(0), "FRAME");
    EXPECT_EQ(w->TVbook->Node("BE110")->text(0), "E110.VALVE");
    EXPECT_EQ(w->TVbook->Node("BF100")->text(0), "F100.车架总成");   // no space: the whole name
}

TEST_F(BookTreeTest, CoverIsShownAtItsNaturalSizeUpToEightThousandTwips)
{
    struct Case { float w, h, shownW, shownH; };
    const Case table[] = {
        {12000, 6000, 8000, 4000}, {6000, 5000, 6000, 5000}, {9000, 9000, 8000, 8000},
        {6000, 12000, 4000, 8000}, {9000, 4500, 8000, 4000}, {4500, 9000, 4000, 8000}, {8000, 8000, 8000, 8000},
    };
    for (const Case& c : table) {
        float w = c.w, h = c.h;
        BookTree::LimitCoverSize(w, h);
        EXPECT_FLOAT_EQ(w, c.shownW) << c.w << " x " << c.h;
        EXPECT_FLOAT_EQ(h, c.shownH) << c.w << " x " << c.h;
    }

    Fixtures::Catalogue big = Book();
    big.coverSize = QSize(800, 400);                  // 12000 x 6000 twips
    Fixtures::AddToDataFolder(dir.path(), "d85", big);
    frmExplore* w = Open("D85-1");
    ASSERT_TRUE(w->imgMain->HasPicture());
    EXPECT_TRUE(w->imgMain->Stretch());
    EXPECT_FLOAT_EQ(w->imgMain->Width(), 8000);
    EXPECT_FLOAT_EQ(w->imgMain->Height(), 4000);
    EXPECT_FLOAT_EQ(w->imgMain->Left(), 0);
    EXPECT_FLOAT_EQ(w->imgMain->Top(), 0);
    EXPECT_FLOAT_EQ(w->NaturalWidth, 12000);
    EXPECT_EQ(w->NaturalHeight, 6000);
    EXPECT_EQ(w->S1->ContentWidth(), 8000);
    EXPECT_EQ(w->S1->ContentHeight(), 4000);

    // A small cover keeps its size; a cover named in other letter case is found.
    Fixtures::Catalogue small = Book("D65-1");
    small.coverSize = QSize(300, 200);
    const QString folder = Fixtures::AddToDataFolder(dir.path(), "d65", small);
    ASSERT_TRUE(QFile::rename(folder + "Cover.gif", folder + "COVER.GIF"));
    w->RefreshLibrary();
    Open("D65-1");
    ASSERT_TRUE(w->imgMain->HasPicture());
    EXPECT_FLOAT_EQ(w->imgMain->Width(), 4500);
    EXPECT_FLOAT_EQ(w->imgMain->Height(), 3000);
    EXPECT_FLOAT_EQ(w->NaturalWidth, 4500);
    EXPECT_EQ(w->S1->ContentHeight(), 3000);
}

TEST_F(BookTreeTest, MissingOrBrokenCoverKeepsTheBookTreeAndClosesTheCatalogue)
{
    const QString missing = Fixtures::AddToDataFolder(dir.path(), "missing", Book("M-1"));
    QFile::remove(missing + "Cover.gif");
    const QString broken = Fixtures::AddToDataFolder(dir.path(), "broken", Book("B-1"));
    QFile f(broken + "Cover.gif");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("GIF89a, then nothing a picture reader accepts");
    f.close();

    for (const char* key : {"M-1", "B-1"}) {
        SCOPED_TRACE(key);
        frmExplore* w = Open(key);
        EXPECT_NE(w->TVbook->Node("BE110"), nullptr);
        EXPECT_FALSE(w->imgMain->HasPicture());
        EXPECT_EQ(w->S1->ContentWidth(), 0);
        EXPECT_EQ(w->S1->ContentHeight(), 0);
        ASSERT_TRUE(ModExplor::BookConnection);
        EXPECT_FALSE(ModExplor::BookConnection->IsOpen());
    }
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
}

TEST_F(BookTreeTest, ADatabaseThatCannotBeOpenedLeavesTheBookTreeEmptyButShowsTheCover)
{
    const QString folder = Fixtures::AddToDataFolder(dir.path(), "d85", Book());
    frmExplore* w = Forms::get<frmExplore>();
    QFile f(folder + "book.sd");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));   // damaged after the library was read
    f.write(QByteArray("not a database ").repeated(100));
    f.close();
    Open("D85-1");
    EXPECT_EQ(w->TVbook->topLevelItemCount(), 0);
    EXPECT_TRUE(w->imgMain->HasPicture());
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
}

TEST_F(BookTreeTest, ASeriesNodeEmptiesTheBookTreeAndThePage)
{
    Fixtures::AddToDataFolder(dir.path(), "d85", Book());
    frmExplore* w = Open("D85-1");
    ASSERT_GT(w->TVbook->Count(), 0);
    // What a drawing page leaves behind.
    w->LVpart->AddColumn("A", 600);
    w->LVpart->AddRow("B6D125-111", "1");
    w->HotImg->Load(1)->show();
    w->Shp->show();
    w->lbTitle->show();

    w->TVbooks->Select(w->TVbooks->Node("S1"));
    w->TVbooks_Click();
    EXPECT_EQ(w->TVbook->topLevelItemCount(), 0);
    EXPECT_EQ(w->LVpart->Count(), 0);
    EXPECT_EQ(w->LVpart->ColumnCount(), 1);          // the headings stay
    EXPECT_EQ(w->HotImg->UBound(), 0);
    EXPECT_FALSE(w->imgMain->HasPicture());
    EXPECT_FALSE(w->Shp->isVisible());
    EXPECT_FALSE(w->lbTitle->isVisible());
    EXPECT_EQ(w->S1->ContentWidth(), 0);
}

TEST_F(BookTreeTest, OnlyMouseClicksInTheLibraryTreeOpenACatalogue)
{
    Fixtures::AddToDataFolder(dir.path(), "d85", Book());
    Fixtures::AddToDataFolder(dir.path(), "d65", Book("D65-1"));
    Fixtures::Catalogue other("L-1", "装载机 Loader", "S2:装载机 Loaders");
    other.Chapter("L01", "铲斗 Bucket");
    Fixtures::AddToDataFolder(dir.path(), "l1", other);
    frmExplore* w = Forms::get<frmExplore>();
    KeyedTree& books = *w->TVbooks;
    w->resize(1000, 700);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    books.scrollToItem(books.Node("D85-1"));

    QTest::mouseClick(books.viewport(), Qt::LeftButton, {}, books.visualItemRect(books.Node("D85-1")).center());
    EXPECT_EQ(books.SelectedNode(), books.Node("D85-1"));
    ASSERT_NE(w->TVbook->Node("BE100"), nullptr);

    // The keyboard moves the selection but opens nothing.
    books.setFocus();
    QTest::keyClick(books.viewport(), Qt::Key_Down);
    if (books.SelectedNode() == books.Node("D85-1")) QTest::keyClick(books.viewport(), Qt::Key_Up);
    EXPECT_NE(books.SelectedNode(), books.Node("D85-1"));
    EXPECT_NE(w->TVbook->Node("BE100"), nullptr);
    books.Select(books.Node("D85-1"));

    // The expand box of a series node leaves the selection and rebuilds the selected catalogue's tree.
    w->TVbook->Node("BC01")->setExpanded(true);
    QTreeWidgetItem* s2 = books.Node("S2");
    s2->setExpanded(true);
    const QRect r = books.visualItemRect(s2);
    QTest::mouseClick(books.viewport(), Qt::LeftButton, {}, QPoint(r.left() - books.indentation() / 2, r.center().y()));
    EXPECT_FALSE(s2->isExpanded());
    EXPECT_EQ(books.SelectedNode(), books.Node("D85-1"));
    ASSERT_NE(w->TVbook->Node("BC01"), nullptr);
    EXPECT_FALSE(w->TVbook->Node("BC01")->isExpanded());
}
