#include "basket/BasketStore.h"

#include "ModExplor.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace BasketStore {

namespace {

// Told once, not at every one of the many basket look-ups of a page load.
bool failureShown = false;
bool readOnlyShown = false;

void Tell(const QString& path, const QString& cause, bool readOnly)
{
    const bool en = ModExplor::IsEnglish();
    QString text;
    if (readOnly)
        text = en ? QStringLiteral("The order basket is read-only:\n%1\n\nParts cannot be added to it or changed until the "
                                   "program folder can be written.").arg(path)
                  : QStringLiteral("购物箱只能读取，不能修改：\n%1\n\n程序文件夹可写之前，无法向购物箱添加或修改部件。").arg(path);
    else
        text = en ? QStringLiteral("The order basket cannot be opened:\n%1\n%2\n\nThe basket cannot be used until the file "
                                   "can be opened.").arg(path, cause)
                  : QStringLiteral("无法打开购物箱：\n%1\n%2\n\n在此文件可以打开之前，无法使用购物箱。").arg(path, cause);
    Dialogs::MsgBox(text, Dialogs::OkOnly | Dialogs::Exclamation);
}

bool Writable(const QString& path)
{
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

} // namespace

QString BasketPath()
{
    const QString folder = ModExplor::ProgramFolder();
    return folder.endsWith(QLatin1Char('/')) ? folder + QStringLiteral("order.mdb") : folder + QStringLiteral("/order.mdb");
}

QString ConnectionText() { return DatabaseConnectionText(BasketPath()); }

void CreateIfMissing(const QString& path)
{
    const DatabaseFormat format = DetectDatabaseFormat(path);
    if (format != DatabaseFormat::Missing && format != DatabaseFormat::Empty) return;
    sqlite3* db = OpenDatabaseFile(path, true);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, CreateTable, nullptr, nullptr, &message);
    const QString cause = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw DataError(path, cause);
}

void Open(Connection& connection)
{
    const QString path = BasketPath();
    try {
        CreateIfMissing(path);
        connection.Open(ConnectionText(), QString(), QString(), -1);
    } catch (const DataError& e) {
        if (!failureShown) Tell(path, e.Cause(), false);
        failureShown = true;
        throw;
    }
    failureShown = false;
    if (Writable(path)) {
        readOnlyShown = false;
    } else if (!readOnlyShown) {
        readOnlyShown = true;
        Tell(path, QString(), true);
    }
}

QString IdentityLookup(const QString& drawingNumber, const QString& serialNumber, const QString& partNumber)
{
    // Two blanks before 图号, as the statement has always been written.
    return QStringLiteral("select * from tblOrder where 归属='") + SqlText(drawingNumber) + QStringLiteral("' and 序号='")
           + SqlText(serialNumber) + QStringLiteral("' and  图号='") + SqlText(partNumber) + QStringLiteral("'");
}

bool HasLine(const QString& drawingNumber, const QString& serialNumber, const QString& partNumber)
{
    Connection connection;
    Open(connection);
    Recordset lines;
    lines.Open(IdentityLookup(drawingNumber, serialNumber, partNumber), connection, 1, 3, -1);
    return lines.RecordCount() >= 1;
}

} // namespace BasketStore
