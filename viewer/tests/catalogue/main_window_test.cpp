// The main window's frame: menus and toolbar in both languages, the toolbar's dispatch, and the commands that
// need no other window (refresh, exit, quit, help document, copying a part number).
#include "Fixtures.h"
#include "ModExplor.h"
#include "TestSupport.h"
#include "catalogue/frmExplore.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/KeyedToolbar.h"
#include "startup/KeyedTree.h"
#include "startup/ReportList.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

struct Item { const char* name; const char* chinese; const char* english; const char* shortcut; };

// Top-level menus, then each menu's items, in order; "-" is a separator.
const Item kMenus[] = {
    {"mnuFile", "文件(&F)", "File(&F)", ""},
    {"mnuOrder", "编辑(&E)", "Edit(&E)", ""},
    {"mnuTools", "视图(&V)", "View(&V)", ""},
    {"mnuT", "工具(&T)", "Tools(&T)", ""},
    {"mnuHelp", "帮助(&H)", "Help(&H)", ""},
};
const Item kItems[][5] = {
    {{"mnuFile_Open", "刷新", "Open", "Ctrl+R"}, {"exit", "-", "-", ""}, {"mnuFile_Exit", "退出系统", "Quit", "Ctrl+X"}},
    {{"mnuQuery", "查询", "Query(&Q)", "Ctrl+F"}, {"d", "-", "-", ""},
     {"mnuFile_ImportPrice", "价格导入", "Import Price", "Ctrl+I"}, {"mnuOrder2", "购物箱编辑", "Order Manger", "Ctrl+O"}},
    {{"mnuTools_A", "放大", "Zoom Out", "F5"}, {"mnuTools_B", "缩小", "Zoom In", "F6"}, {"mnuTools_u", "-", "-", ""},
     {"mnuTools_Shi", "最适大小", "Fit Size", "F7"}, {"mnuTools_D", "实际大小", "Full Size", "F8"}},
    {{"mnuTools_F", "环境设置", "Option", "F9"}},
    {{"mnuHelp_Con", "帮助文件", "Help", "Ctrl+H"}, {"mnuHelp_AboutView", "关于此软件", "About SoftWare", "Ctrl+A"},
     {"h", "-", "-", ""}, {"mnuHelp_About", "关于产品支持", "About Product", "Ctrl+T"}},
};
const Item kContextItems[] = {
    {"mnuOrder_1", "订购", "Order ", ""}, {"mnuOrder1_1", "-", "-", ""}, {"mnuOrder1_2", "将图号发送到粘贴板", "Copy Part NO.", ""},
};

// Position, key, Chinese and English tooltip.
struct Button { int position; const char* key; const char* chinese; const char* english; };
const Button kButtons[] = {
    {4, "refesh", "刷新", "Refresh"}, {6, "Normal", "正常模式", "Normal"}, {7, "ViewL", "放大模式", "Zoom Out"},
    {8, "ViewS", "缩小模式", "Zoom In"}, {10, "Query", "查询", "Query"}, {11, "Option", "选项", "Option"},
    {13, "Quit", "退出", "Exit"},
};

void ExpectItems(QMenu* menu, const Item* items, int count, bool english)
{
    QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), count) << menu->objectName().toStdString();
    for (int i = 0; i < count; ++i) {
        const Item& it = items[i];
        SCOPED_TRACE(it.name);
        QAction* a = actions[i];
        EXPECT_EQ(a->objectName(), it.name);
        if (QString::fromUtf8(it.chinese) == "-") {
            EXPECT_TRUE(a->isSeparator());
            continue;
        }
        EXPECT_EQ(a->text(), QString::fromUtf8(english ? it.english : it.chinese));
        EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), it.shortcut);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath = data.path() + '/';
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        Forms::unload<frmExplore>();
        Settle();
        ModExplor::LanguageFlag = QVariant();
        ModExplor::DataPath.clear();
    }
    ScratchDir data;
};

} // namespace

TEST_F(MainWindowTest, MenusAndToolbarInBothLanguages)
{
    for (bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "Chinese");
        ModExplor::LanguageFlag = english ? QStringLiteral("1") : QStringLiteral("0");
        frmExplore* w = Forms::get<frmExplore>();
        EXPECT_EQ(w->windowTitle(), english ? "TovarnInfo Visual Marlinex" : "推土机电子零件目录Marlinex");
        EXPECT_EQ(w->lbXiLie->text(), english ? "Kinds List:" : "零件目录系列：");
        EXPECT_EQ(w->lbDir->text(), english ? "Directory:" : "目录：");

        const QList<QAction*> bar = w->menuBar()->actions();
        ASSERT_EQ(bar.size(), 5);
        for (int m = 0; m < 5; ++m) {
            EXPECT_EQ(bar[m]->objectName(), kMenus[m].name);
            EXPECT_EQ(bar[m]->text(), QString::fromUtf8(english ? kMenus[m].english : kMenus[m].chinese));
            int count = 0;
            while (count < 5 && kItems[m][count].name) ++count;
            ExpectItems(bar[m]->menu(), kItems[m], count, english);
        }
        // The part list's context menu is not in the menu bar.
        EXPECT_FALSE(bar.contains(w->mnuOrder1->menuAction()));
        EXPECT_EQ(w->mnuOrder1->objectName(), "mnuOrder1");
        ExpectItems(w->mnuOrder1, kContextItems, 3, english);

        ASSERT_EQ(w->Toolbar1->Count(), 13);
        for (int p = 1; p <= 13; ++p) {
            const Button* b = nullptr;
            for (const Button& candidate : kButtons)
                if (candidate.position == p) b = &candidate;
            SCOPED_TRACE(p);
            EXPECT_EQ(w->Toolbar1->Key(p), b ? b->key : "");
            if (b) EXPECT_EQ(w->Toolbar1->Button(b->key)->toolTip(), QString::fromUtf8(english ? b->english : b->chinese));
        }
        QMenu* larger = w->Toolbar1->Button("ViewL")->menu();
        QMenu* smaller = w->Toolbar1->Button("ViewS")->menu();
        ASSERT_TRUE(larger && smaller);
        QStringList l, s;
        for (QAction* a : larger->actions()) l << a->text();
        for (QAction* a : smaller->actions()) s << a->text();
        EXPECT_EQ(l.join(' '), "100% 110% 120% 130% 140% 150% 160% 170% 200%");
        EXPECT_EQ(s.join(' '), "5% 10% 15% 25% 30% 35% 40% 45% 50% 60% 65% 75% 85% 90% 100%");

        Forms::unload<frmExplore>();
        Settle();
    }
}

TEST_F(MainWindowTest, ToolbarDispatchComparesKeysExactly)
{
    QDir().mkpath(data.file("d85"));
    Fixtures::Catalogue("D85-1", "推土机 D85", "S1:推土机 Bulldozers").WriteDatabase(data.file("d85/book.sd"));
    frmExplore* w = Forms::get<frmExplore>();
    ASSERT_NE(w->TVbooks->Node("D85-1"), nullptr);

    struct Case { const char* key; int mouseTool; };
    const Case cases[] = {{"Normal", 1}, {"ViewL", 2}, {"ViewS", 3}, {"viewl", 3}, {"VIEWS", 3}, {"", 3}, {"Normal ", 3}};
    ModExplor::MouseTool = 0;
    for (const Case& c : cases) {
        w->Toolbar1_ButtonClick(c.key);
        EXPECT_EQ(ModExplor::MouseTool, c.mouseTool) << c.key;
    }

    // The refresh button's key is "refesh": "refresh" does nothing.
    QDir(data.file("d85")).removeRecursively();
    w->TVbook->Add("", "Root", "OLD", 3);
    w->Toolbar1_ButtonClick("refresh");
    EXPECT_NE(w->TVbooks->Node("D85-1"), nullptr);
    EXPECT_EQ(ModExplor::MouseTool, 3);
    w->Toolbar1->Button("refesh")->click();
    EXPECT_EQ(w->TVbooks->Node("D85-1"), nullptr);
    EXPECT_EQ(w->TVbook->topLevelItemCount(), 0);
    EXPECT_EQ(ModExplor::MouseTool, 1);

    // The menu's refresh does the same.
    QDir().mkpath(data.file("d85"));
    Fixtures::Catalogue("D85-1", "推土机 D85", "S1:推土机 Bulldozers").WriteDatabase(data.file("d85/book.sd"));
    w->mnuFile_Open->trigger();
    EXPECT_NE(w->TVbooks->Node("D85-1"), nullptr);

    // The mouse-tool buttons through real clicks.
    w->Toolbar1->Button("ViewL")->click();
    EXPECT_EQ(ModExplor::MouseTool, 2);
}

TEST_F(MainWindowTest, QuitEndsAtOnceAndExitUnloads)
{
    frmExplore* w = Forms::get<frmExplore>();
    QEventLoop loop;
    QTimer::singleShot(0, w, [w] { w->Toolbar1->Button("Quit")->click(); });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(99); });   // only when the quit failed
    EXPECT_EQ(loop.exec(), 0);
    EXPECT_EQ(Forms::loaded<frmExplore>(), w);                    // no window was unloaded on the way

    w->mnuFile_Exit->trigger();
    Settle();
    EXPECT_EQ(Forms::loaded<frmExplore>(), nullptr);
}

TEST_F(MainWindowTest, CopyPartNumberPutsTheSecondColumnOnTheClipboard)
{
    frmExplore* w = Forms::get<frmExplore>();
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("before");
    w->LVpart->AddColumn("图序号 Fig. No.", 600);
    w->LVpart->AddColumn("零件号 Part No.", 1500);
    w->LVpart->AddRow("BZ12-35", "5");
    w->LVpart->SetSubItem(1, 1, "Z12-3'A");
    w->mnuOrder1_2->trigger();                       // no row selected: nothing happens
    EXPECT_EQ(clipboard->text(), "before");
    w->LVpart->Select(1);
    w->mnuOrder1_2->trigger();
    EXPECT_EQ(clipboard->text(), "Z12-3'A");
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

TEST_F(MainWindowTest, HelpOpensTheDocumentOfTheProgramFolder)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    frmExplore* w = Forms::get<frmExplore>();
    const QString document = ModExplor::ProgramFolder() + "/MarlinexHelp.doc";
    QFile::remove(document);
    w->mnuHelp_Con->trigger();                       // missing: nothing at all
    EXPECT_TRUE(catcher.urls.isEmpty());
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());

    QFile f(document);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("help");
    f.close();
    w->mnuHelp_Con->trigger();
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].toLocalFile(), document);
    QDesktopServices::unsetUrlHandler("file");
    QFile::remove(document);
}

#include "main_window_test.moc"
