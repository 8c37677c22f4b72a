// The basket window: every basket line with its totals and the basket's total amount; ticking, deleting,
// changing a quantity and the two exports. Every change is written to the basket at once.
#pragma once

#include <QDialog>

class Connection;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class ReportList;

class frmOrder : public QDialog {
    Q_OBJECT
public:
    frmOrder();
    void Form_Load();
    void SetEnglishCaptions();
    void Form_Resize();
    void ShowBasketTotal();

    void LVpart_MouseUp(int button, int shift, float x, float y);
    void cmdSelectAll_Click();
    void CmdCancleSelect_Click();
    void cmdDeleteS_Click();
    void mnuOrder_Delete_Click();
    void mnuOrder_EditNum_Click();
    void cmdOrder_Click();
    void mnuExport_txt_Click();
    void mnuExport_excel_Click();
    void cmdExit_Click();

    QGroupBox* framMain = nullptr;
    ReportList* LVpart = nullptr;
    QGroupBox* framTools = nullptr;
    QLabel* lbTotle = nullptr;
    QLineEdit* txtPrice = nullptr;
    QPushButton* cmdSelectAll = nullptr;
    QPushButton* CmdCancleSelect = nullptr;
    QPushButton* cmdDeleteS = nullptr;
    QPushButton* cmdOrder = nullptr;
    QPushButton* cmdExit = nullptr;

    // Pop-up menus only, never in a menu bar.
    QMenu* mnuOrder = nullptr;
    QAction* mnuOrder_EditNum = nullptr;
    QAction* mnuOrder_1 = nullptr;       // separator
    QAction* mnuOrder_Delete = nullptr;
    QMenu* mnuExport = nullptr;
    QAction* mnuExport_txt = nullptr;
    QAction* mnuExport_excel = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    // Columns of the language, then a row per basket line in the table's order, then the total.
    void LoadBasket();
    // The where clause that names the basket line of a row by its part number, drawing and serial number.
    QString LineCondition(int row) const;
    // Deletes the row's basket line, then the row; throws DataError, leaving the row, when the line stays.
    void DeleteRowAndLine(Connection& connection, int row);
};
