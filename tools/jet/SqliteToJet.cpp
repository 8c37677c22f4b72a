// Re-encodes a SQLite database as a Jet 4 file (the demo's old-format catalogue is made this way).
#include "JetWriter.h"

#include <sqlite3.h>

#include <memory>

namespace jet {
namespace {

struct Db {
    sqlite3* handle = nullptr;
    ~Db() { sqlite3_close(handle); }
};
struct Stmt {
    sqlite3_stmt* handle = nullptr;
    ~Stmt() { sqlite3_finalize(handle); }
};

void Prepare(sqlite3* db, const std::string& sql, Stmt& stmt)
{
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt.handle, nullptr) != SQLITE_OK)
        throw WriteError(std::string("sqlite: ") + sqlite3_errmsg(db));
}

std::string Quote(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The declared type's affinity, as SQLite decides it.
ColumnType TypeFor(const std::string& declared)
{
    const std::string t = Upper(declared);
    if (t.find("INT") != std::string::npos) return ColumnType::Long;
    if (t.find("CHAR") != std::string::npos || t.find("CLOB") != std::string::npos ||
        t.find("TEXT") != std::string::npos || t.empty())
        return ColumnType::Text;
    if (t.find("BLOB") != std::string::npos) return ColumnType::Binary;
    return ColumnType::Double;
}

} // namespace

void WriteJet4FromSqlite(const std::string& sqlitePath, const std::string& jetPath)
{
    Db db;
    if (sqlite3_open_v2(sqlitePath.c_str(), &db.handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw WriteError(sqlitePath + ": cannot be opened");
    std::vector<Table> tables;
    Stmt names;
    Prepare(db.handle, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid",
            names);
    while (sqlite3_step(names.handle) == SQLITE_ROW) {
        Table table;
        table.name = reinterpret_cast<const char*>(sqlite3_column_text(names.handle, 0));
        Stmt info;
        Prepare(db.handle, "PRAGMA table_info(" + Quote(table.name) + ")", info);
        while (sqlite3_step(info.handle) == SQLITE_ROW) {
            const auto* type = sqlite3_column_text(info.handle, 2);
            table.columns.push_back({reinterpret_cast<const char*>(sqlite3_column_text(info.handle, 1)),
                                     TypeFor(type ? reinterpret_cast<const char*>(type) : "")});
        }
        Stmt rows;
        Prepare(db.handle, "SELECT * FROM " + Quote(table.name) + " ORDER BY rowid", rows);
        while (sqlite3_step(rows.handle) == SQLITE_ROW) {
            std::vector<Value> row;
            for (size_t i = 0; i < table.columns.size(); ++i) {
                const int c = static_cast<int>(i);
                Column& column = table.columns[i];
                if (sqlite3_column_type(rows.handle, c) == SQLITE_NULL) {
                    row.push_back(Null);
                    continue;
                }
                switch (column.type) {
                case ColumnType::Long: {
                    const long long v = sqlite3_column_int64(rows.handle, c);
                    if (v < INT32_MIN || v > INT32_MAX) column.type = ColumnType::Double;
                    if (sqlite3_column_type(rows.handle, c) == SQLITE_FLOAT) column.type = ColumnType::Double;
                    if (column.type == ColumnType::Double) row.push_back(sqlite3_column_double(rows.handle, c));
                    else row.push_back(v);
                    break;
                }
                case ColumnType::Double: row.push_back(sqlite3_column_double(rows.handle, c)); break;
                default: {
                    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(rows.handle, c));
                    std::string value(bytes ? bytes : "", static_cast<size_t>(sqlite3_column_bytes(rows.handle, c)));
                    if (column.type == ColumnType::Text && Utf16Length(value) > 255) column.type = ColumnType::Memo;
                    row.push_back(std::move(value));
                }
                }
            }
            table.rows.push_back(std::move(row));
        }
        // A whole-number column that turned out to hold fractions is written as Double throughout.
        for (size_t i = 0; i < table.columns.size(); ++i)
            if (table.columns[i].type == ColumnType::Double)
                for (auto& row : table.rows)
                    if (auto* v = std::get_if<long long>(&row[i])) row[i] = static_cast<double>(*v);
        tables.push_back(std::move(table));
    }
    WriteJet4(jetPath, tables);
}

} // namespace jet
