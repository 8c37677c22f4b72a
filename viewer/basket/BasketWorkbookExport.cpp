#include "basket/BasketWorkbookExport.h"

#include "ModExplor.h"
#include "basket/BasketExport.h"
#include "basket/BasketStore.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"
#include "startup/TextRules.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <xlsxwriter.h>

namespace {

// The ten columns after the running number, in the order of the select.
const char* const Columns[] = {"图号", "名称", "数量", "单位", "价格", "总价", "单重", "总重", "归属", "序号"};
// Amounts go over as numbers, so the spreadsheet can sum them; numbers and names as text, so that a part
// number such as 0012 or a serial number 01 keeps its leading zeros.
bool IsAmount(int column) { return column == 2 || (column >= 4 && column <= 7); }

const QString Select = QStringLiteral("select [图号],[名称],[数量],[单位],[价格],[总价],[单重],[总重],[归属],[序号] "
                                      "from tblOrder order by 归属 ,序号,图号 ,名称");

void Check(lxw_error error)
{
    if (error != LXW_NO_ERROR) throw DataError(QString(), QString::fromUtf8(lxw_strerror(error)));
}

void WriteValue(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const QVariant& value, bool amount)
{
    if (value.isNull() || !value.isValid()) return;   // an empty cell
    bool number = false;
    const double d = amount ? value.toDouble(&number) : 0.0;
    if (number)
        Check(worksheet_write_number(sheet, row, col, d, nullptr));
    else
        Check(worksheet_write_string(sheet, row, col, TextRules::DisplayText(value).toUtf8().constData(), nullptr));
}

// Fills the sheet from the basket; throws DataError.
void FillSheet(lxw_worksheet* sheet)
{
    Connection connection;
    BasketStore::Open(connection);
    Recordset rs;
    rs.Open(Select, connection, 1, 1, -1);
    if (rs.Eof()) return;   // an empty basket gives an empty sheet, without headings
    const QStringList& headings = BasketExport::Headings();
    for (int c = 0; c < headings.size(); ++c)
        Check(worksheet_write_string(sheet, 0, lxw_col_t(c), headings[c].toUtf8().constData(), nullptr));
    Check(worksheet_set_column(sheet, 0, 0, 4, nullptr));
    Check(worksheet_set_column(sheet, 1, 1, 12, nullptr));
    Check(worksheet_set_column(sheet, 2, 8, 10, nullptr));
    for (lxw_row_t r = 1; !rs.Eof(); rs.MoveNext(), ++r) {
        Check(worksheet_write_number(sheet, r, 0, double(r), nullptr));
        for (int c = 0; c < 10; ++c)
            WriteValue(sheet, r, lxw_col_t(c + 1), rs.Fields(QString::fromUtf8(Columns[c])), IsAmount(c));
    }
}

} // namespace

namespace BasketWorkbookExport {

bool WriteWorkbook(const QString& path, QString& cause)
{
    // Written under a name of its own and renamed when complete, so a failure leaves no half-written workbook.
    const QString partial = path + QStringLiteral(".part");
    lxw_workbook* workbook = workbook_new(QFile::encodeName(partial).constData());
    if (!workbook) {
        cause = QStringLiteral("cannot create the workbook");
        return false;
    }
    bool ok = true;
    try {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
        if (!sheet) throw DataError(QString(), QStringLiteral("cannot add a worksheet"));
        FillSheet(sheet);
    } catch (const DataError& e) {
        cause = e.File().isEmpty() ? e.Cause() : e.Message();
        ok = false;
    }
    const lxw_error closed = workbook_close(workbook);   // also frees it
    if (ok && closed != LXW_NO_ERROR) {
        cause = QString::fromUtf8(lxw_strerror(closed));
        ok = false;
    }
    if (ok) {
        QFile::remove(path);
        if (!QFile::rename(partial, path)) {
            cause = QStringLiteral("cannot rename ") + partial;
            ok = false;
        }
    }
    if (!ok) QFile::remove(partial);
    return ok;
}

QString NewWorkbookPath(const QString& folder)
{
    const QString stem = folder + QStringLiteral("/Order_") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = stem + QStringLiteral(".xlsx");
    for (int n = 2; QFile::exists(path); ++n) path = stem + QStringLiteral("_%1.xlsx").arg(n);
    return path;
}

} // namespace BasketWorkbookExport

void ExportBasketWorkbook(QWidget* owner)
{
    const QString folder = ModExplor::TempFolder();
    QDir().mkpath(folder);
    const QString path = BasketWorkbookExport::NewWorkbookPath(folder);
    QString cause;
    if (!BasketWorkbookExport::WriteWorkbook(path, cause)) {
        BasketExport::ReportFailure(owner, path, cause);
        return;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
    const bool en = ModExplor::IsEnglish();
    const QString text =
        en ? QStringLiteral("No application could open the workbook. It is saved as:\n%1\n\nThe temporary folder is "
                            "emptied at the next start: copy the workbook elsewhere to keep it.").arg(path)
           : QStringLiteral("没有可以打开此工作簿的程序。工作簿已保存为：\n%1\n\n临时文件夹在下次启动时会被清空，"
                            "如需保留请将工作簿复制到其他位置。").arg(path);
    Dialogs::MsgBox(text, Dialogs::OkOnly | Dialogs::Information, en ? QStringLiteral("Export") : QString(), owner);
}
