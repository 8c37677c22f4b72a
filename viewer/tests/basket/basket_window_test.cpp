// The basket window on real basket files: what it lists, ticking, both deletes, every rule of the quantity
// edit, the layout, its pop-up menus, and its opening from the main window.
#include "BasketTest.h"
#include "basket/frmOrder.h"
#include "catalogue/frmExplore.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/ReportList.h"
#include "startup/Twips.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace TestSupport;
using Fixtures::BasketLine;

namespace {

class BasketWindow : public BasketTest {
protected:
    void TearDown() override
    {
        Forms::unload<frmOrder>();
        Forms::unload<frmExplore>();
        Settle();
        BasketTest::TearDown();
    }

    frmOrder* Open() { return Forms::get<frmOrder>(); }

    // The row text and its nine sub-items.
    static QStringList Row(frmOrder* w, int row)
    {
        QStringList cells;
        for (int i = 0; i <= 9; ++i) cells << w->LVpart->SubItem(row, i);
        return cells;
    }
    static QStringList Headings(frmOrder* w)
    {
        QStringList headings;
        for (int c = 0; c < w->LVpart->ColumnCount(); ++c) headings << w->LVpart->headerItem()->text(c);
        return headings;
    }
    static QStringList Parts(frmOrder* w)
    {
        QStringList parts;
        for (int row = 1; row <= w->LVpart->Count(); ++row) parts << w->LVpart->SubItem(row, 1);
        return parts;
    }
    static QStringList StoredParts(const QVector<BasketLine>& lines)
    {
        QStringList parts;
        for (const BasketLine& l : lines) parts << l.drawing + "/" + l.serial + "/" + l.part;
        return parts;
    }

    // Three lines; the first two share a part number under two drawings.
    void WriteThree()
    {
        Write({{"E100", "1", "6D125-11", "螺栓 BOLT", 3, {}, 12.5, 0.1, 37.5, 0.3},
               {"E110", "1", "6D125-11", "螺栓 BOLT", 1, {}, 12.5, 0.1, 12.5, 0.1},
               {"E100", "2", "07000-02", "O形圈 O-RING", 4, {}, 0.75, 0.01, 3, 0.04}});
    }

};

} // namespace

TEST_F(BasketWindow, EmptyBasketShowsTheTenHeadingsNoRowsAndTotalZeroInBothLanguages)
{
    struct Case {
        const char* language;
        QString title;
        QStringList headings, captions;
    } cases[] = {
        {"0", "购物箱",
         {"顺序号(Sl.No.)", "图号(PART NO.)", "名称(Description)", "数量(Q'ty)", "单重(U-Weight)", "总重(T-Weight)",
          "价格(U-Price)", "总价(T-Price)", "归属(Ass'y No.)", "图序号(Fig.No.)"},
         {"金额合计：", "全部选择", "取消选择", "删除所选部件", "导  出", "退  出", "修改数量", "删除该部件",
          "导出订单为txt格式", "导出订单为Excel格式"}},
        {"1", "Order",
         {"Sl.No.", "PART NO.", "Description", "Q'ty", "U-Weight", "T-Weight", "U-Price", "T-Price", "Ass'y No.",
          "Fig.No."},
         {"T-Pritc:", "Select All", "Select Cancel", "Delete All", "Export ...", "Quit", "Edit The Select Part Num",
          "Delete The Select Part", "Export to Txt", "Export to Excel"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        ModExplor::LanguageFlag = QString::fromLatin1(c.language);
        frmOrder* w = Open();
        EXPECT_EQ(w->windowTitle(), c.title);
        EXPECT_EQ(Headings(w), c.headings);
        const int widths[] = {1000, 1500, 2000, 1000, 1300, 1400, 1300, 1300, 1300, 1000};
        for (int col = 0; col < 10; ++col) EXPECT_EQ(w->LVpart->columnWidth(col), Twips::ToPixels(widths[col]));
        EXPECT_EQ(w->LVpart->Count(), 0);
        EXPECT_EQ(w->txtPrice->text(), "0");
        const QStringList captions = {
            w->findChild<QLabel*>("lbTotle")->text(), w->findChild<QPushButton*>("cmdSelectAll")->text(),
            w->findChild<QPushButton*>("CmdCancleSelect")->text(), w->findChild<QPushButton*>("cmdDeleteS")->text(),
            w->findChild<QPushButton*>("cmdOrder")->text(), w->findChild<QPushButton*>("cmdExit")->text(),
            w->findChild<QAction*>("mnuOrder_EditNum")->text(), w->findChild<QAction*>("mnuOrder_Delete")->text(),
            w->findChild<QAction*>("mnuExport_txt")->text(), w->findChild<QAction*>("mnuExport_excel")->text()};
        EXPECT_EQ(captions, c.captions);
        // The two pop-up menus keep their captions in English too.
        EXPECT_EQ(w->findChild<QMenu*>("mnuOrder")->title(), "订单");
        EXPECT_EQ(w->findChild<QMenu*>("mnuExport")->title(), "导出");
        EXPECT_TRUE(w->findChild<QAction*>("mnuOrder_1")->isSeparator());
        EXPECT_TRUE(w->findChild<QGroupBox*>("framMain") && w->findChild<QGroupBox*>("framTools"));
        EXPECT_EQ(w->findChild<ReportList*>("LVpart"), w->LVpart);
        EXPECT_EQ(w->findChild<QLineEdit*>("txtPrice"), w->txtPrice);
        Forms::unload<frmOrder>();
        Settle();
    }
}

TEST_F(BasketWindow, ListsEveryLineWithComputedTotalsAndTheTotalAmount)
{
    Write({{"E100", "1", "6D125-11", "螺栓 BOLT", 3, {}, 12.5, 0.1, 999, 999},   // stored totals are not shown
           {"E100", "2", "6D125-12", "垫片 GASKET", {}, {}, {}, {}, {}, {}},       // no quantity, price or weight
           {"E110", "10", "07000-02", "O形圈 O-RING", 2.5, {}, 1000, 0.02, 2500, 0.05}});
    frmOrder* w = Open();
    ASSERT_EQ(w->LVpart->Count(), 3);
    EXPECT_EQ(Row(w, 1), QStringList({"1", "6D125-11", "螺栓 BOLT", "3", "0.1", "0.3", "12.5", "37.5", "E100", "1"}));
    // A line without values is listed with empty cells, and loading goes on after it.
    EXPECT_EQ(Row(w, 2), QStringList({"2", "6D125-12", "垫片 GASKET", "", "", "0", "", "0", "E100", "2"}));
    EXPECT_EQ(Row(w, 3), QStringList({"3", "07000-02", "O形圈 O-RING", "2.5", "0.02", "0.05", "1000", "2500", "E110", "10"}));
    EXPECT_EQ(w->LVpart->Key(1), "K1");
    EXPECT_EQ(w->LVpart->Key(3), "K3");
    EXPECT_EQ(w->txtPrice->text(), "2537.5");
}

TEST_F(BasketWindow, EnglishShowsTheEnglishPartOfEachName)
{
    Write({{"E1", "1", "P1", "螺栓 HEX BOLT"}, {"E1", "2", "P2", "垫片"}, {"E1", "3", "P3", "  密封 SEAL  "}});
    ModExplor::LanguageFlag = "1";
    frmOrder* w = Open();
    EXPECT_EQ(w->LVpart->SubItem(1, 2), "HEX BOLT");
    EXPECT_EQ(w->LVpart->SubItem(2, 2), "垫片");
    EXPECT_EQ(w->LVpart->SubItem(3, 2), "SEAL");
    Forms::unload<frmOrder>();
    Settle();
    ModExplor::LanguageFlag = "0";
    w = Open();
    EXPECT_EQ(w->LVpart->SubItem(1, 2), "螺栓 HEX BOLT");
    EXPECT_EQ(w->LVpart->SubItem(3, 2), "  密封 SEAL  ");
}

TEST_F(BasketWindow, TickAllAndUntickAllChangeOnlyTheMarks)
{
    WriteThree();
    frmOrder* w = Open();
    w->LVpart->SetChecked(2, true);
    QTest::mouseClick(w->cmdSelectAll, Qt::LeftButton);
    for (int row = 1; row <= 3; ++row) EXPECT_TRUE(w->LVpart->Checked(row));
    QTest::mouseClick(w->CmdCancleSelect, Qt::LeftButton);
    for (int row = 1; row <= 3; ++row) EXPECT_FALSE(w->LVpart->Checked(row));
    EXPECT_EQ(Stored().size(), 3);
}

TEST_F(BasketWindow, DeletingTheTickedRowsAsksFirstAndDeletesOnlyTheirLines)
{
    struct Case {
        const char* name;
        QList<int> ticked;
        Dialogs::Answer answer;
        QStringList rowsLeft;    // part numbers
        QStringList linesLeft;   // drawing/serial/part
        QString total;
    } cases[] = {
        {"two ticked, yes", {1, 3}, Dialogs::Yes, {"6D125-11"}, {"E110/1/6D125-11"}, "12.5"},
        {"two ticked, no", {1, 3}, Dialogs::No, {"6D125-11", "6D125-11", "07000-02"},
         {"E100/1/6D125-11", "E110/1/6D125-11", "E100/2/07000-02"}, "53"},
        {"none ticked, yes", {}, Dialogs::Yes, {"6D125-11", "6D125-11", "07000-02"},
         {"E100/1/6D125-11", "E110/1/6D125-11", "E100/2/07000-02"}, "53"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteThree();
        Dialogs::Script::Clear();
        frmOrder* w = Open();
        for (int row : c.ticked) w->LVpart->SetChecked(row, true);
        Dialogs::Script::Push(c.answer);
        QTest::mouseClick(w->cmdDeleteS, Qt::LeftButton);
        ASSERT_EQ(Dialogs::Script::Record().size(), 1);
        const Dialogs::Script::Shown& asked = Dialogs::Script::Record().first();
        EXPECT_EQ(asked.prompt, "您确定要删除所选择的所有部件吗？");
        EXPECT_EQ(asked.title, "删除");
        EXPECT_EQ(asked.buttons, Dialogs::YesNo | Dialogs::Information | Dialogs::DefaultButton2);
        EXPECT_EQ(Parts(w), c.rowsLeft);
        EXPECT_EQ(StoredParts(Stored()), c.linesLeft);
        EXPECT_EQ(w->txtPrice->text(), c.total);
        Forms::unload<frmOrder>();
        Settle();
    }
}

TEST_F(BasketWindow, DeletingTheTickedRowsKeepsTheKeysOfTheRest)
{
    WriteThree();
    ModExplor::LanguageFlag = "1";
    frmOrder* w = Open();
    w->LVpart->SetChecked(1, true);
    Dialogs::Script::Push(Dialogs::Yes);
    w->cmdDeleteS_Click();
    EXPECT_EQ(Dialogs::Script::Prompts(), QStringList{"Are You sure to delete All select Part？"});
    EXPECT_EQ(Dialogs::Script::Record().first().title, "Delete");
    ASSERT_EQ(w->LVpart->Count(), 2);
    EXPECT_EQ(w->LVpart->Key(1), "K2");
    EXPECT_EQ(w->LVpart->Text(1), "2");
    EXPECT_EQ(w->LVpart->Key(2), "K3");
}

TEST_F(BasketWindow, DeletingOneRowDeletesOnlyTheSelectedLineNotTheTickedOnes)
{
    WriteThree();
    ModExplor::LanguageFlag = "1";
    frmOrder* w = Open();
    w->LVpart->SetChecked(1, true);
    w->LVpart->Select(2);   // the same part number as row 1, another drawing
    Dialogs::Script::Push(Dialogs::Yes);
    w->mnuOrder_Delete_Click();
    EXPECT_EQ(Dialogs::Script::Prompts(), QStringList{"Are You sure to delete the select Part？"});
    EXPECT_EQ(Dialogs::Script::Record().first().buttons, Dialogs::YesNo | Dialogs::Information | Dialogs::DefaultButton2);
    EXPECT_EQ(StoredParts(Stored()), QStringList({"E100/1/6D125-11", "E100/2/07000-02"}));
    ASSERT_EQ(w->LVpart->Count(), 2);
    EXPECT_EQ(w->LVpart->Key(1), "K1");
    EXPECT_TRUE(w->LVpart->Checked(1));
    EXPECT_EQ(w->LVpart->Key(2), "K3");
    EXPECT_EQ(w->txtPrice->text(), "40.5");

    // Answering No keeps the row and its line.
    w->LVpart->Select(2);
    Dialogs::Script::Clear();
    Dialogs::Script::Push(Dialogs::No);
    w->mnuOrder_Delete_Click();
    EXPECT_EQ(Dialogs::Script::Record().size(), 1);
    EXPECT_EQ(Stored().size(), 2);
    EXPECT_EQ(w->LVpart->Count(), 2);
}

TEST_F(BasketWindow, DeletingOneRowAsksTheChineseQuestionOfTheTickedRows)
{
    WriteThree();
    frmOrder* w = Open();
    w->LVpart->Select(3);
    Dialogs::Script::Push(Dialogs::Yes);
    w->mnuOrder_Delete_Click();
    EXPECT_EQ(Dialogs::Script::Prompts(), QStringList{"您确定要删除所选择的所有部件吗？"});
    EXPECT_EQ(Dialogs::Script::Record().first().title, "删除");
    EXPECT_EQ(StoredParts(Stored()), QStringList({"E100/1/6D125-11", "E110/1/6D125-11"}));
}

TEST_F(BasketWindow, QuantityEditStopsOnEmptyEqualZeroNegativeAndNonNumericAnswers)
{
    WriteThree();
    frmOrder* w = Open();
    const QStringList before = Row(w, 1);
    const QVariant answers[] = {QVariant(), QString(""), QString("3"), QString(" 3.0 pcs"), QString("0"),
                                QString("-2"), QString("abc"), QString("  ")};
    for (const QVariant& answer : answers) {
        SCOPED_TRACE(answer.isNull() ? "cancel" : answer.toString().toStdString());
        Dialogs::Script::Clear();
        w->LVpart->Select(1);
        Dialogs::Script::Push(answer);
        w->mnuOrder_EditNum_Click();
        ASSERT_EQ(Dialogs::Script::Record().size(), 1);   // the input box, and no message after it
        const Dialogs::Script::Shown& asked = Dialogs::Script::Record().first();
        EXPECT_EQ(asked.kind, "InputBox");
        EXPECT_EQ(asked.prompt, "请输入要修改的数量");
        EXPECT_EQ(asked.title, "修改数量");
        EXPECT_EQ(asked.defaultText, "3");
        EXPECT_EQ(Row(w, 1), before);
        EXPECT_EQ(Stored().first().quantity.toDouble(), 3);
        EXPECT_EQ(Stored().first().totalPrice.toDouble(), 37.5);
        EXPECT_EQ(w->txtPrice->text(), "53");
    }
}

TEST_F(BasketWindow, AFractionalQuantityIsStoredWithItsTotals)
{
    WriteThree();
    ModExplor::LanguageFlag = "1";
    frmOrder* w = Open();
    w->LVpart->Select(1);
    Dialogs::Script::Push(QString("2.5"));
    w->mnuOrder_EditNum_Click();
    EXPECT_EQ(Dialogs::Script::Record().first().prompt, "Please input the Num");
    EXPECT_EQ(Dialogs::Script::Record().first().title, "Edit Num");
    const BasketLine line = Stored().first();
    EXPECT_EQ(line.quantity.toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(line.totalPrice.toDouble(), 31.25);
    EXPECT_DOUBLE_EQ(line.totalWeight.toDouble(), 0.25);
    EXPECT_EQ(Stored()[1].quantity.toDouble(), 1);   // the same part under another drawing is untouched
    EXPECT_EQ(Row(w, 1), QStringList({"1", "6D125-11", "BOLT", "2.5", "0.1", "0.25", "12.5", "31.25", "E100", "1"}));
    EXPECT_EQ(w->txtPrice->text(), "46.75");
}

TEST_F(BasketWindow, QuantityEditOfALineThatIsGoneShowsTheBasketAsItIs)
{
    WriteThree();
    frmOrder* w = Open();
    // Another copy of the program changed the basket behind the window.
    Write({{"E110", "1", "6D125-11", "螺栓 BOLT", 1, {}, 12.5, 0.1, 12.5, 0.1}});
    w->LVpart->Select(1);
    Dialogs::Script::Push(QString("5"));
    w->mnuOrder_EditNum_Click();
    EXPECT_EQ(StoredParts(Stored()), QStringList({"E110/1/6D125-11"}));
    EXPECT_EQ(Stored().first().quantity.toDouble(), 1);
    ASSERT_EQ(w->LVpart->Count(), 1);
    EXPECT_EQ(Row(w, 1), QStringList({"1", "6D125-11", "螺栓 BOLT", "1", "0.1", "0.1", "12.5", "12.5", "E110", "1"}));
    EXPECT_EQ(w->txtPrice->text(), "12.5");
}

TEST_F(BasketWindow, ApostrophesInTheIdentityWork)
{
    Write({{"T'200", "3", "o'ring-7", "O形圈 O'RING", 2, {}, 3, 0.3, 6, 0.6}, {"E1", "1", "P1", "螺栓 BOLT"}});
    frmOrder* w = Open();
    w->LVpart->Select(1);
    Dialogs::Script::Push(QString("4"));
    w->mnuOrder_EditNum_Click();
    EXPECT_EQ(Stored().first().quantity.toDouble(), 4);
    EXPECT_EQ(w->LVpart->SubItem(1, 7), "12");
    w->LVpart->SetChecked(1, true);
    Dialogs::Script::Push(Dialogs::Yes);
    w->cmdDeleteS_Click();
    EXPECT_EQ(StoredParts(Stored()), QStringList({"E1/1/P1"}));
}

TEST_F(BasketWindow, LayoutFollowsTheWindowSizeAndNeverGoesNegative)
{
    frmOrder* w = Open();
    w->show();
    w->resize(800, 500);   // 12000 x 7500 twips
    w->Form_Resize();
    const QSize outer = w->frameGeometry().size();
    const int W = outer.width() * 15, H = outer.height() * 15;
    auto px = [](int twips) { return qRound(twips / 15.0); };
    EXPECT_EQ(w->framMain->geometry(), QRect(px(200), px(200), px(W - 400), px(H - 200 - 630 - 600)));
    EXPECT_EQ(w->framTools->geometry(), QRect(px(200), px(H - 200 - 630 - 600 + 200), px(W - 400), px(630)));
    EXPECT_EQ(w->LVpart->geometry(), QRect(px(150), px(150), px(W - 400 - 300), px(H - 200 - 630 - 600 - 300)));
    EXPECT_EQ(w->findChild<QPushButton*>("cmdExit")->geometry(), QRect(px(9780), px(210), px(1110), px(315)));

    w->resize(20, 20);
    w->Form_Resize();
    EXPECT_GE(w->framMain->width(), 0);
    EXPECT_GE(w->framMain->height(), 0);
    EXPECT_GE(w->LVpart->width(), 0);
    EXPECT_GE(w->LVpart->height(), 0);
}

TEST_F(BasketWindow, RowMenuNeedsTheRightButtonAndASelectedRowAndTheExportMenuSitsBesideItsButton)
{
    WriteThree();
    frmOrder* w = Open();
    w->show();
    w->LVpart_MouseUp(2, 0, 300, 300);
    EXPECT_FALSE(w->mnuOrder->isVisible());   // no row selected
    w->LVpart->Select(1);
    w->LVpart_MouseUp(1, 0, 300, 300);
    EXPECT_FALSE(w->mnuOrder->isVisible());   // left button
    w->LVpart_MouseUp(2, 0, 300, 300);
    EXPECT_TRUE(w->mnuOrder->isVisible());
    w->mnuOrder->hide();

    QTest::mouseClick(w->cmdOrder, Qt::LeftButton);
    EXPECT_TRUE(w->mnuExport->isVisible());
    const QPoint corner = w->cmdOrder->mapToGlobal(QPoint(w->cmdOrder->width(), w->cmdOrder->height()));
    const QRect menu = w->mnuExport->geometry();
    const QRect screen = w->screen()->geometry();
    // At the button's lower right corner, moved only as far as the screen's edges demand.
    EXPECT_EQ(menu.top(), std::min(corner.y(), screen.bottom() + 1 - menu.height()));
    EXPECT_EQ(menu.left(), std::min(corner.x(), screen.right() + 1 - menu.width()));
    w->mnuExport->hide();
}

TEST_F(BasketWindow, TheMainWindowsCommandOpensTheBasketModallyAndQuitUnloadsIt)
{
    WriteThree();
    frmExplore* main = Forms::get<frmExplore>();
    QAction* command = main->findChild<QAction*>("mnuOrder2");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QPointer<frmOrder> seen;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        seen = Forms::loaded<frmOrder>();
        ASSERT_TRUE(seen);
        modal = seen->isVisible() && seen->isModal() && seen->parentWidget() == main;
        EXPECT_EQ(seen->LVpart->Count(), 3);
        QTest::mouseClick(seen->cmdExit, Qt::LeftButton);
    });
    command->trigger();
    EXPECT_TRUE(modal);
    EXPECT_EQ(Forms::loaded<frmOrder>(), nullptr);
    Settle();
    EXPECT_TRUE(seen.isNull());

    // Escape closes it too, and the next opening loads the basket afresh.
    Write({});
    QTimer::singleShot(0, [&] {
        seen = Forms::loaded<frmOrder>();
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->LVpart->Count(), 0);
        QTest::keyClick(seen, Qt::Key_Escape);
    });
    main->mnuOrder2_Click();
    EXPECT_EQ(Forms::loaded<frmOrder>(), nullptr);
}

TEST_F(BasketWindow, ABasketThatCannotBeOpenedKeepsTheRowsAndTheBasketUnchanged)
{
    WriteThree();
    frmOrder* w = Open();
    ASSERT_EQ(w->LVpart->Count(), 3);
    // The file is damaged behind the window: no command may lose a row or crash.
    const QString path = BasketStore::BasketPath();
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("this is not a database, only text that fills the first page of a file........");
    }
    w->LVpart->SetChecked(1, true);
    Dialogs::Script::Push(Dialogs::Yes);
    w->cmdDeleteS_Click();
    w->LVpart->Select(2);
    Dialogs::Script::Push(Dialogs::Yes);
    w->mnuOrder_Delete_Click();
    w->LVpart->Select(3);
    Dialogs::Script::Push(QString("9"));
    w->mnuOrder_EditNum_Click();
    EXPECT_EQ(w->LVpart->Count(), 3);
    EXPECT_EQ(w->LVpart->SubItem(3, 3), "4");
    EXPECT_EQ(w->txtPrice->text(), "53");

    // Loaded afresh, the window shows no rows and the store has told why.
    Forms::unload<frmOrder>();
    Settle();
    w = Open();
    EXPECT_EQ(w->LVpart->Count(), 0);
    EXPECT_EQ(w->txtPrice->text(), "0");
    bool told = false;
    for (const QString& prompt : Dialogs::Script::Prompts()) told = told || prompt.contains(path);
    EXPECT_TRUE(told);
}
