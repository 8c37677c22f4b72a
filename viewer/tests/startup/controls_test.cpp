// The controls layer: keyed trees, the report list, picture controls and their array, the scroll area, the toolbar.
#include "TestSupport.h"
#include "startup/KeyedToolbar.h"
#include "startup/KeyedTree.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/ScrollArea.h"

#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Left half red, right half blue.
QImage TwoColours(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h, Qt::blue);
    return image;
}

QPoint Centre(KeyedTree& tree, QTreeWidgetItem* node) { return tree.visualItemRect(node).center(); }

} // namespace

TEST(KeyedTree, KeysAreUniqueOverTheWholeTreeAndParentsMustExist)
{
    KeyedTree tree;
    ASSERT_NE(tree.Add("", "S1", "SERIES", 1), nullptr);
    QTreeWidgetItem* sub = tree.Add("S1", "S1.1", "SUB", 1);
    ASSERT_NE(sub, nullptr);
    QTreeWidgetItem* book = tree.Add("S1.1", "D85", "D85 BOOK", 4);
    ASSERT_NE(book, nullptr);
    KeyedTree::SetTag(book, "/data/d85/");

    EXPECT_EQ(tree.Add("", "D85", "AGAIN AT TOP", 4), nullptr);        // key used deep in the tree
    EXPECT_EQ(tree.Add("S1", "S1.1", "AGAIN BELOW", 1), nullptr);      // key used by a sibling
    EXPECT_EQ(tree.Add("S9", "X", "ORPHAN", 4), nullptr);              // parent missing
    EXPECT_EQ(tree.Node("X"), nullptr);
    EXPECT_EQ(tree.Count(), 3);
    EXPECT_EQ(tree.topLevelItemCount(), 1);

    EXPECT_EQ(tree.Node("D85"), book);
    EXPECT_EQ(book->parent(), sub);
    EXPECT_EQ(KeyedTree::Key(book), "D85");
    EXPECT_EQ(KeyedTree::Tag(book), "/data/d85/");
    EXPECT_EQ(book->text(0), "D85 BOOK");
    EXPECT_EQ(KeyedTree::Picture(book), 4);
    EXPECT_EQ(KeyedTree::Tag(sub), "");

    // Keys compare exactly: letter case makes another key.
    EXPECT_NE(tree.Add("S1", "d85", "LOWER", 4), nullptr);

    // Nodes without a key never collide and cannot be found by key.
    EXPECT_NE(tree.Add("", "", "NO KEY 1", 1), nullptr);
    EXPECT_NE(tree.Add("", "", "NO KEY 2", 1), nullptr);
    EXPECT_EQ(tree.Node(""), nullptr);

    tree.RemoveAll();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_EQ(tree.Node("D85"), nullptr);
    EXPECT_NE(tree.Add("", "D85", "D85 BOOK", 4), nullptr);           // keys are free again
}

TEST(KeyedTree, ExpandedBeforeChildrenAreAddedStaysExpanded)
{
    KeyedTree tree;
    tree.show();
    QTreeWidgetItem* series = tree.Add("", "S1", "SERIES", 1);
    series->setExpanded(true);
    tree.Add("S1", "A", "A", 4);
    tree.Add("S1", "B", "B", 4);
    QTreeWidgetItem* closed = tree.Add("", "S2", "CLOSED", 1);
    tree.Add("S2", "C", "C", 4);
    EXPECT_TRUE(series->isExpanded());
    EXPECT_FALSE(closed->isExpanded());
    EXPECT_TRUE(tree.visualItemRect(tree.Node("B")).isValid());
}

TEST(KeyedTree, EveryMouseClickRaisesClickButKeyboardMovesDoNot)
{
    KeyedTree tree;
    tree.resize(300, 300);
    QTreeWidgetItem* s1 = tree.Add("", "S1", "SERIES ONE", 1);
    tree.Add("S1", "A", "BOOK A", 4);
    QTreeWidgetItem* b = tree.Add("", "B", "BOOK B", 4);
    QTreeWidgetItem* s2 = tree.Add("", "S2", "SERIES TWO", 1);
    tree.Add("S2", "C", "BOOK C", 4);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    QSignalSpy clicks(&tree, &KeyedTree::Click);

    // A click that selects.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, Centre(tree, b));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(tree.SelectedNode(), b);

    // A click on the node already selected.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, Centre(tree, b));
    EXPECT_EQ(clicks.count(), 2);

    // A click on the expand box of another node: it opens, the selection stays.
    const QRect r = tree.visualItemRect(s2);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(r.left() - tree.indentation() / 2, r.center().y()));
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_TRUE(s2->isExpanded());
    EXPECT_EQ(tree.SelectedNode(), b);

    // A right click counts too.
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, Centre(tree, s1));
    EXPECT_EQ(clicks.count(), 4);

    // Keyboard moves change the selection without a click.
    tree.setFocus();
    tree.setCurrentItem(b);
    QTest::keyClick(tree.viewport(), Qt::Key_Down);
    QTest::keyClick(tree.viewport(), Qt::Key_Up);
    QTest::keyClick(tree.viewport(), Qt::Key_Up);
    EXPECT_NE(tree.SelectedNode(), b);
    EXPECT_EQ(clicks.count(), 4);

    // Selecting in code raises none either.
    tree.Select(b);
    EXPECT_EQ(tree.SelectedNode(), b);
    EXPECT_EQ(clicks.count(), 4);
}

TEST(ReportList, ColumnsRowsKeysPositionsSubItemsIconsAndCheckBoxes)
{
    ReportList list;
    QPixmap red(16, 16), blue(16, 16);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    list.SetSmallIcons({QIcon(red), QIcon(blue)});
    list.AddColumn("图序号 Fig. No.", 600);
    list.AddColumn("零件号 Part No.", 1500);
    list.AddColumn("数量 Q'TY", 1000, ReportList::Center);
    list.SetColumnAlignment(2, ReportList::Right);
    EXPECT_EQ(list.ColumnCount(), 3);
    EXPECT_EQ(list.headerItem()->text(1), "零件号 Part No.");
    EXPECT_EQ(list.columnWidth(0), 40);      // 600 twips
    EXPECT_EQ(list.columnWidth(1), 100);     // 1500 twips
    EXPECT_EQ(list.headerItem()->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    EXPECT_EQ(list.AddRow("BZ12-35", "5", 1), 1);
    EXPECT_EQ(list.AddRow("BX-11", "1", 2), 2);
    EXPECT_EQ(list.AddRow("BZ12-35", "5", 2), 0);     // key already in the list
    EXPECT_EQ(list.AddRow("BY-22", "2", 2), 3);
    EXPECT_EQ(list.Count(), 3);
    list.SetSubItem(1, 1, "Z12-3");
    list.SetSubItem(1, 2, "2");
    EXPECT_EQ(list.Text(1), "5");
    EXPECT_EQ(list.SubItem(1, 1), "Z12-3");
    EXPECT_EQ(list.SubItem(1, 2), "2");
    EXPECT_EQ(list.topLevelItem(0)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(list.SmallIcon(1), 1);
    EXPECT_EQ(list.SmallIcon(2), 2);
    list.SetSmallIcon(2, 1);
    EXPECT_EQ(list.SmallIcon(2), 1);
    EXPECT_FALSE(list.topLevelItem(1)->icon(0).isNull());

    EXPECT_EQ(list.RowOfKey("BY-22"), 3);
    list.RemoveRow("BX-11");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.RowOfKey("BY-22"), 2);
    EXPECT_EQ(list.RowOfKey("BX-11"), 0);
    EXPECT_EQ(list.Key(2), "BY-22");
    EXPECT_EQ(list.AddRow("BX-11", "1"), 3);          // the removed key is free again

    EXPECT_EQ(list.SelectedRow(), 0);
    list.Select(2);
    EXPECT_EQ(list.SelectedRow(), 2);
    EXPECT_EQ(list.SubItem(9, 1), "");               // no such row

    list.RemoveAllRows();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ColumnCount(), 3);                 // headings stay
    EXPECT_EQ(list.AddRow("BZ12-35", "5"), 1);
    list.RemoveAllColumns();
    EXPECT_EQ(list.ColumnCount(), 0);
    EXPECT_EQ(list.Count(), 0);

    ReportList basket;
    basket.SetCheckBoxes(true);
    basket.AddColumn("图号", 1500);
    basket.AddRow("k1", "A");
    basket.AddRow("k2", "B");
    EXPECT_FALSE(basket.Checked(1));
    basket.SetChecked(2, true);
    EXPECT_TRUE(basket.Checked(2));
    EXPECT_EQ(basket.topLevelItem(0)->checkState(0), Qt::Unchecked);   // a box is shown on every row
}

TEST(ReportList, MouseEventsCarryRowButtonShiftAndTwips)
{
    ReportList list;
    list.resize(400, 200);
    list.AddColumn("A", 1500);
    list.AddColumn("B", 1500);
    list.AddRow("k1", "one");
    list.AddRow("k2", "two");
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy itemClicks(&list, &ReportList::ItemClick);
    QSignalSpy ups(&list, &ReportList::MouseUp);
    QSignalSpy doubles(&list, &ReportList::DblClick);

    const QPoint onTwo = list.visualItemRect(list.topLevelItem(1)).center();
    QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::ShiftModifier, onTwo);
    ASSERT_EQ(itemClicks.count(), 1);
    EXPECT_EQ(itemClicks[0][0].toInt(), 2);
    EXPECT_EQ(list.SelectedRow(), 2);
    ASSERT_EQ(ups.count(), 1);
    EXPECT_EQ(ups[0][0].toInt(), 2);
    EXPECT_EQ(ups[0][1].toInt(), 1);
    EXPECT_FLOAT_EQ(ups[0][2].toFloat(), onTwo.x() * 15.0f);
    EXPECT_FLOAT_EQ(ups[0][3].toFloat(), onTwo.y() * 15.0f);

    // Below the last row: a mouse up, no item click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(10, 180));
    EXPECT_EQ(itemClicks.count(), 1);
    ASSERT_EQ(ups.count(), 2);
    EXPECT_EQ(ups[1][0].toInt(), 1);
    EXPECT_EQ(ups[1][1].toInt(), 2);

    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, onTwo);
    EXPECT_EQ(doubles.count(), 1);

    // Selecting in code raises nothing.
    list.Select(1);
    EXPECT_EQ(itemClicks.count(), 2);   // only the press of the double click
}

TEST(PictureBox, NaturalSizeInTwipsStretchAndContentDecidedFormat)
{
    TestSupport::ScratchDir dir;
    ASSERT_TRUE(TwoColours(40, 30).save(dir.file("A0123.rs_"), "PNG"));     // the name says nothing
    ASSERT_TRUE(TwoColours(20, 10).save(dir.file("Cover.gif"), "BMP"));
    QFile junk(dir.file("junk.gif"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("GIF89a but not really a picture");
    junk.close();

    QWidget parent;
    parent.resize(400, 400);
    PictureBox box(&parent);
    ASSERT_TRUE(box.LoadPicture(dir.file("A0123.rs_")));
    EXPECT_FLOAT_EQ(box.Width(), 600);
    EXPECT_FLOAT_EQ(box.Height(), 450);
    EXPECT_EQ(box.size(), QSize(40, 30));

    // Stretching on: a new picture keeps the control's size; off again: the natural size.
    box.SetStretch(true);
    box.Move(7.5f, 15, 1200, 300);
    ASSERT_TRUE(box.LoadPicture(dir.file("Cover.gif")));
    EXPECT_FLOAT_EQ(box.Left(), 7.5f);
    EXPECT_FLOAT_EQ(box.Width(), 1200);
    EXPECT_FLOAT_EQ(box.Height(), 300);
    EXPECT_EQ(box.size(), QSize(80, 20));
    box.SetStretch(false);
    EXPECT_FLOAT_EQ(box.Width(), 300);
    EXPECT_FLOAT_EQ(box.Height(), 150);
    EXPECT_FLOAT_EQ(box.Left(), 7.5f);

    // Stretched, the picture is drawn scaled to the control.
    box.SetStretch(true);
    box.Move(0, 0, 1200, 600);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    const QImage shown = box.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(80, 40));
    EXPECT_EQ(QColor(shown.pixel(10, 20)), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(70, 20)), QColor(Qt::blue));
    EXPECT_EQ(QColor(shown.pixel(30, 35)), QColor(Qt::red));

    // A file that is not a picture, or no file: no picture.
    EXPECT_FALSE(box.LoadPicture(dir.file("junk.gif")));
    EXPECT_FALSE(box.HasPicture());
    ASSERT_TRUE(box.LoadPicture(dir.file("Cover.gif")));
    EXPECT_FALSE(box.LoadPicture(dir.file("missing.gif")));
    EXPECT_FALSE(box.HasPicture());
    box.RemovePicture();
    EXPECT_FALSE(box.HasPicture());
}

TEST(PictureBox, PressAndReleaseCarryButtonShiftAndTwips)
{
    QWidget parent;
    parent.resize(200, 200);
    PictureBox box(&parent);
    box.Move(0, 0, 1500, 1500);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy downs(&box, &PictureBox::MouseDown);
    QSignalSpy ups(&box, &PictureBox::MouseUp);
    QTest::mousePress(&box, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(2, 3));
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::ControlModifier, QPoint(4, 5));
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0][0].toInt(), 2);
    EXPECT_EQ(downs[0][1].toInt(), 5);
    EXPECT_FLOAT_EQ(downs[0][2].toFloat(), 30);
    EXPECT_FLOAT_EQ(downs[0][3].toFloat(), 45);
    ASSERT_EQ(ups.count(), 1);
    EXPECT_EQ(ups[0][0].toInt(), 1);
    EXPECT_EQ(ups[0][1].toInt(), 2);
    EXPECT_FLOAT_EQ(ups[0][2].toFloat(), 60);
}

TEST(PictureArray, LoadCopiesElementZeroInvisiblyUnloadRemovesUBoundFollows)
{
    QWidget parent;
    parent.resize(300, 300);
    auto* zero = new PictureBox(&parent);
    zero->SetStretch(true);
    zero->SetPicture(Picture::FromImage(TwoColours(20, 20)));
    zero->Move(0, 0, 300, 300);
    zero->setVisible(false);
    PictureArray hot("HotImg", zero);
    EXPECT_EQ(zero->objectName(), "HotImg(0)");
    EXPECT_EQ(hot.UBound(), 0);

    PictureBox* one = hot.Load(1);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->objectName(), "HotImg(1)");
    EXPECT_EQ(one->parentWidget(), &parent);
    EXPECT_TRUE(one->isHidden());
    EXPECT_TRUE(one->HasPicture());
    EXPECT_TRUE(one->Stretch());
    EXPECT_FLOAT_EQ(one->Width(), 300);
    EXPECT_FLOAT_EQ(one->Height(), 300);
    EXPECT_EQ(hot.Load(1), nullptr);          // already loaded
    EXPECT_EQ(hot.UBound(), 1);
    ASSERT_NE(hot.Load(2), nullptr);
    ASSERT_NE(hot.Load(5), nullptr);
    EXPECT_EQ(hot.UBound(), 5);
    EXPECT_EQ(parent.findChild<PictureBox*>("HotImg(5)"), hot[5]);

    // Events name the element.
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    hot[2]->Move(1500, 1500);
    hot[2]->show();
    QSignalSpy downs(&hot, &PictureArray::MouseDown);
    QTest::mousePress(hot[2], Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0][0].toInt(), 2);
    EXPECT_EQ(downs[0][1].toInt(), 1);

    hot.Unload(5);
    EXPECT_EQ(hot.UBound(), 2);
    hot.Unload(0);                             // the design element stays
    EXPECT_EQ(hot[0], zero);
    for (int i = hot.UBound(); i >= 1; --i) hot.Unload(i);
    EXPECT_EQ(hot.UBound(), 0);
    TestSupport::Settle();
    EXPECT_EQ(parent.findChild<PictureBox*>("HotImg(5)"), nullptr);
    EXPECT_EQ(parent.findChildren<PictureBox*>().size(), 1);
    ASSERT_NE(hot.Load(1), nullptr);           // the index can be loaded again
}

TEST(ScrollArea, ContentSizeInTwipsNeverHidesTheControlsInside)
{
    ScrollArea area;
    area.resize(300, 200);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    area.SetContentWidth(60000);
    area.SetContentHeight(45000);
    EXPECT_EQ(area.ContentWidth(), 60000);
    EXPECT_EQ(area.ContentHeight(), 45000);
    EXPECT_EQ(area.Content()->size(), QSize(4000, 3000));
    EXPECT_FLOAT_EQ(area.OuterWidth(), area.viewport()->width() * 15.0f);

    area.SetContentWidth(0);
    area.SetContentHeight(0);
    EXPECT_EQ(area.Content()->size(), area.viewport()->size());

    area.SetContentHeight(2147483647);        // the largest 32-bit value is kept as set
    EXPECT_EQ(area.ContentHeight(), 2147483647);
}

TEST(KeyedToolbar, PositionsKeysTooltipsPressedAndMenus)
{
    KeyedToolbar bar;
    bar.AddSeparator();
    bar.AddButton("refesh", "刷新");
    bar.AddButton("", "");
    bar.AddButton("ViewL", "放大模式");
    bar.SetButtonMenu("ViewL", {"100%", "110%"});
    EXPECT_EQ(bar.Count(), 4);
    EXPECT_EQ(bar.Key(1), "");
    EXPECT_EQ(bar.Key(2), "refesh");
    EXPECT_EQ(bar.Key(4), "ViewL");
    EXPECT_EQ(bar.Key(5), "");
    bar.SetTooltip("refesh", "Refresh");
    EXPECT_EQ(bar.Button("refesh")->toolTip(), "Refresh");
    EXPECT_EQ(bar.Button("refresh"), nullptr);

    QSignalSpy clicks(&bar, &KeyedToolbar::ButtonClick);
    QSignalSpy menuClicks(&bar, &KeyedToolbar::ButtonMenuClick);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QTest::mouseClick(bar.Button("refesh"), Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toString(), "refesh");
    bar.Button("ViewL")->menu()->actions().at(1)->trigger();
    ASSERT_EQ(menuClicks.count(), 1);
    EXPECT_EQ(menuClicks[0][0].toString(), "ViewL");
    EXPECT_EQ(menuClicks[0][1].toString(), "110%");
    EXPECT_EQ(clicks.count(), 1);

    EXPECT_FALSE(bar.Pressed("ViewL"));
    bar.SetPressed("ViewL", true);
    EXPECT_TRUE(bar.Pressed("ViewL"));
}
