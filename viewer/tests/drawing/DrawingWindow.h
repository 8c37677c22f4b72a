// A main window on a catalogue built by the fixture builder, with the library node of that catalogue and a
// book tree of its drawings, so the drawing page can be opened by clicking a node as a user does.
#pragma once

#include "Fixtures.h"
#include "ModExplor.h"
#include "TestSupport.h"
#include "catalogue/frmExplore.h"
#include "startup/Forms.h"
#include "startup/KeyedTree.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/ScrollArea.h"
#include "startup/Shape.h"

#include <QTest>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

class DrawingWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::SetProgramFolder(program.path());
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath = data.path() + '/';
        ModExplor::MouseTool = 1;
        Fixtures::WriteBasket(program.file("order.mdb"));
    }
    void TearDown() override
    {
        Forms::unload<frmExplore>();
        TestSupport::Settle();
        ModExplor::LanguageFlag = QVariant();
    }

    // Writes the catalogue and shows the main window with its library node selected and its book tree filled
    // with a root, a chapter "C01" and every drawing row of the catalogue, each below the chapter.
    frmExplore& Open(const Fixtures::Catalogue& catalogue)
    {
        folder = Fixtures::AddToDataFolder(data.path(), QStringLiteral("book1"), catalogue);
        frm = Forms::get<frmExplore>();
        frm->resize(1200, 800);
        frm->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frm));
        frm->TVbooks->RemoveAll();
        QTreeWidgetItem* book = frm->TVbooks->Add(QString(), catalogue.rows.first().number.toString(), QStringLiteral("book"), 4);
        KeyedTree::SetTag(book, folder);
        frm->TVbooks->Select(book);
        frm->TVbook->RemoveAll();
        KeyedTree::SetTag(frm->TVbook->Add(QString(), QStringLiteral("Root"), QStringLiteral("root"), 3), QStringLiteral("Root"));
        KeyedTree::SetTag(frm->TVbook->Add(QStringLiteral("Root"), QStringLiteral("BC01"), QStringLiteral("C01"), 5), QStringLiteral("C"));
        for (const Fixtures::BookRow& row : catalogue.rows)
            if (row.level.toString() == QLatin1String("D1")) {
                QTreeWidgetItem* node = frm->TVbook->Add(QStringLiteral("BC01"), QStringLiteral("B") + row.number.toString(),
                                                         row.number.toString(), 6);
                KeyedTree::SetTag(node, QStringLiteral("D1"));
            }
        frm->TVbook->expandAll();
        return *frm;
    }

    // A real click on the book-tree node with this key.
    void Click(const QString& key)
    {
        QTreeWidgetItem* node = frm->TVbook->Node(key);
        ASSERT_NE(node, nullptr) << key.toStdString();
        frm->TVbook->scrollToItem(node);
        const QPoint at = frm->TVbook->visualItemRect(node).center();
        QTest::mouseClick(frm->TVbook->viewport(), Qt::LeftButton, {}, at);
    }

    // A press or release on a hotspot, at its middle.
    void Press(int index, Qt::MouseButton button)
    {
        QTest::mousePress(frm->HotImg->Element(index), button, {}, QPoint(10, 10));
    }
    void Release(int index, Qt::MouseButton button)
    {
        QTest::mouseRelease(frm->HotImg->Element(index), button, {}, QPoint(10, 10));
    }
    // A click on the part-list row.
    QPoint RowPoint(int row) const
    {
        return frm->LVpart->visualItemRect(frm->LVpart->topLevelItem(row - 1)).center();
    }

    QString Cell(int row, int subItem) const { return frm->LVpart->SubItem(row, subItem); }

    TestSupport::ScratchDir program;
    TestSupport::ScratchDir data;
    QString folder;
    frmExplore* frm = nullptr;
};
