// The table of a catalogue database (book.sd) in our own format. The viewer only reads catalogues; this text
// is for the tools that write them (demo generator, test fixtures, the Jet converter). docs/catalogue-format.md
// describes it for catalogue makers.
//
// Declared types: the six text columns are TEXT COLLATE NOCASE, so comparisons and "order by" ignore letter
// case. 序号 has no declared type (SQLite keeps each value as it was stored): serial numbers stored as text
// sort as text ("10" before "2"), stored as numbers they sort as numbers. 数量, 价格, 单重, x and y are
// NUMERIC: numbers and numeric texts are kept as numbers, any other text ("12.5 kg") is kept as written.
#pragma once

namespace CatalogueSchema {

inline constexpr const char* TableName = "tblBook";

inline constexpr const char* CreateTable =
    "create table tblBook ("
    " 级 TEXT COLLATE NOCASE,"
    " 图号 TEXT COLLATE NOCASE,"
    " 名称 TEXT COLLATE NOCASE,"
    " 归属 TEXT COLLATE NOCASE,"
    " 序号 COLLATE NOCASE,"
    " 备注 TEXT COLLATE NOCASE,"
    " 数量 NUMERIC,"
    " 价格 NUMERIC,"
    " 单重 NUMERIC,"
    " 文件 TEXT COLLATE NOCASE,"
    " x NUMERIC,"
    " y NUMERIC)";

// The readers select by level and parent, the search and the price import by number.
inline constexpr const char* CreateIndexes =
    "create index tblBook_level_parent on tblBook (级, 归属);"
    "create index tblBook_number on tblBook (图号)";

} // namespace CatalogueSchema
