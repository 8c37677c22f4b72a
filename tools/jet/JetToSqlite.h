// Converts a Jet 3 or Jet 4 database file (the catalogues and baskets of the program Marlinex replaces)
// into a SQLite file with every user table, through libmdb.
#pragma once

#include <string>

namespace jet {

// Writes every user table of the Jet file at source into a new SQLite file at target: column names as
// stored, text and memo as TEXT COLLATE NOCASE, whole numbers and yes/no as INTEGER, single, double,
// currency and decimal as REAL, dates as ISO 8601 text, binary as BLOB, Null kept, rows in table order.
// The target appears only when the conversion succeeded (written beside it, then renamed into place).
// Returns false with a message in error otherwise.
bool ConvertJetToSqlite(const std::string& source, const std::string& target, std::string& error);

} // namespace jet
