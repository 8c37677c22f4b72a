// The part search over real catalogue folders, and the jump to a hit.
#include "Fixtures.h"
#include "ModExplor.h"
#include "TestSupport.h"
#include "catalogue/frmExplore.h"
#include "search/frmQuery.h"
#include "startup/Forms.h"
#include "startup/KeyedTree.h"
#include "startup/ReportList.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {
class Search : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::SetProgramFolder(program.path());
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath = data.path() + "/";
    }
    void TearDown() override
    {
        Forms::unload<frmQuery>();
        Forms::unload<frmExplore>();
        Settle();
    }

    void AddCatalogue(const QString& folder, const QString& id, const QStringList& parts, const QString& prefix = "S1")
    {
        Fixtures::Catalogue c(id, "推土机 Bulldozer " + id, prefix + ":推土机 Bulldozers");
        c.Chapter("C1", "发动机 Engine").Drawing("D" + id, "气缸 Cylinder", "C1", 1);
        int serial = 1;
        for (const QString& p : parts) c.Part("D" + id, serial++, p, "螺栓 BOLT " + p, 1, 2.5, 0.1, 10 * serial, 10 * serial);
        Fixtures::AddToDataFolder(data.path(), folder, c);
    }

    frmQuery* Run(const QString& number, const QString& name = QString(), bool exact = false)
    {
        frmQuery* q = Forms::get<frmQuery>();
        q->txtNO->setText(number);
        q->txtName->setText(name);
        q->chk1->setChecked(exact);
        q->cmdQuery_Click();
        return q;
    }

    // Hits as "catalogue:part" in list order, checking the numbering on the way.
    QStringList Hits(frmQuery* q)
    {
        QStringList out;
        for (int r = 1; r <= q->lvResult->Count(); ++r) {
            EXPECT_EQ(q->lvResult->Text(r), QString::number(r));
            EXPECT_EQ(q->lvResult->Key(r), "B" + QString::number(r));
            out << q->lvResult->SubItem(r, 3) + ":" + q->lvResult->SubItem(r, 1);
        }
        return out;
    }

    // The visiting order of the data folder: last listed first.
    QStringList VisitOrder()
    {
        QStringList names = QDir(data.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
        std::reverse(names.begin(), names.end());
        return names;
    }

    ScratchDir program;
    ScratchDir data;
};
} // namespace

TEST_F(Search, QueryTextIsBuiltFromTheInputs)
{
    const QString head = "select A.*,(select B.图号 from tblBook B where B.级='Root') as CheXingID from tblBook A where 1 ";
    EXPECT_EQ(frmQuery::BuildQueryText(" 123 ", "", false), head + "and 图号 like '%123%' ");
    EXPECT_EQ(frmQuery::BuildQueryText("123", "", true), head + "and 图号='123' ");
    EXPECT_EQ(frmQuery::BuildQueryText("", "BOLT", true), head + " and 名称 = 'BOLT'");
    EXPECT_EQ(frmQuery::BuildQueryText("1", " BOLT ", false), head + "and 图号 like '%1%'  and 名称 like '%BOLT%'");
    EXPECT_EQ(frmQuery::BuildQueryText("O'RING", "", true), head + "and 图号='O''RING' ");
}

TEST_F(Search, PartialAndExactMatchingAcrossCatalogues)
{
    AddCatalogue("a", "CAT-A", {"1234-01", "99-1234", "5555"});
    AddCatalogue("b", "CAT-B", {"1234", "777"});
    frmQuery* q = Run("1234");
    QStringList hits = Hits(q);
    EXPECT_EQ(hits.size(), 3);
    // Catalogues visited from the last listed folder to the first.
    const QStringList order = VisitOrder();
    EXPECT_TRUE(hits.first().startsWith(order.first() == "a" ? "CAT-A" : "CAT-B"));
    for (const QString& h : hits) EXPECT_TRUE(h.contains("1234")) << h.toStdString();
    EXPECT_EQ(q->lvResult->SubItem(1, 4), ModExplor::DataPath + order.first() + "/book.sd");
    EXPECT_EQ(q->lvResult->SubItem(1, 5), "D" + q->lvResult->SubItem(1, 3));

    q = Run("1234", QString(), true);
    EXPECT_EQ(Hits(q), QStringList{"CAT-B:1234"});
    // A new search numbers from 1 again.
    EXPECT_EQ(q->lvResult->Text(1), "1");
}

TEST_F(Search, NameAndBothInputsAndBlanks)
{
    AddCatalogue("a", "CAT-A", {"1234-01", "5555"});
    frmQuery* q = Run("", "bolt 5555");             // like is case-insensitive
    EXPECT_EQ(Hits(q), QStringList{"CAT-A:5555"});
    q = Run("1234", "5555");
    EXPECT_TRUE(Hits(q).isEmpty());
    q = Run("   ", "  ");
    EXPECT_EQ(q->lvResult->Count(), 0);
    EXPECT_EQ(q->lvResult->ColumnCount(), 6);
    // No condition on the level: a chapter number is a hit too.
    q = Run("C1", QString(), true);
    EXPECT_EQ(Hits(q), QStringList{"CAT-A:C1"});
}

TEST_F(Search, ApostropheFindsThePart)
{
    AddCatalogue("a", "CAT-A", {"O'RING", "ORING"});
    EXPECT_EQ(Hits(Run("O'RING", QString(), true)), QStringList{"CAT-A:O'RING"});
    EXPECT_EQ(Hits(Run("'", QString(), false)), QStringList{"CAT-A:O'RING"});
}

TEST_F(Search, DamagedCatalogueIsSkipped)
{
    AddCatalogue("a", "CAT-A", {"1234"});
    QDir(data.path()).mkdir("broken");
    QFile f(data.file("broken/book.sd"));
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(4096, 'x'));
    f.close();
    QDir(data.path()).mkdir("empty");
    AddCatalogue("c", "CAT-C", {"1234-9"});
    QStringList hits = Hits(Run("1234"));
    hits.sort();
    EXPECT_EQ(hits, (QStringList{"CAT-A:1234", "CAT-C:1234-9"}));
    EXPECT_FALSE(QFile::exists(data.file("empty/book.sd")));
    EXPECT_EQ(ModExplor::BookConnection, nullptr);
    EXPECT_EQ(ModExplor::BookRecordset, nullptr);
}

TEST_F(Search, JumpOpensTheCatalogueTheDrawingAndThePart)
{
    AddCatalogue("a", "CAT-A", {"A-1", "A-2"}, "S1");
    AddCatalogue("b", "CAT-B", {"B-1", "B-2", "B-3"}, "S2");
    frmExplore* main = Forms::get<frmExplore>();
    // The main window shows the other catalogue first.
    main->TVbooks->Select(main->TVbooks->Node("CAT-A"));
    main->TVbooks_Click();

    frmQuery* q = Run("B-3", QString(), true);
    ASSERT_EQ(q->lvResult->Count(), 1);
    q->lvResult->Select(1);
    q->lvResult_DblClick();
    EXPECT_EQ(KeyedTree::Key(main->TVbooks->SelectedNode()), "CAT-B");
    EXPECT_EQ(KeyedTree::Key(main->TVbook->SelectedNode()), "BDCAT-B");
    ASSERT_EQ(main->LVpart->Count(), 3);
    EXPECT_EQ(main->LVpart->SelectedRow(), 3);
    EXPECT_EQ(main->LVpart->SubItem(3, 1), "B-3");
}

TEST_F(Search, JumpToAMissingCatalogueStillRunsEveryStep)
{
    AddCatalogue("a", "CAT-A", {"A-1"});
    frmExplore* main = Forms::get<frmExplore>();
    frmQuery* q = Run("A-1", QString(), true);
    ASSERT_EQ(q->lvResult->Count(), 1);
    QDir(data.file("a")).removeRecursively();
    main->TVbooks->RemoveAll();
    q->lvResult->Select(1);
    q->lvResult_DblClick();          // nothing to find; no crash
    EXPECT_EQ(main->LVpart->Count(), 0);
}

TEST_F(Search, SecondStartWhileSearchingIsIgnored)
{
    for (int i = 0; i < 4; ++i) AddCatalogue(QString("c%1").arg(i), QString("CAT-%1").arg(i), {"X-1"});
    frmQuery* q = Forms::get<frmQuery>();
    q->txtNO->setText("X-1");
    // A click that arrives while the first search lets events run.
    bool nested = false;
    QMetaObject::invokeMethod(q, [&] { nested = true; q->cmdQuery_Click(); }, Qt::QueuedConnection);
    q->cmdQuery_Click();
    EXPECT_TRUE(nested);
    EXPECT_EQ(Hits(q).size(), 4);
}

TEST_F(Search, FindsPartsInJetCatalogues)
{
    AddCatalogue("a", "CAT-A", {"J-100"});
    AddCatalogue("b", "CAT-B", {"J-100-2"});
    Fixtures::SaveAsJet(data.file("b/book.sd"));
    QStringList hits = Hits(Run("J-100"));
    hits.sort();
    EXPECT_EQ(hits, (QStringList{"CAT-A:J-100", "CAT-B:J-100-2"}));
    // Searching never writes: the Jet file stays a Jet file, with no upgrade beside it.
    EXPECT_FALSE(QFile::exists(data.file("b/book.sd.jet")));
}
