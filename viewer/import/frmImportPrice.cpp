#include "import/frmImportPrice.h"
#include "ModExplor.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/Subfolders.h"
#include "import/PriceImport.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"
#include "startup/JetFiles.h"
#include "startup/Forms.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Pending events are let through at most this often while rows are written: the window stays responsive
// and repaints its bars, yet a long list is not slowed down by a repaint per row.
constexpr qint64 kPumpIntervalMs = 15;
constexpr int kNamedFailures = 5;

QPixmap DecorativePicture()
{
    // A sheet with a price column flowing into a catalogue.
    QPixmap pm(96, 220);
    pm.fill(QColor(0x2f, 0x5d, 0x8a));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::white);
    p.setPen(QColor(0xc8, 0xd4, 0xe0));
    p.drawRect(16, 24, 64, 80);
    for (int y = 40; y < 104; y += 12) p.drawLine(16, y, 80, y);
    p.drawLine(48, 24, 48, 104);
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 4));
    p.drawLine(48, 116, 48, 150);
    p.drawLine(38, 140, 48, 152);
    p.drawLine(58, 140, 48, 152);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe9, 0xee, 0xf3));
    p.drawRoundedRect(22, 162, 52, 40, 4, 4);
    return pm;
}

} // namespace

struct frmImportPrice::Outcome {
    int rowsInSheet = 0;
    int catalogues = 0;   // folders listed
    int updated = 0;
    int failed = 0;
    int notVisited = 0;
    bool stopped = false;
    QStringList failures;   // "folder: cause"
    QStringList upgraded;   // where the originals of the Jet catalogues upgraded by this import are kept
    PriceList list;
};

frmImportPrice::frmImportPrice()
{
    setObjectName(QStringLiteral("frmImportPrice"));
    setWindowTitle(QStringLiteral("价格导入"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(DecorativePicture());
    Picture1->setAlignment(Qt::AlignTop);

    Label1 = new QLabel(QStringLiteral("价格导入向导"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    Label1->setFont(heading);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);

    Label2 = new QLabel(QStringLiteral("请选择导入配置文件："), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtFile = new QLineEdit(Frame1);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setMinimumWidth(300);
    cmdSelect = new QPushButton(QStringLiteral("..."), Frame1);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect->setFixedWidth(32);
    PgBar1 = new QProgressBar(Frame1);
    PgBar1->setObjectName(QStringLiteral("PgBar1"));
    PgBar2 = new QProgressBar(Frame1);
    PgBar2->setObjectName(QStringLiteral("PgBar2"));
    labState = new QLabel(QStringLiteral("正在导入，请稍候..."), Frame1);
    labState->setObjectName(QStringLiteral("labState"));
    for (QWidget* w : {static_cast<QWidget*>(PgBar1), static_cast<QWidget*>(PgBar2), static_cast<QWidget*>(labState)}) {
        w->hide();
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);   // the window keeps its size when the bars come and go
        w->setSizePolicy(keep);
    }

    auto* frameLayout = new QGridLayout(Frame1);
    frameLayout->addWidget(Label2, 0, 0, 1, 2);
    frameLayout->addWidget(txtFile, 1, 0);
    frameLayout->addWidget(cmdSelect, 1, 1);
    frameLayout->addWidget(PgBar1, 2, 0, 1, 2);
    frameLayout->addWidget(PgBar2, 3, 0, 1, 2);
    frameLayout->addWidget(labState, 4, 0, 1, 2);
    frameLayout->setRowStretch(5, 1);

    cmdApp = new QPushButton(QStringLiteral("应  用(&A)"), this);
    cmdApp->setObjectName(QStringLiteral("cmdApp"));
    cmdApp->setAutoDefault(false);
    cmdExit = new QPushButton(QStringLiteral("退  出(&Q)"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdApp);
    buttons->addWidget(cmdExit);

    auto* right = new QVBoxLayout;
    right->addWidget(Label1);
    right->addWidget(Frame1, 1);
    right->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addWidget(Picture1);
    top->addLayout(right, 1);

    connect(cmdSelect, &QPushButton::clicked, this, &frmImportPrice::cmdSelect_Click);
    connect(cmdApp, &QPushButton::clicked, this, &frmImportPrice::cmdApp_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmImportPrice::cmdExit_Click);

    Forms::UnloadOnClose(this);
    // Installed after the unload watcher, so it sees a close first and can hold it while an import runs.
    installEventFilter(this);
}

void frmImportPrice::Form_Load()
{
    if (ModExplor::IsEnglish()) SetEnglishCaptions();
}

void frmImportPrice::SetEnglishCaptions()
{
    setWindowTitle(QStringLiteral("Import Price"));
    Label1->setText(QStringLiteral("Import Price"));
    Label2->setText(QStringLiteral("Please Select the Excel File..."));
    cmdSelect->setText(QStringLiteral("..."));
    labState->setText(QStringLiteral("Please Wait ..."));
    cmdApp->setText(QStringLiteral("Import"));
    cmdExit->setText(QStringLiteral("Quit(&Q)"));
}

void frmImportPrice::cmdSelect_Click()
{
    const bool english = ModExplor::IsEnglish();
    const QString title = english ? QStringLiteral("Please select the excel file:") : QStringLiteral("请选择导入配置文件：");
    const QString filter = english ? QStringLiteral("Microsoft Excel File(*.xl*);;All Files(*.*)")
                                   : QStringLiteral("Microsoft Excel 文件(*.xl*);;所有文件(*.*)");
    const QString file = Dialogs::GetOpenFileName(this, title, filter);
    if (!file.isEmpty()) txtFile->setText(file);
}

void frmImportPrice::cmdExit_Click() { close(); }

bool frmImportPrice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::Close && importing_) {
        // Closing during an import stops it once the current catalogue is done; the window closes then.
        stopRequested_ = true;
        closeAfterImport_ = true;
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmImportPrice::reject()
{
    if (importing_) {
        stopRequested_ = true;
        closeAfterImport_ = true;
        return;
    }
    QDialog::reject();
}

void frmImportPrice::PumpEvents(bool force)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!force && now - lastPump_ < kPumpIntervalMs) return;
    lastPump_ = now;
    QCoreApplication::processEvents();
}

void frmImportPrice::cmdApp_Click()
{
    if (importing_) return;
    importing_ = true;
    stopRequested_ = false;
    cmdApp->setEnabled(false);
    Outcome outcome;
    RunImport(outcome);
    PgBar1->hide();
    PgBar2->hide();
    labState->hide();
    cmdApp->setEnabled(true);
    importing_ = false;
    if (closeAfterImport_) {
        closeAfterImport_ = false;
        close();
    }
}

namespace {

QString ReadFailureText(const QString& cause, bool english)
{
    return english ? QStringLiteral("The price list cannot be read:\n%1\n\nNo catalogue was changed.").arg(cause)
                   : QStringLiteral("无法读取价格文件：\n%1\n\n没有修改任何目录。").arg(cause);
}

QString MissingColumnsText(const QStringList& missing, bool english)
{
    const QString names = QStringLiteral("\"") + missing.join(QStringLiteral("\", \"")) + QStringLiteral("\"");
    if (english)
        return QStringLiteral("The worksheet \"sheet1\" lacks the column%1 %2.\n\nNo catalogue was changed.")
            .arg(missing.size() > 1 ? QStringLiteral("s") : QString(), names);
    return QStringLiteral("工作表“sheet1”缺少列 %1。\n\n没有修改任何目录。").arg(names);
}

} // namespace

void frmImportPrice::RunImport(Outcome& outcome)
{
    const bool english = ModExplor::IsEnglish();
    const QString file = txtFile->text();
    if (file.trimmed().isEmpty()) {
        Dialogs::MsgBox(english ? QStringLiteral("Please select the price list (an .xls or .xlsx file) first.")
                                : QStringLiteral("请先选择价格文件（.xls 或 .xlsx）。"),
                        Dialogs::OkOnly | Dialogs::Exclamation, QString(), this);
        return;
    }

    Connection sheetConnection;
    Recordset sheet;
    try {
        sheetConnection.CursorLocation = 3;
        sheetConnection.Open(SpreadsheetConnectionText(file));
        sheet.Open(QStringLiteral("select * from [sheet1$]"), sheetConnection, 1, 3);
        const QStringList missing = MissingPriceColumns(sheet);
        if (!missing.isEmpty()) {
            Dialogs::MsgBox(MissingColumnsText(missing, english), Dialogs::OkOnly | Dialogs::Exclamation, QString(), this);
            return;
        }
        outcome.rowsInSheet = sheet.RecordCount();
        outcome.list = ReadPriceList(sheet);
    } catch (const DataError& e) {
        Dialogs::MsgBox(ReadFailureText(e.Cause(), english), Dialogs::OkOnly | Dialogs::Exclamation, QString(), this);
        return;
    }

    JetFiles::TakeUpgradedOriginals();   // only this import's upgrades are told
    if (!outcome.list.updates.isEmpty()) {
        const QString data = ModExplor::DataPath;
        const QStringList folders = ListSubfolders(data);
        outcome.catalogues = int(folders.size());
        PgBar1->show();
        labState->show();
        PgBar1->setRange(0, qMax(1, outcome.catalogues));
        PgBar1->setValue(0);
        for (qsizetype i = folders.size() - 1; i >= 0; --i) {
            PumpEvents(true);
            if (stopRequested_) {
                outcome.stopped = true;
                outcome.notVisited = int(i + 1);
                break;
            }
            UpdateFolder(data + folders[i] + QLatin1Char('/'), outcome.list, outcome);
            PgBar1->setValue(PgBar1->value() + 1);
            PumpEvents(true);
        }
        if (folders.isEmpty()) PgBar1->setValue(1);
    }

    outcome.upgraded = JetFiles::TakeUpgradedOriginals();

    // The completion message: what was done and what was not.
    QStringList lines;
    if (outcome.stopped)
        lines << (english ? QStringLiteral("Import stopped: the window was closed.") : QStringLiteral("价格导入已停止：窗口已关闭。"));
    else
        lines << (english ? QStringLiteral("Import Completely!") : QStringLiteral("价格导入完毕！"));
    lines << QString();
    if (outcome.rowsInSheet == 0)
        lines << (english ? QStringLiteral("The price list has no rows.") : QStringLiteral("价格文件中没有数据行。"));
    lines << (english ? QStringLiteral("Catalogues updated: %1").arg(outcome.updated)
                      : QStringLiteral("已更新的目录：%1 个").arg(outcome.updated));
    // A heading and the first few names below it.
    const auto named = [&lines](const QString& heading, const QStringList& names) {
        lines << heading;
        for (const QString& n : names.mid(0, kNamedFailures)) lines << QStringLiteral("    ") + n;
        if (names.size() > kNamedFailures) lines << QStringLiteral("    ...");
    };
    if (!outcome.upgraded.isEmpty())
        named(english ? QStringLiteral("Catalogues upgraded from the old (Jet) format: %1; their originals are kept at:")
                            .arg(outcome.upgraded.size())
                      : QStringLiteral("已从旧（Jet）格式升级的目录：%1 个，原文件保存在：").arg(outcome.upgraded.size()),
              outcome.upgraded);
    if (outcome.failed)
        named(english ? QStringLiteral("Catalogues that could not be updated (left unchanged): %1").arg(outcome.failed)
                      : QStringLiteral("无法更新的目录（未作修改）：%1 个").arg(outcome.failed),
              outcome.failures);
    if (outcome.notVisited)
        lines << (english ? QStringLiteral("Catalogues not visited: %1").arg(outcome.notVisited)
                          : QStringLiteral("未处理的目录：%1 个").arg(outcome.notVisited));
    const PriceList& l = outcome.list;
    if (l.emptyPrice)
        lines << (english ? QStringLiteral("Rows skipped because the price is empty: %1").arg(l.emptyPrice)
                          : QStringLiteral("价格为空而跳过的行：%1 行").arg(l.emptyPrice));
    if (l.textPrice)
        lines << (english ? QStringLiteral("Rows skipped because the price is not a number: %1").arg(l.textPrice)
                          : QStringLiteral("价格不是数字而跳过的行：%1 行").arg(l.textPrice));
    if (l.noPart)
        lines << (english ? QStringLiteral("Rows skipped because the part number is empty: %1").arg(l.noPart)
                          : QStringLiteral("部件图号为空而跳过的行：%1 行").arg(l.noPart));
    Dialogs::MsgBox(lines.join(QLatin1Char('\n')), Dialogs::OkOnly, QString(), this);
    sheet.Close();
}

bool frmImportPrice::UpdateFolder(const QString& folder, const PriceList& list, Outcome& outcome)
{
    const QString database = CatalogueFiles::Find(folder, CatalogueFiles::Database);
    if (!QFileInfo::exists(database)) return false;   // not a catalogue folder
    const int n = int(list.updates.size());
    PgBar2->show();
    PgBar2->setRange(0, n);
    PgBar2->setValue(0);
    bool ok = true;
    try {
        UpdateCataloguePrices(database, list.updates, [&](int done) {
            if (done == n) return;
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            if (now - lastPump_ < kPumpIntervalMs) return;
            PgBar2->setValue(done);
            PumpEvents(true);
        });
        ++outcome.updated;
    } catch (const DataError& e) {
        ++outcome.failed;
        outcome.failures << QFileInfo(folder.chopped(1)).fileName() + QStringLiteral(": ") + e.Cause();
        ok = false;
    }
    PgBar2->setValue(ok ? n : PgBar2->value());
    PgBar2->hide();
    return ok;
}
