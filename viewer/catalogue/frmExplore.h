// The main window: library tree, book tree, drawing area and part list, with its menus and toolbar.
// The window is a thin shell: each subsystem's handlers live in the folder of that subsystem.
#pragma once

#include <QMainWindow>
#include <QVector>
#include <cstdint>

class KeyedTree;
class KeyedToolbar;
class PictureArray;
class PictureBox;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QWidget;
class ReportList;
class ScrollArea;
class Shape;

class frmExplore : public QMainWindow {
    Q_OBJECT
public:
    frmExplore();
    ~frmExplore() override;
    void Form_Load();
    void SetEnglishCaptions();

    // Library discovery and the book tree.
    void RefreshLibrary();
    void TVbooks_Click();

    // Drawing page, linkage, zoom and mouse tools.
    void TVbook_Click();
    void LVpart_ItemClick(int row);
    void LVpart_DblClick();
    void LVpart_MouseUp(int button, int shift, float x, float y);
    void HotImg_MouseDown(int index, int button, int shift, float x, float y);
    void HotImg_MouseUp(int index, int button, int shift, float x, float y);
    void imgMain_MouseDown(int button, int shift, float x, float y);
    void mnuTools_A_Click();
    void mnuTools_B_Click();
    void mnuTools_Shi_Click();
    void mnuTools_D_Click();
    void Toolbar1_ButtonMenuClick(const QString& key, const QString& itemText);

    // Basket.
    void mnuOrder_1_Click();
    bool IsInBasket(const QString& drawingNumber, const QString& partNumber, const QString& serialNumber);

    // Frame commands.
    void Toolbar1_ButtonClick(const QString& key);
    void mnuFile_Open_Click();
    void mnuFile_Exit_Click();
    void mnuQuery_Click();
    void mnuFile_ImportPrice_Click();
    void mnuOrder2_Click();
    void mnuTools_F_Click();
    void mnuHelp_Con_Click();
    void mnuHelp_AboutView_Click();
    void mnuHelp_About_Click();
    void mnuOrder1_2_Click();

    // Controls.
    KeyedToolbar* Toolbar1 = nullptr;
    QSplitter* spMain = nullptr;
    QSplitter* spBook = nullptr;
    QSplitter* spBooks = nullptr;
    QWidget* Picture1 = nullptr;
    QWidget* Picture2 = nullptr;
    QLabel* lbXiLie = nullptr;
    QLabel* lbDir = nullptr;
    KeyedTree* TVbooks = nullptr;
    KeyedTree* TVbook = nullptr;
    ScrollArea* S1 = nullptr;
    PictureBox* imgMain = nullptr;
    PictureArray* HotImg = nullptr;
    Shape* Shp = nullptr;
    QLabel* lbTitle = nullptr;
    ReportList* LVpart = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFile_Open = nullptr;
    QAction* mnuFile_Exit = nullptr;
    QMenu* mnuOrder = nullptr;
    QAction* mnuQuery = nullptr;
    QAction* mnuFile_ImportPrice = nullptr;
    QAction* mnuOrder2 = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuTools_A = nullptr;
    QAction* mnuTools_B = nullptr;
    QAction* mnuTools_Shi = nullptr;
    QAction* mnuTools_D = nullptr;
    QMenu* mnuT = nullptr;
    QAction* mnuTools_F = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelp_Con = nullptr;
    QAction* mnuHelp_AboutView = nullptr;
    QAction* mnuHelp_About = nullptr;
    QMenu* mnuOrder1 = nullptr;          // context menu of the part list, not in the menu bar
    QAction* mnuOrder_1 = nullptr;
    QAction* mnuOrder1_2 = nullptr;

    // The page's state, read by the zoom commands and the basket.
    float NaturalWidth = 0;
    int32_t NaturalHeight = 0;
    QVector<QString> PartNames;
    bool HotspotRightPressed = false;   // a right press on a hotspot: the next left release rewrites nothing

private:
    void BuildControls();
    void BuildMenus();
    void BuildToolbar();
};
