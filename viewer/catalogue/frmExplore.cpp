#include "catalogue/frmExplore.h"
#include "ModExplor.h"
#include "catalogue/BookTree.h"
#include "catalogue/LibraryTree.h"
#include "drawing/MouseTools.h"
#include "startup/Forms.h"
#include "startup/ImageLists.h"
#include "startup/KeyedToolbar.h"
#include "startup/KeyedTree.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ProductTexts.h"
#include "startup/ReportList.h"
#include "startup/ScrollArea.h"
#include "startup/Shape.h"
#include "search/frmQuery.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    return a;
}

QAction* AddSeparator(QMenu* menu, const char* name)
{
    QAction* a = menu->addSeparator();
    a->setObjectName(QLatin1String(name));
    return a;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    return m;
}

// A header strip above a tree: a panel carrying its label.
QWidget* HeaderStrip(const char* name, QLabel*& label, const char* labelName, const QString& caption)
{
    auto* strip = new QWidget;
    strip->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(strip);
    layout->setContentsMargins(4, 2, 4, 2);
    label = new QLabel(caption, strip);
    label->setObjectName(QLatin1String(labelName));
    layout->addWidget(label);
    strip->setMaximumHeight(label->sizeHint().height() + 6);
    return strip;
}
} // namespace

frmExplore::frmExplore()
{
    setObjectName(QStringLiteral("frmExplore"));
    setWindowTitle(ProductTexts::MainCaptionChinese());
    BuildToolbar();
    BuildControls();
    BuildMenus();
    MouseTools::Install(*this);
    Forms::UnloadOnClose(this);
}

frmExplore::~frmExplore() = default;

void frmExplore::BuildControls()
{
    spMain = new QSplitter(Qt::Horizontal, this);
    spMain->setObjectName(QStringLiteral("spMain"));

    // Left: the library group above the book group; right: the drawing above the part list.
    auto* left = new QSplitter(Qt::Vertical, spMain);
    left->setObjectName(QStringLiteral("spLeft"));
    auto* right = new QSplitter(Qt::Vertical, spMain);
    right->setObjectName(QStringLiteral("spRight"));

    spBook = new QSplitter(Qt::Vertical);
    spBook->setObjectName(QStringLiteral("spBook"));
    spBooks = new QSplitter(Qt::Vertical);
    spBooks->setObjectName(QStringLiteral("spBooks"));

    Picture1 = HeaderStrip("Picture1", lbXiLie, "lbXiLie", QStringLiteral("零件目录系列："));
    TVbooks = new KeyedTree;
    TVbooks->setObjectName(QStringLiteral("TVbooks"));
    TVbooks->SetImageList(ImageLists::ImageList1());
    spBooks->addWidget(Picture1);
    spBooks->addWidget(TVbooks);

    Picture2 = HeaderStrip("Picture2", lbDir, "lbDir", QStringLiteral("目录："));
    TVbook = new KeyedTree;
    TVbook->setObjectName(QStringLiteral("TVbook"));
    TVbook->SetImageList(ImageLists::ImageList1());
    spBook->addWidget(Picture2);
    spBook->addWidget(TVbook);

    left->addWidget(spBooks);
    left->addWidget(spBook);

    S1 = new ScrollArea;
    S1->setObjectName(QStringLiteral("S1"));
    QWidget* content = S1->Content();
    imgMain = new PictureBox(content);
    imgMain->setObjectName(QStringLiteral("imgMain"));
    auto* hot0 = new PictureBox(content);
    hot0->SetStretch(true);
    hot0->SetPicture(Picture::FromImage(ImageLists::HotspotMarker()));
    hot0->Move(0, 0, 300, 300);
    hot0->setCursor(Qt::PointingHandCursor);
    hot0->setVisible(false);
    HotImg = new PictureArray(QStringLiteral("HotImg"), hot0, this);
    Shp = new Shape(content);
    Shp->setObjectName(QStringLiteral("Shp"));
    Shp->Move(0, 0, 300, 300);
    Shp->setVisible(false);
    lbTitle = new QLabel(content);
    lbTitle->setObjectName(QStringLiteral("lbTitle"));
    lbTitle->setVisible(false);

    LVpart = new ReportList;
    LVpart->setObjectName(QStringLiteral("LVpart"));
    LVpart->SetSmallIcons(ImageLists::ImageList5());

    right->addWidget(S1);
    right->addWidget(LVpart);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    spMain->setStretchFactor(0, 1);
    spMain->setStretchFactor(1, 4);
    // Wide enough for a catalogue's name in the trees; the drawing side takes what the window adds.
    spMain->setSizes({320, 960});
    setCentralWidget(spMain);
}

void frmExplore::BuildMenus()
{
    QMenuBar* bar = menuBar();
    mnuFile = AddMenu(bar, "mnuFile", QStringLiteral("文件(&F)"));
    mnuFile_Open = AddItem(mnuFile, "mnuFile_Open", QStringLiteral("刷新"), QKeySequence(Qt::CTRL | Qt::Key_R));
    AddSeparator(mnuFile, "exit");
    mnuFile_Exit = AddItem(mnuFile, "mnuFile_Exit", QStringLiteral("退出系统"), QKeySequence(Qt::CTRL | Qt::Key_X));

    mnuOrder = AddMenu(bar, "mnuOrder", QStringLiteral("编辑(&E)"));
    mnuQuery = AddItem(mnuOrder, "mnuQuery", QStringLiteral("查询"), QKeySequence(Qt::CTRL | Qt::Key_F));
    AddSeparator(mnuOrder, "d");
    mnuFile_ImportPrice = AddItem(mnuOrder, "mnuFile_ImportPrice", QStringLiteral("价格导入"), QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuOrder2 = AddItem(mnuOrder, "mnuOrder2", QStringLiteral("购物箱编辑"), QKeySequence(Qt::CTRL | Qt::Key_O));

    mnuTools = AddMenu(bar, "mnuTools", QStringLiteral("视图(&V)"));
    mnuTools_A = AddItem(mnuTools, "mnuTools_A", QStringLiteral("放大"), QKeySequence(Qt::Key_F5));
    mnuTools_B = AddItem(mnuTools, "mnuTools_B", QStringLiteral("缩小"), QKeySequence(Qt::Key_F6));
    AddSeparator(mnuTools, "mnuTools_u");
    mnuTools_Shi = AddItem(mnuTools, "mnuTools_Shi", QStringLiteral("最适大小"), QKeySequence(Qt::Key_F7));
    mnuTools_D = AddItem(mnuTools, "mnuTools_D", QStringLiteral("实际大小"), QKeySequence(Qt::Key_F8));

    mnuT = AddMenu(bar, "mnuT", QStringLiteral("工具(&T)"));
    mnuTools_F = AddItem(mnuT, "mnuTools_F", QStringLiteral("环境设置"), QKeySequence(Qt::Key_F9));

    mnuHelp = AddMenu(bar, "mnuHelp", QStringLiteral("帮助(&H)"));
    mnuHelp_Con = AddItem(mnuHelp, "mnuHelp_Con", QStringLiteral("帮助文件"), QKeySequence(Qt::CTRL | Qt::Key_H));
    mnuHelp_AboutView = AddItem(mnuHelp, "mnuHelp_AboutView", QStringLiteral("关于此软件"), QKeySequence(Qt::CTRL | Qt::Key_A));
    AddSeparator(mnuHelp, "h");
    mnuHelp_About = AddItem(mnuHelp, "mnuHelp_About", QStringLiteral("关于产品支持"), QKeySequence(Qt::CTRL | Qt::Key_T));

    // The part list's context menu: never in the menu bar.
    mnuOrder1 = new QMenu(QStringLiteral("订购"), this);
    mnuOrder1->setObjectName(QStringLiteral("mnuOrder1"));
    mnuOrder_1 = AddItem(mnuOrder1, "mnuOrder_1", QStringLiteral("订购"));
    AddSeparator(mnuOrder1, "mnuOrder1_1");
    mnuOrder1_2 = AddItem(mnuOrder1, "mnuOrder1_2", QStringLiteral("将图号发送到粘贴板"));

    connect(mnuFile_Open, &QAction::triggered, this, &frmExplore::mnuFile_Open_Click);
    connect(mnuFile_Exit, &QAction::triggered, this, &frmExplore::mnuFile_Exit_Click);
    connect(mnuQuery, &QAction::triggered, this, &frmExplore::mnuQuery_Click);
    connect(mnuTools_F, &QAction::triggered, this, &frmExplore::mnuTools_F_Click);
    connect(mnuTools_A, &QAction::triggered, this, &frmExplore::mnuTools_A_Click);
    connect(mnuTools_B, &QAction::triggered, this, &frmExplore::mnuTools_B_Click);
    connect(mnuTools_Shi, &QAction::triggered, this, &frmExplore::mnuTools_Shi_Click);
    connect(mnuTools_D, &QAction::triggered, this, &frmExplore::mnuTools_D_Click);
    connect(mnuHelp_Con, &QAction::triggered, this, &frmExplore::mnuHelp_Con_Click);
    connect(mnuHelp_AboutView, &QAction::triggered, this, &frmExplore::mnuHelp_AboutView_Click);
    connect(mnuHelp_About, &QAction::triggered, this, &frmExplore::mnuHelp_About_Click);
    connect(mnuOrder_1, &QAction::triggered, this, &frmExplore::mnuOrder_1_Click);
    connect(mnuOrder1_2, &QAction::triggered, this, &frmExplore::mnuOrder1_2_Click);
    connect(mnuOrder2, &QAction::triggered, this, &frmExplore::mnuOrder2_Click);
    connect(mnuFile_ImportPrice, &QAction::triggered, this, &frmExplore::mnuFile_ImportPrice_Click);

    connect(TVbooks, &KeyedTree::Click, this, &frmExplore::TVbooks_Click);
    connect(TVbook, &KeyedTree::Click, this, &frmExplore::TVbook_Click);
    connect(LVpart, &ReportList::ItemClick, this, &frmExplore::LVpart_ItemClick);
    connect(LVpart, &ReportList::DblClick, this, &frmExplore::LVpart_DblClick);
    connect(LVpart, &ReportList::MouseUp, this, &frmExplore::LVpart_MouseUp);
    connect(HotImg, &PictureArray::MouseDown, this, &frmExplore::HotImg_MouseDown);
    connect(HotImg, &PictureArray::MouseUp, this, &frmExplore::HotImg_MouseUp);
    connect(imgMain, &PictureBox::MouseDown, this, &frmExplore::imgMain_MouseDown);
}

void frmExplore::BuildToolbar()
{
    Toolbar1 = new KeyedToolbar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    addToolBar(Qt::TopToolBarArea, Toolbar1);
    // Positions 1 to 13; those without a key carry no command.
    struct Button { const char* key; const char* tooltip; };
    const Button buttons[13] = {
        {"", ""}, {"", ""}, {"", ""}, {"refesh", "刷新"}, {"", ""}, {"Normal", "正常模式"}, {"ViewL", "放大模式"},
        {"ViewS", "缩小模式"}, {"", ""}, {"Query", "查询"}, {"Option", "选项"}, {"", ""}, {"Quit", "退出"},
    };
    for (const Button& b : buttons) {
        const QString key = QString::fromUtf8(b.key);
        if (key.isEmpty()) Toolbar1->AddSeparator();
        else Toolbar1->AddButton(key, QString::fromUtf8(b.tooltip), ImageLists::ToolbarIcon(key));
    }
    Toolbar1->SetButtonMenu(QStringLiteral("ViewL"), {"100%", "110%", "120%", "130%", "140%", "150%", "160%", "170%", "200%"});
    Toolbar1->SetButtonMenu(QStringLiteral("ViewS"), {"5%", "10%", "15%", "25%", "30%", "35%", "40%", "45%", "50%",
                                                      "60%", "65%", "75%", "85%", "90%", "100%"});
    connect(Toolbar1, &KeyedToolbar::ButtonClick, this, &frmExplore::Toolbar1_ButtonClick);
    connect(Toolbar1, &KeyedToolbar::ButtonMenuClick, this, &frmExplore::Toolbar1_ButtonMenuClick);
}

void frmExplore::Form_Load()
{
    RefreshLibrary();
    if (ModExplor::IsEnglish()) SetEnglishCaptions();
}

void frmExplore::SetEnglishCaptions()
{
    setWindowTitle(ProductTexts::MainCaptionEnglish);
    lbXiLie->setText(QStringLiteral("Kinds List:"));
    lbDir->setText(QStringLiteral("Directory:"));
    mnuFile->setTitle(QStringLiteral("File(&F)"));
    mnuFile_Open->setText(QStringLiteral("Open"));
    mnuFile_Exit->setText(QStringLiteral("Quit"));
    mnuOrder->setTitle(QStringLiteral("Edit(&E)"));
    mnuQuery->setText(QStringLiteral("Query(&Q)"));
    mnuFile_ImportPrice->setText(QStringLiteral("Import Price"));
    mnuOrder2->setText(QStringLiteral("Order Manger"));
    mnuTools->setTitle(QStringLiteral("View(&V)"));
    mnuTools_A->setText(QStringLiteral("Zoom Out"));
    mnuTools_B->setText(QStringLiteral("Zoom In"));
    mnuTools_Shi->setText(QStringLiteral("Fit Size"));
    mnuTools_D->setText(QStringLiteral("Full Size"));
    mnuT->setTitle(QStringLiteral("Tools(&T)"));
    mnuTools_F->setText(QStringLiteral("Option"));
    mnuHelp->setTitle(QStringLiteral("Help(&H)"));
    mnuHelp_Con->setText(QStringLiteral("Help"));
    mnuHelp_AboutView->setText(QStringLiteral("About SoftWare"));
    mnuHelp_About->setText(QStringLiteral("About Product"));
    mnuOrder_1->setText(QStringLiteral("Order "));
    mnuOrder1_2->setText(QStringLiteral("Copy Part NO."));
    Toolbar1->SetTooltip(QStringLiteral("refesh"), QStringLiteral("Refresh"));
    Toolbar1->SetTooltip(QStringLiteral("Normal"), QStringLiteral("Normal"));
    Toolbar1->SetTooltip(QStringLiteral("ViewL"), QStringLiteral("Zoom Out"));
    Toolbar1->SetTooltip(QStringLiteral("ViewS"), QStringLiteral("Zoom In"));
    Toolbar1->SetTooltip(QStringLiteral("Query"), QStringLiteral("Query"));
    Toolbar1->SetTooltip(QStringLiteral("Option"), QStringLiteral("Option"));
    Toolbar1->SetTooltip(QStringLiteral("Quit"), QStringLiteral("Exit"));
}

void frmExplore::Toolbar1_ButtonClick(const QString& key)
{
    // Keys compare exactly, letter for letter and in case.
    if (key == QLatin1String("refesh")) RefreshLibrary();
    else if (key == QLatin1String("Normal")) ModExplor::MouseTool = 1;
    else if (key == QLatin1String("ViewL")) ModExplor::MouseTool = 2;
    else if (key == QLatin1String("ViewS")) ModExplor::MouseTool = 3;
    else if (key == QLatin1String("Query")) OpenSearch(this, true);
    else if (key == QLatin1String("Option")) mnuTools_F_Click();
    else if (key == QLatin1String("Quit")) QApplication::exit(0);
}

void frmExplore::RefreshLibrary() { LibraryTree::RefreshLibrary(*this); }

void frmExplore::TVbooks_Click() { BookTree::OpenSelectedCatalogue(*this); }

void frmExplore::mnuFile_Open_Click() { RefreshLibrary(); }

void frmExplore::mnuFile_Exit_Click() { close(); }

void frmExplore::mnuHelp_Con_Click()
{
    QString document = ModExplor::ProgramFolder() + QStringLiteral("/MarlinexHelp.doc");
    ModExplor::OpenWithShell(document);
}

void frmExplore::mnuOrder1_2_Click()
{
    // Nothing to copy when no row is selected.
    const int row = LVpart->SelectedRow();
    if (row == 0) return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(LVpart->SubItem(row, 1));
}
