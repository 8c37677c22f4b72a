#include "basket/frmOrder.h"

#include "ModExplor.h"
#include "basket/BasketStore.h"
#include "basket/BasketTextExport.h"
#include "basket/BasketWorkbookExport.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/ReportList.h"
#include "startup/TextRules.h"
#include "startup/Twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

namespace {

// Sub-items of a row.
enum SubItem { PartNo = 1, Description = 2, Quantity = 3, UnitWeight = 4, TotalWeight = 5, UnitPrice = 6,
               TotalPrice = 7, Drawing = 8, Serial = 9 };

constexpr int ToolsHeight = 630;   // twips, as designed

void Place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Twips::ToPixels(left), Twips::ToPixels(top), Twips::ToPixels(std::max(width, 0)),
                   Twips::ToPixels(std::max(height, 0)));
}

// The numeric value of a cell. The cells hold decimal texts in the locale's form, so its decimal separator
// reads as a point too.
double CellValue(const QString& text)
{
    const QString point = QLocale::system().decimalPoint();
    if (point == QLatin1String(".")) return TextRules::NumericValue(text);
    QString t = text;
    return TextRules::NumericValue(t.replace(point, QStringLiteral(".")));
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int left, int width)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);   // Enter must not press a button such as the delete button
    Place(b, left, 210, width, 315);
    return b;
}

QAction* Item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

// Both delete commands ask the same Chinese question; only the English one tells them apart.
bool ConfirmDelete(QWidget* owner, const QString& englishQuestion)
{
    const bool en = ModExplor::IsEnglish();
    const QString question = en ? englishQuestion : QStringLiteral("您确定要删除所选择的所有部件吗？");
    return Dialogs::MsgBox(question, Dialogs::YesNo | Dialogs::Information | Dialogs::DefaultButton2,
                           en ? QStringLiteral("Delete") : QStringLiteral("删除"), owner) == Dialogs::Yes;
}

} // namespace

frmOrder::frmOrder()
{
    setObjectName(QStringLiteral("frmOrder"));
    setWindowTitle(QStringLiteral("购物箱"));
    BuildControls();
    BuildMenus();
    resize(Twips::ToPixels(11600), Twips::ToPixels(7200));
    Forms::UnloadOnClose(this);
}

void frmOrder::BuildControls()
{
    framMain = new QGroupBox(this);
    framMain->setObjectName(QStringLiteral("framMain"));
    LVpart = new ReportList(framMain);
    LVpart->setObjectName(QStringLiteral("LVpart"));
    LVpart->SetCheckBoxes(true);

    framTools = new QGroupBox(this);
    framTools->setObjectName(QStringLiteral("framTools"));
    lbTotle = new QLabel(QStringLiteral("金额合计："), framTools);
    lbTotle->setObjectName(QStringLiteral("lbTotle"));
    Place(lbTotle, 135, 315, 900, 180);
    txtPrice = new QLineEdit(framTools);
    txtPrice->setObjectName(QStringLiteral("txtPrice"));
    txtPrice->setReadOnly(true);   // a sum of the rows, never typed
    Place(txtPrice, 1050, 255, 2055, 315);
    cmdSelectAll = Button(framTools, "cmdSelectAll", QStringLiteral("全部选择"), 4395, 1425);
    CmdCancleSelect = Button(framTools, "CmdCancleSelect", QStringLiteral("取消选择"), 5820, 1425);
    cmdDeleteS = Button(framTools, "cmdDeleteS", QStringLiteral("删除所选部件"), 7245, 1425);
    cmdOrder = Button(framTools, "cmdOrder", QStringLiteral("导  出"), 8670, 1110);
    cmdExit = Button(framTools, "cmdExit", QStringLiteral("退  出"), 9780, 1110);

    connect(LVpart, &ReportList::MouseUp, this, &frmOrder::LVpart_MouseUp);
    connect(cmdSelectAll, &QPushButton::clicked, this, &frmOrder::cmdSelectAll_Click);
    connect(CmdCancleSelect, &QPushButton::clicked, this, &frmOrder::CmdCancleSelect_Click);
    connect(cmdDeleteS, &QPushButton::clicked, this, &frmOrder::cmdDeleteS_Click);
    connect(cmdOrder, &QPushButton::clicked, this, &frmOrder::cmdOrder_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmOrder::cmdExit_Click);
}

void frmOrder::BuildMenus()
{
    mnuOrder = new QMenu(QStringLiteral("订单"), this);
    mnuOrder->setObjectName(QStringLiteral("mnuOrder"));
    mnuOrder_EditNum = Item(mnuOrder, "mnuOrder_EditNum", QStringLiteral("修改数量"));
    mnuOrder_1 = mnuOrder->addSeparator();
    mnuOrder_1->setObjectName(QStringLiteral("mnuOrder_1"));
    mnuOrder_Delete = Item(mnuOrder, "mnuOrder_Delete", QStringLiteral("删除该部件"));

    mnuExport = new QMenu(QStringLiteral("导出"), this);
    mnuExport->setObjectName(QStringLiteral("mnuExport"));
    mnuExport_txt = Item(mnuExport, "mnuExport_txt", QStringLiteral("导出订单为txt格式"));
    mnuExport_excel = Item(mnuExport, "mnuExport_excel", QStringLiteral("导出订单为Excel格式"));

    connect(mnuOrder_EditNum, &QAction::triggered, this, &frmOrder::mnuOrder_EditNum_Click);
    connect(mnuOrder_Delete, &QAction::triggered, this, &frmOrder::mnuOrder_Delete_Click);
    connect(mnuExport_txt, &QAction::triggered, this, &frmOrder::mnuExport_txt_Click);
    connect(mnuExport_excel, &QAction::triggered, this, &frmOrder::mnuExport_excel_Click);
}

void frmOrder::SetEnglishCaptions()
{
    setWindowTitle(QStringLiteral("Order"));
    lbTotle->setText(QStringLiteral("T-Pritc:"));
    cmdSelectAll->setText(QStringLiteral("Select All"));
    CmdCancleSelect->setText(QStringLiteral("Select Cancel"));
    cmdDeleteS->setText(QStringLiteral("Delete All"));
    cmdOrder->setText(QStringLiteral("Export ..."));
    cmdExit->setText(QStringLiteral("Quit"));
    mnuOrder_EditNum->setText(QStringLiteral("Edit The Select Part Num"));
    mnuOrder_Delete->setText(QStringLiteral("Delete The Select Part"));
    mnuExport_txt->setText(QStringLiteral("Export to Txt"));
    mnuExport_excel->setText(QStringLiteral("Export to Excel"));
}

void frmOrder::Form_Load()
{
    if (ModExplor::IsEnglish()) SetEnglishCaptions();
    LoadBasket();
}

void frmOrder::LoadBasket()
{
    const bool en = ModExplor::IsEnglish();
    struct Column { const char* chinese; const char* english; int width; };
    static const Column columns[] = {
        {"顺序号(Sl.No.)", "Sl.No.", 1000},       {"图号(PART NO.)", "PART NO.", 1500},
        {"名称(Description)", "Description", 2000}, {"数量(Q'ty)", "Q'ty", 1000},
        {"单重(U-Weight)", "U-Weight", 1300},     {"总重(T-Weight)", "T-Weight", 1400},
        {"价格(U-Price)", "U-Price", 1300},       {"总价(T-Price)", "T-Price", 1300},
        {"归属(Ass'y No.)", "Ass'y No.", 1300},   {"图序号(Fig.No.)", "Fig.No.", 1000},
    };
    LVpart->RemoveAllColumns();
    for (const Column& c : columns) LVpart->AddColumn(QString::fromUtf8(en ? c.english : c.chinese), c.width);

    using TextRules::DecimalText;
    using TextRules::DisplayText;
    using TextRules::NumericValue;
    try {
        Connection connection;
        BasketStore::Open(connection);
        Recordset rs;
        rs.Open(QStringLiteral("select * from tblOrder "), connection, 1, 1, -1);
        // Every line is listed; a value the line does not hold shows as an empty cell.
        for (int n = 1; !rs.Eof(); rs.MoveNext(), ++n) {
            const QVariant quantity = rs.Fields(QStringLiteral("数量"));
            const QVariant weight = rs.Fields(QStringLiteral("单重"));
            const QVariant price = rs.Fields(QStringLiteral("价格"));
            const QString name = DisplayText(rs.Fields(QStringLiteral("名称")));
            const double q = NumericValue(quantity);
            const int row = LVpart->AddRow(QStringLiteral("K") + QString::number(n), QString::number(n));
            LVpart->SetSubItem(row, PartNo, DisplayText(rs.Fields(QStringLiteral("图号"))));
            LVpart->SetSubItem(row, Description, en ? TextRules::EnglishPart(name) : name);
            LVpart->SetSubItem(row, Quantity, quantity.isNull() ? QString() : DecimalText(q));
            LVpart->SetSubItem(row, UnitWeight, DisplayText(weight));
            LVpart->SetSubItem(row, TotalWeight, DecimalText(NumericValue(weight) * q));
            LVpart->SetSubItem(row, UnitPrice, DisplayText(price));
            LVpart->SetSubItem(row, TotalPrice, DecimalText(NumericValue(price) * q));
            LVpart->SetSubItem(row, Drawing, DisplayText(rs.Fields(QStringLiteral("归属"))));
            LVpart->SetSubItem(row, Serial, DisplayText(rs.Fields(QStringLiteral("序号"))));
        }
    } catch (const DataError&) {
        // The basket cannot be read (the store has told the user): the rows read so far stay.
    }
    ShowBasketTotal();
}

void frmOrder::ShowBasketTotal()
{
    double total = 0;
    for (int row = 1; row <= LVpart->Count(); ++row) total += CellValue(LVpart->SubItem(row, TotalPrice));
    txtPrice->setText(TextRules::DecimalText(total));
}

void frmOrder::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmOrder::Form_Resize()
{
    // The outer size of the window, as the layout has always been reckoned.
    const QSize outer = frameGeometry().size();
    const int w = int(Twips::FromPixels(outer.width()));
    const int h = int(Twips::FromPixels(outer.height()));
    const int mainWidth = std::max(w - 400, 0);
    const int mainHeight = std::max(h - 200 - ToolsHeight - 600, 0);
    Place(framMain, 200, 200, mainWidth, mainHeight);
    Place(framTools, 200, mainHeight + 200, mainWidth, ToolsHeight);
    Place(LVpart, 150, 150, mainWidth - 300, mainHeight - 300);
}

void frmOrder::cmdSelectAll_Click()
{
    for (int row = 1; row <= LVpart->Count(); ++row) LVpart->SetChecked(row, true);
}

void frmOrder::CmdCancleSelect_Click()
{
    for (int row = 1; row <= LVpart->Count(); ++row) LVpart->SetChecked(row, false);
}

QString frmOrder::LineCondition(int row) const
{
    return QStringLiteral("图号='") + SqlText(LVpart->SubItem(row, PartNo)) + QStringLiteral("' and 归属='")
           + SqlText(LVpart->SubItem(row, Drawing)) + QStringLiteral("' and 序号='")
           + SqlText(LVpart->SubItem(row, Serial)) + QStringLiteral("'");
}

void frmOrder::DeleteRowAndLine(Connection& connection, int row)
{
    connection.Execute(QStringLiteral("delete from tblOrder where ") + LineCondition(row));
    LVpart->RemoveRow(LVpart->Key(row));
}

void frmOrder::cmdDeleteS_Click()
{
    if (!ConfirmDelete(this, QStringLiteral("Are You sure to delete All select Part？"))) return;
    try {
        Connection connection;
        BasketStore::Open(connection);
        // From the last row up, so the rows still to visit keep their positions.
        for (int row = LVpart->Count(); row >= 1; --row) {
            if (LVpart->Checked(row)) DeleteRowAndLine(connection, row);
        }
    } catch (const DataError&) {
        // The walk stops; what was deleted stays deleted and its rows are gone.
    }
    ShowBasketTotal();
}

void frmOrder::mnuOrder_Delete_Click()
{
    // The selected row only, never the ticked ones.
    const int row = LVpart->SelectedRow();
    if (row == 0) return;
    if (!ConfirmDelete(this, QStringLiteral("Are You sure to delete the select Part？"))) return;
    try {
        Connection connection;
        BasketStore::Open(connection);
        DeleteRowAndLine(connection, row);
    } catch (const DataError&) {
        // The line was not deleted, so its row stays.
    }
    ShowBasketTotal();
}

void frmOrder::mnuOrder_EditNum_Click()
{
    const int row = LVpart->SelectedRow();
    if (row == 0) return;
    const bool en = ModExplor::IsEnglish();
    QString answer;
    Dialogs::InputBox(en ? QStringLiteral("Please input the Num") : QStringLiteral("请输入要修改的数量"),
                      en ? QStringLiteral("Edit Num") : QStringLiteral("修改数量"), LVpart->SubItem(row, Quantity),
                      answer, this);
    if (answer.isEmpty()) return;
    const double q = CellValue(answer);
    if (q == CellValue(LVpart->SubItem(row, Quantity)) || q <= 0) return;

    const double unitWeight = CellValue(LVpart->SubItem(row, UnitWeight));
    const double unitPrice = CellValue(LVpart->SubItem(row, UnitPrice));
    bool stored = false;
    bool vanished = false;
    try {
        Connection connection;
        BasketStore::Open(connection);
        Recordset rs;
        rs.Open(QStringLiteral("select * from tblOrder where ") + LineCondition(row), connection, 1, 3, -1);
        if (rs.Eof()) {
            vanished = true;
        } else {
            rs.SetField(QStringLiteral("数量"), q);
            rs.SetField(QStringLiteral("总重"), q * unitWeight);
            rs.SetField(QStringLiteral("总价"), q * unitPrice);
            rs.Update();
            stored = true;
        }
    } catch (const DataError&) {
        // Nothing was stored: the row keeps what the basket holds.
    }
    if (vanished) {
        // The row shows a line the basket no longer holds: show the basket as it is instead.
        LoadBasket();
        return;
    }
    if (stored) {
        LVpart->SetSubItem(row, Quantity, TextRules::DecimalText(q));
        LVpart->SetSubItem(row, TotalWeight, TextRules::DecimalText(q * unitWeight));
        LVpart->SetSubItem(row, TotalPrice, TextRules::DecimalText(q * unitPrice));
    }
    ShowBasketTotal();
}

void frmOrder::LVpart_MouseUp(int button, int, float x, float y)
{
    if (button != 2 || LVpart->SelectedRow() == 0) return;
    mnuOrder->popup(LVpart->viewport()->mapToGlobal(QPoint(Twips::ToPixels(x), Twips::ToPixels(y))));
}

void frmOrder::cmdOrder_Click()
{
    // Beside the export button: at its lower right corner.
    mnuExport->popup(cmdOrder->mapToGlobal(QPoint(cmdOrder->width(), cmdOrder->height())));
}

void frmOrder::mnuExport_txt_Click() { ExportBasketText(this); }

void frmOrder::mnuExport_excel_Click() { ExportBasketWorkbook(this); }

void frmOrder::cmdExit_Click() { Forms::unload<frmOrder>(); }
