// Re-encodes a SQLite database as a Jet 4 file (the demo's old-format catalogue is made this way).
#include "JetWriter.h"
#include "SqlName.h"

#include <sqlite3.h>

#include <cstdio>
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
        Prepare(db.handle, "PRAGMA table_info(" + QuoteSqlName(table.name) + ")", info);
        std::vector<bool> untyped;
        while (sqlite3_step(info.handle) == SQLITE_ROW) {
            const auto* type = sqlite3_column_text(info.handle, 2);
            const std::string declared = type ? reinterpret_cast<const char*>(type) : "";
            table.columns.push_back({reinterpret_cast<const char*>(sqlite3_column_text(info.handle, 1)), TypeFor(declared)});
            untyped.push_back(declared.empty());
        }
        Stmt rows;
        Prepare(db.handle, "SELECT * FROM " + QuoteSqlName(table.name) + " ORDER BY rowid", rows);
        while (sqlite3_step(rows.handle) == SQLITE_ROW) {
            std::vector<Value> row;
            for (int c = 0; c < static_cast<int>(table.columns.size()); ++c) {
                switch (sqlite3_column_type(rows.handle, c)) {
                case SQLITE_NULL: row.push_back(Null); break;
                case SQLITE_INTEGER: row.push_back(static_cast<long long>(sqlite3_column_int64(rows.handle, c))); break;
                case SQLITE_FLOAT: row.push_back(sqlite3_column_double(rows.handle, c)); break;
                default: {
                    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(rows.handle, c));
                    row.emplace_back(std::string(bytes ? bytes : "", static_cast<size_t>(sqlite3_column_bytes(rows.handle, c))));
                }
                }
            }
            table.rows.push_back(std::move(row));
        }
        // The values decide where the declared type cannot hold them: text in a numeric column makes it
        // text, fractions or large numbers in a whole-number column make it Double, long text makes Memo.
        for (size_t i = 0; i < table.columns.size(); ++i) {
            ColumnType& type = table.columns[i].type;
            // A column without a declared type keeps each value as stored: numbers only make it numeric.
            if (untyped[i]) {
                type = ColumnType::Long;
                for (const auto& row : table.rows)
                    if (std::holds_alternative<std::string>(row[i])) type = ColumnType::Text;
            }
            for (const auto& row : table.rows) {
                const Value& v = row[i];
                if (const auto* text = std::get_if<std::string>(&v)) {
                    if (type == ColumnType::Long || type == ColumnType::Double) type = ColumnType::Text;
                    if (type == ColumnType::Text && Utf16Length(*text) > 255) type = ColumnType::Memo;
                } else if (const auto* n = std::get_if<long long>(&v)) {
                    if (type == ColumnType::Long && (*n < INT32_MIN || *n > INT32_MAX)) type = ColumnType::Double;
                } else if (std::holds_alternative<double>(v) && type == ColumnType::Long) {
                    type = ColumnType::Double;
                }
            }
            for (auto& row : table.rows) {
                Value& v = row[i];
                if (type == ColumnType::Text || type == ColumnType::Memo) {
                    if (const auto* n = std::get_if<long long>(&v)) v = std::to_string(*n);
                    else if (const auto* d = std::get_if<double>(&v)) {
                        char text[32];
                        std::snprintf(text, sizeof text, "%.15g", *d);
                        v = std::string(text);
                    }
                } else if (type == ColumnType::Double) {
                    if (const auto* n = std::get_if<long long>(&v)) v = static_cast<double>(*n);
                }
            }
        }
        tables.push_back(std::move(table));
    }
    WriteJet4(jetPath, tables);
}

} // namespace jet
