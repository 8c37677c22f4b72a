#include "basket/BasketTextExport.h"

#include "ModExplor.h"
#include "OstrelNarrow.h"
#include "basket/BasketExport.h"
#include "basket/BasketStore.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"
#include "startup/TextRules.h"

#include <QSaveFile>

namespace BasketTextExport {

QString OutputPath(const QString& chosenPath)
{
    const int slash = chosenPath.lastIndexOf(QLatin1Char('/'));
    const QString folder = chosenPath.left(slash + 1);
    QString name = chosenPath.mid(slash + 1);
    const int period = name.indexOf(QLatin1Char('.'));
    if (period >= 0) name.truncate(period);
    return folder + name + QStringLiteral(".txt");
}

QString Field(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (const QChar c : text)
        if (special.contains(c)) { quote = true; break; }
    if (!quote) return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

} // namespace BasketTextExport

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Prices, totals and weights with two decimals; a missing value stays an empty field, and a stored text
// that is no number is written as it is rather than as a made-up 0.00.
QString AmountText(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) return QString();
    bool number = false;
    const double d = value.toDouble(&number);
    return number ? TextRules::TwoDecimalText(d) : value.toString();
}

QString TextLine(int runningNumber, const Recordset& rs)
{
    using BasketTextExport::Field;
    auto text = [&](const char* column) { return Field(TextRules::DisplayText(rs.Fields(QString::fromUtf8(column)))); };
    auto amount = [&](const char* column) { return Field(AmountText(rs.Fields(QString::fromUtf8(column)))); };
    const QStringList fields = {
        QString::number(runningNumber), text("图号"), text("名称"), text("数量"), text("单位"),
        amount("价格"), amount("总价"), amount("单重"), amount("总重"), text("归属"), text("序号"),
    };
    return fields.join(QLatin1Char(','));
}

// Writes through a temporary file renamed over the target, so a failure never leaves a half-written file.
bool WriteWhole(const QString& path, const QByteArray& bytes, QString& cause)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        cause = file.errorString();
        return false;
    }
    return true;
}

// Each line's position in the file just written; all or none, and a basket that cannot be written
// (read-only program folder) only loses the numbering, never the file.
void NumberLines(Recordset& rs, Connection& connection)
{
    try {
        Transaction transaction(connection);
        rs.MoveFirst();
        for (int n = 1; !rs.Eof(); rs.MoveNext(), ++n) {
            rs.SetField(QStringLiteral("顺序号"), n);
            rs.Update();
        }
        transaction.Commit();
    } catch (const DataError&) {
    }
}

} // namespace

void ExportBasketText(QWidget* owner)
{
    const QString chosen = Dialogs::GetSaveFileName(owner, QString(), QStringLiteral("文本文件*.txt (*.txt)"));
    if (chosen.isEmpty()) return;
    const QString path = BasketTextExport::OutputPath(chosen);

    try {
        Connection connection;
        BasketStore::Open(connection);
        Recordset rs;
        rs.Open(QStringLiteral("select * from tblOrder order by 图号 ,名称"), connection, 1, 3, -1);
        // An empty basket writes no file; an earlier file of that name is left as it is.
        if (!rs.Eof()) {
            QString text = BasketExport::Headings().join(QLatin1Char(',')) + LineEnd;
            for (int n = 1; !rs.Eof(); rs.MoveNext(), ++n) text += TextLine(n, rs) + LineEnd;
            const std::string bytes = OstrelNarrow::Encode(text.toStdU16String());
            QString cause;
            if (!WriteWhole(path, QByteArray(bytes.data(), qsizetype(bytes.size())), cause)) {
                BasketExport::ReportFailure(owner, path, cause);
                return;
            }
            NumberLines(rs, connection);
        }
    } catch (const DataError& e) {
        BasketExport::ReportFailure(owner, path, e.Message());
        return;
    }

    if (ModExplor::IsEnglish())
        Dialogs::MsgBox(QStringLiteral("Export OK!"), Dialogs::OkOnly, QStringLiteral("Export"), owner);
    else
        Dialogs::MsgBox(QStringLiteral("导出完毕!"), Dialogs::OkOnly, QString(), owner);
}
