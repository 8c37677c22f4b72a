// Library discovery: series merged by key, node texts in both languages, skipped folders and damaged files,
// and the refresh that empties both trees.
#include "Fixtures.h"
#include "ModExplor.h"
#include "TestSupport.h"
#include "catalogue/LibraryTree.h"
#include "catalogue/Subfolders.h"
#include "catalogue/frmExplore.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/KeyedTree.h"
#include "startup/ScrollArea.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

class LibraryTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::LanguageFlag = QVariant();
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        Forms::unload<frmExplore>();
        Settle();
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath.clear();
    }

    QString data() const { return dir.path() + '/'; }
    void Add(const QString& folder, const QString& id, const QString& name, const QString& path)
    {
        QDir().mkpath(dir.file(folder));
        Fixtures::Catalogue(id, name, path).WriteDatabase(dir.file(folder) + "/book.sd");
    }
    void Write(const QString& file, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(dir.file(file)).path());
        QFile f(dir.file(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString TextOf(const QString& key) const
    {
        QTreeWidgetItem* n = tree.Node(key);
        return n ? n->text(0) : QStringLiteral("<missing>");
    }
    QString ParentOf(const QString& key) const
    {
        QTreeWidgetItem* n = tree.Node(key);
        return n && n->parent() ? KeyedTree::Key(n->parent()) : QString();
    }

    ScratchDir dir;
    KeyedTree tree;
};

} // namespace

TEST_F(LibraryTreeTest, SeriesMergeByKeyAndTakeTheTextOfTheFolderListedLast)
{
    Add("a", "D85-1", "推土机 D85 Bulldozer", "S1:推土机 Bulldozers-S1.1:D85系列 D85 Series");
    Add("b", "D65-1", "推土机 D65 bulldozer", "S1:推土机二 Dozers-S1.2:D65系列 D65 Series");
    LibraryTree::BuildLibraryTree(data(), &tree);

    const QStringList order = ListSubfolders(data());
    ASSERT_EQ(order.size(), 2);
    const bool bLast = order.last() == "b";
    EXPECT_EQ(TextOf("S1"), bLast ? "推土机二 DOZERS" : "推土机 BULLDOZERS");
    EXPECT_EQ(tree.topLevelItemCount(), 1);
    EXPECT_EQ(tree.Node("S1")->childCount(), 2);
    EXPECT_EQ(KeyedTree::Key(tree.Node("S1")->child(0)), bLast ? "S1.2" : "S1.1");   // reached first, added first
    EXPECT_EQ(ParentOf("S1.1"), "S1");
    EXPECT_EQ(ParentOf("D85-1"), "S1.1");
    EXPECT_EQ(ParentOf("D65-1"), "S1.2");

    QTreeWidgetItem* book = tree.Node("D65-1");
    EXPECT_EQ(book->text(0), "推土机 D65 BULLDOZER");
    EXPECT_EQ(KeyedTree::Picture(book), 4);
    EXPECT_EQ(KeyedTree::Tag(book), data() + "b/");
    EXPECT_FALSE(book->isExpanded());
    EXPECT_EQ(KeyedTree::Picture(tree.Node("S1.2")), 1);
    EXPECT_TRUE(tree.Node("S1")->isExpanded());
    EXPECT_TRUE(tree.Node("S1.2")->isExpanded());
    EXPECT_EQ(TextOf("S1.1"), "D85系列 D85 SERIES");
}

TEST_F(LibraryTreeTest, EnglishShowsTheUpperCasedEnglishPart)
{
    ModExplor::LanguageFlag = QStringLiteral("1");
    Add("a", "D85-1", "推土机 D85 Bulldozer", "S1:推土机 Bulldozers-S1.1:D85");
    LibraryTree::BuildLibraryTree(data(), &tree);
    EXPECT_EQ(TextOf("S1"), "BULLDOZERS");
    EXPECT_EQ(TextOf("S1.1"), "D85");                 // a name without a space is its own English part
    EXPECT_EQ(TextOf("D85-1"), "D85 BULLDOZER");
}

TEST_F(LibraryTreeTest, DuplicatesMissingAndDamagedCataloguesAreSkippedWithoutAMessage)
{
    for (const char* folder : {"one", "two", "three", "empty", "damaged", "noroot", "upper"})
        QDir(dir.path()).mkdir(folder);
    Add("one", "D85-1", "推土机 ONE", "S1:推土机 Bulldozers");
    Add("two", "D85-1", "推土机 TWO", "S1:推土机 Bulldozers");        // same catalogue key
    Add("three", "D65-1", "推土机 THREE", "S1:推土机 Bulldozers");
    Write("damaged/book.sd", QByteArray("this is not a database at all").repeated(200));
    Fixtures::Catalogue noRoot("X");
    noRoot.rows.clear();
    noRoot.WriteDatabase(dir.file("noroot/book.sd"));
    Fixtures::Catalogue upper("D31-1", "推土机 UPPER", "S1:推土机 Bulldozers");
    upper.WriteDatabase(dir.file("upper/BOOK.SD"));                     // copied from a case-blind disk
    Write("book.sd", "a file directly in the data folder is no catalogue");

    LibraryTree::BuildLibraryTree(data(), &tree);
    EXPECT_EQ(tree.Count(), 4);                                         // S1, one of D85-1, D65-1, D31-1
    EXPECT_EQ(tree.Node("S1")->childCount(), 3);
    const QStringList order = ListSubfolders(data());
    const bool twoFirst = order.indexOf("two") > order.indexOf("one");   // reached first
    EXPECT_EQ(TextOf("D85-1"), twoFirst ? "推土机 TWO" : "推土机 ONE");
    EXPECT_EQ(KeyedTree::Tag(tree.Node("D31-1")), data() + "upper/");
    EXPECT_EQ(tree.Node("X"), nullptr);
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file("empty/book.sd")));             // discovery never creates a database
}

TEST_F(LibraryTreeTest, PathsWithoutSeriesPlaceTheCatalogueAtTheTopLevel)
{
    struct Case { const char* folder; const char* id; const char* path; };
    const Case cases[] = {
        {"a", "EMPTY", ""},
        {"b", "NOCOLON", "S1:推土机 Bulldozers-D85"},
        {"c", "NOKEY", ":推土机 Bulldozers"},
        {"d", "GOOD", "S2:装载机 Loaders"},
    };
    for (const Case& c : cases) Add(c.folder, c.id, QStringLiteral("推土机 ") + c.id, c.path);
    LibraryTree::BuildLibraryTree(data(), &tree);
    for (const char* id : {"EMPTY", "NOCOLON", "NOKEY"}) {
        SCOPED_TRACE(id);
        ASSERT_NE(tree.Node(id), nullptr);
        EXPECT_EQ(tree.Node(id)->parent(), nullptr);
        EXPECT_EQ(TextOf(id), QStringLiteral("推土机 ") + id);
    }
    EXPECT_EQ(tree.Node("S1"), nullptr);             // a broken path adds none of its series
    EXPECT_EQ(ParentOf("GOOD"), "S2");
}

TEST_F(LibraryTreeTest, RefreshEmptiesBothTreesAndRebuilds)
{
    Add("a", "D85-1", "推土机 D85", "S1:推土机 Bulldozers");
    ModExplor::DataPath = data();
    frmExplore* w = Forms::get<frmExplore>();
    ASSERT_NE(w->TVbooks->Node("D85-1"), nullptr);
    w->TVbook->Add("", "Root", "OLD BOOK", 3);
    w->S1->SetContentWidth(9000);
    ModExplor::MouseTool = 3;

    QDir(dir.file("a")).removeRecursively();
    Add("b", "D65-1", "推土机 D65", "S2:装载机 Loaders");
    w->RefreshLibrary();
    EXPECT_EQ(w->TVbooks->Node("D85-1"), nullptr);
    EXPECT_NE(w->TVbooks->Node("D65-1"), nullptr);
    EXPECT_EQ(w->TVbook->topLevelItemCount(), 0);
    EXPECT_EQ(w->S1->ContentWidth(), 0);
    EXPECT_EQ(ModExplor::MouseTool, 1);

    // An empty data folder gives empty trees.
    QDir(dir.file("b")).removeRecursively();
    w->RefreshLibrary();
    EXPECT_EQ(w->TVbooks->topLevelItemCount(), 0);
    EXPECT_EQ(w->TVbook->topLevelItemCount(), 0);
}

// Catalogues users have from the old program are Jet files; damaged ones among them are skipped.
TEST_F(LibraryTreeTest, JetCataloguesAreListedAndDamagedOnesSkipped)
{
    for (const char* folder : {"jet", "sqlite", "cut", "noise"}) QDir(dir.path()).mkdir(folder);
    Add("jet", "D65-OLD", "推土机 OLD", "S1:推土机 Bulldozers");
    Fixtures::SaveAsJet(dir.file("jet/book.sd"));
    Add("sqlite", "D85-NEW", "推土机 NEW", "S1:推土机 Bulldozers");
    QFile jet(dir.file("jet/book.sd"));
    ASSERT_TRUE(jet.open(QIODevice::ReadOnly));
    const QByteArray bytes = jet.readAll();
    Write("cut/book.sd", bytes.left(bytes.size() - 4096));
    Write("noise/book.sd", bytes.left(4096) + QByteArray("\x13\x57\x9b\xdf", 4).repeated(4096));

    LibraryTree::BuildLibraryTree(data(), &tree);
    EXPECT_EQ(tree.Count(), 3);   // S1, D65-OLD, D85-NEW
    EXPECT_NE(tree.Node("D65-OLD"), nullptr);
    EXPECT_NE(tree.Node("D85-NEW"), nullptr);
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
}
