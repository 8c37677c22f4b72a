// A small writer of Jet 4 database files (the format of the catalogues and baskets made for the program
// Marlinex replaces), so tests and the demo can make such files; nothing on this platform writes them.
//
// It writes plain tables without indexes: a system catalogue (MSysObjects) and the user tables given, with
// text, memo, whole-number, floating, currency, date, yes/no and binary columns and Null values, rows kept
// in the order given. mdbtools reads the files back, and so does the converter.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace jet {

enum class ColumnType {
    Text,      // up to size characters (at most 255)
    Memo,      // long text
    Byte,
    Integer,   // 16 bits
    Long,      // 32 bits
    Single,
    Double,
    Currency,  // fixed point, four decimals
    DateTime,  // days since 1899-12-30, the fraction the time of day
    Bool,
    Binary,    // up to size bytes (at most 255)
};

struct Column {
    std::string name;   // UTF-8
    ColumnType type = ColumnType::Text;
    int size = 255;     // characters for Text, bytes for Binary
};

// Null, text (UTF-8; bytes for Binary), a whole number, a floating number, yes/no.
using Value = std::variant<std::monostate, std::string, long long, double, bool>;
inline const Value Null{};

struct Table {
    std::string name;
    std::vector<Column> columns;
    std::vector<std::vector<Value>> rows;
};

class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Number of UTF-16 code units of a UTF-8 text (Jet's measure of a text's length).
size_t Utf16Length(const std::string& utf8);

// Writes a Jet 4 file with these tables at path (replacing it); throws WriteError on bad input or I/O.
void WriteJet4(const std::string& path, const std::vector<Table>& tables);

// Writes every table of the SQLite file at sqlitePath as a Jet 4 file at jetPath: INTEGER columns as Long,
// REAL and NUMERIC as Double, text as Text (Memo when a value is longer than 255 characters), BLOB as Binary.
void WriteJet4FromSqlite(const std::string& sqlitePath, const std::string& jetPath);

} // namespace jet
