// The order basket's file: where it is, how it is opened, its table and the lookup of one basket line.
// Every basket operation opens its own connection through Open() and closes it at its end.
#pragma once

#include <QString>

class Connection;

namespace BasketStore {

// Declared types: the identity columns (归属, 序号, 图号) and 名称, 单位 are text, compared without regard to
// letter case; the amounts are REAL; 顺序号 INTEGER.
inline constexpr const char* CreateTable =
    "create table if not exists tblOrder ("
    " 归属 TEXT COLLATE NOCASE,"
    " 序号 TEXT COLLATE NOCASE,"
    " 图号 TEXT COLLATE NOCASE,"
    " 名称 TEXT COLLATE NOCASE,"
    " 数量 REAL,"
    " 单位 TEXT COLLATE NOCASE,"
    " 价格 REAL,"
    " 单重 REAL,"
    " 总价 REAL,"
    " 总重 REAL,"
    " 顺序号 INTEGER)";

// The program folder followed by "/order.mdb" ("order.mdb" alone when the folder already ends in "/").
QString BasketPath();

// The connection text of the basket file.
QString ConnectionText();

// Creates the file with an empty tblOrder when it is missing (or an empty file); an existing basket is
// never touched. Throws DataError when the file cannot be written.
void CreateIfMissing(const QString& path);

// Opens the basket on connection, creating it first when it is missing. When it cannot be opened the user
// is told once (a clear message naming the file and the cause) and DataError is thrown; further failures
// throw without a message until the basket opens again. A basket that opens but cannot be written (read-only
// program folder) is reported once in the same way and stays open for reading.
void Open(Connection& connection);

// The identity lookup of one basket line; values are quoted with SqlText.
QString IdentityLookup(const QString& drawingNumber, const QString& serialNumber, const QString& partNumber);

// Whether at least one basket line has exactly this identity: opens the basket, runs the identity lookup,
// closes it again. Failures throw DataError (after the one message of Open).
bool HasLine(const QString& drawingNumber, const QString& serialNumber, const QString& partNumber);

} // namespace BasketStore
