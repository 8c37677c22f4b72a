#include "search/frmQuery.h"
#include "ModExplor.h"
#include "catalogue/Subfolders.h"
#include "catalogue/frmExplore.h"
#include "startup/DataAccess.h"
#include "startup/Forms.h"
#include "startup/KeyedTree.h"
#include "startup/PaintThrottle.h"
#include "startup/ReportList.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

frmQuery::frmQuery()
{
    setObjectName(QStringLiteral("frmQuery"));
    setWindowTitle(QStringLiteral("查询"));
    resize(720, 480);

    frm1 = new QGroupBox(QStringLiteral("零部件查询属性"), this);
    frm1->setObjectName(QStringLiteral("frm1"));
    lbC0 = new QLabel(QStringLiteral("零件图号："), frm1);
    lbC0->setObjectName(QStringLiteral("lbC(0)"));
    lbC1 = new QLabel(QStringLiteral("零件名称："), frm1);
    lbC1->setObjectName(QStringLiteral("lbC(1)"));
    txtNO = new QLineEdit(frm1);
    txtNO->setObjectName(QStringLiteral("txtNO"));
    txtName = new QLineEdit(frm1);
    txtName->setObjectName(QStringLiteral("txtName"));
    chk1 = new QCheckBox(QStringLiteral("精确查找"), frm1);
    chk1->setObjectName(QStringLiteral("chk1"));
    cmdQuery = new QPushButton(QStringLiteral("查  询(Q)"), frm1);
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));
    cmdQuery->setDefault(true);
    auto* inputs = new QGridLayout(frm1);
    inputs->addWidget(lbC0, 0, 0);
    inputs->addWidget(txtNO, 0, 1);
    inputs->addWidget(chk1, 0, 2);
    inputs->addWidget(lbC1, 1, 0);
    inputs->addWidget(txtName, 1, 1);
    inputs->addWidget(cmdQuery, 1, 2);

    frm2 = new QGroupBox(QStringLiteral("查询结果"), this);
    frm2->setObjectName(QStringLiteral("frm2"));
    lvResult = new ReportList(frm2);
    lvResult->setObjectName(QStringLiteral("lvResult"));
    lbLimit = new QLabel(frm2);
    lbLimit->setObjectName(QStringLiteral("lbLimit"));
    lbLimit->setVisible(false);
    auto* results = new QVBoxLayout(frm2);
    results->addWidget(lvResult);
    results->addWidget(lbLimit);

    Command1 = new QPushButton(QStringLiteral("退  出(&Q)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frm1);
    layout->addWidget(frm2, 1);
    layout->addWidget(Command1, 0, Qt::AlignRight);

    connect(cmdQuery, &QPushButton::clicked, this, &frmQuery::cmdQuery_Click);
    connect(Command1, &QPushButton::clicked, this, &frmQuery::Command1_Click);
    connect(lvResult, &ReportList::DblClick, this, &frmQuery::lvResult_DblClick);
    Forms::UnloadOnClose(this);
}

void frmQuery::Form_Load()
{
    if (ModExplor::IsEnglish()) SetEnglishCaptions();
}

void frmQuery::SetEnglishCaptions()
{
    setWindowTitle(QStringLiteral("Query"));
    frm1->setTitle(QString());
    lbC0->setText(QStringLiteral("Part NO.:"));
    lbC1->setText(QStringLiteral("Description:"));
    chk1->setText(QStringLiteral("Full matching"));
    cmdQuery->setText(QStringLiteral("Query(&Q)"));
    frm2->setTitle(QString());
    Command1->setText(QStringLiteral("Quit"));
}

QString frmQuery::BuildQueryText(const QString& partNumber, const QString& name, bool exact)
{
    QString sql = QStringLiteral(
        "select A.*,(select B.图号 from tblBook B where B.级='Root') as CheXingID from tblBook A where 1 ");
    const QString no = partNumber.trimmed();
    const QString nm = name.trimmed();
    if (!no.isEmpty())
        sql += exact ? QStringLiteral("and 图号='") + SqlText(no) + QStringLiteral("' ")
                     : QStringLiteral("and 图号 like '%") + SqlText(no) + QStringLiteral("%' ");
    if (!nm.isEmpty())
        sql += exact ? QStringLiteral(" and 名称 = '") + SqlText(nm) + QStringLiteral("'")
                     : QStringLiteral(" and 名称 like '%") + SqlText(nm) + QStringLiteral("%'");
    return sql;
}

void frmQuery::cmdQuery_Click()
{
    // The window lets events run between catalogues, so a second start could arrive mid-search.
    if (searching_) return;
    lvResult->RemoveAllColumns();
    lvResult->AddColumn(QStringLiteral("NO."), 500);
    lvResult->AddColumn(QStringLiteral("图号(PART NO.)"), 1500);
    lvResult->AddColumn(QStringLiteral("名称(NAME)"), 1500);
    lvResult->AddColumn(QStringLiteral("所属机型(Type)"), 1000);
    lvResult->AddColumn(QStringLiteral("路径(Path)"), 3000);
    lvResult->AddColumn(QStringLiteral("上一级(Parent)"), 1500);
    lbLimit->setVisible(false);
    if (txtNO->text().trimmed().isEmpty() && txtName->text().trimmed().isEmpty()) return;

    QueryText = BuildQueryText(txtNO->text(), txtName->text(), chk1->isChecked());
    HitNumber = 1;
    full_ = false;
    stop_ = false;
    searching_ = true;
    QPointer<frmQuery> self(this);
    const QStringList folders = ListSubfolders(ModExplor::DataPath);
    {
        PaintThrottle throttle(lvResult);
        for (int i = folders.size() - 1; i >= 0; --i) {
            throttle.Step([] { QCoreApplication::processEvents(); });
            if (!self || stop_ || full_) break;
            SearchFolder(ModExplor::DataPath + folders[i] + QLatin1Char('/'));
        }
    }
    if (!self) return;
    searching_ = false;
    if (full_) {
        lbLimit->setText(ModExplor::IsEnglish()
                             ? QStringLiteral("Only the first %1 hits are listed; narrow the search to see the rest.").arg(MaxHits)
                             : QStringLiteral("只列出了前 %1 条结果，请缩小查询范围以查看其余结果。").arg(MaxHits));
        lbLimit->setVisible(true);
    }
}

void frmQuery::SearchFolder(const QString& folder)
{
    using namespace ModExplor;
    const QString path = folder + QStringLiteral("book.sd");
    try {
        BookConnectionString = DatabaseConnectionText(path);
        BookConnection = std::make_shared<Connection>();
        BookConnection->CursorLocation = 3;
        BookConnection->Open(BookConnectionString, QString(), QString());
        BookRecordset = std::make_shared<Recordset>();
        BookRecordset->Open(QueryText, *BookConnection, 1, 3);
        while (!BookRecordset->Eof()) {
            if (HitNumber <= 0) {   // the 16-bit counter is past its last value
                full_ = true;
                break;
            }
            const QString number = QString::number(HitNumber);
            const int row = lvResult->AddRow(QStringLiteral("B") + number, number);
            auto text = [&](const char* field) { return BookRecordset->Fields(QString::fromUtf8(field)).toString(); };
            lvResult->SetSubItem(row, 1, text("图号").trimmed());
            lvResult->SetSubItem(row, 2, text("名称").trimmed());
            lvResult->SetSubItem(row, 3, text("CheXingID"));
            lvResult->SetSubItem(row, 4, path);
            lvResult->SetSubItem(row, 5, text("归属").trimmed());
            HitNumber = HitNumber == MaxHits ? int16_t(-1) : int16_t(HitNumber + 1);
            BookRecordset->MoveNext();
        }
        BookRecordset->Close();
        BookConnection->Close();
    } catch (const DataError&) {
        // A folder that cannot be searched adds no further hits.
    }
    BookRecordset.reset();
    BookConnection.reset();
}

void frmQuery::Command1_Click() { close(); }

void frmQuery::closeEvent(QCloseEvent* event)
{
    stop_ = true;
    QDialog::closeEvent(event);
}

void frmQuery::lvResult_DblClick()
{
    frmExplore* main = Forms::loaded<frmExplore>();
    const int row = lvResult->SelectedRow();
    if (!main || row == 0) return;
    const QString catalogue = lvResult->SubItem(row, 3);
    const QString parent = lvResult->SubItem(row, 5);
    const QString part = lvResult->SubItem(row, 1);

    // Each step runs even when the one before found nothing.
    if (QTreeWidgetItem* node = main->TVbooks->Node(catalogue)) main->TVbooks->Select(node);
    main->TVbooks_Click();
    if (QTreeWidgetItem* node = main->TVbook->Node(QStringLiteral("B") + parent)) main->TVbook->Select(node);
    main->TVbook_Click();
    ReportList* list = main->LVpart;
    for (int r = 1; r <= list->Count(); ++r) {
        for (int s = 1; s < list->ColumnCount(); ++s) {
            if (list->SubItem(r, s).compare(part, Qt::CaseInsensitive) == 0) {
                list->Select(r);
                main->LVpart_ItemClick(r);
                return;
            }
        }
    }
}

void OpenSearch(frmExplore* main, bool owned)
{
    if (main->TVbooks->Count() == 0) main->RefreshLibrary();
    Forms::showModal<frmQuery>(owned ? main : nullptr);
}
