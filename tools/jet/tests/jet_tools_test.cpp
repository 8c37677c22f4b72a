// The Jet writer and the converter against each other and against mdbtools' own command-line tools.
#include "JetWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using jet::Column;
using jet::ColumnType;
using jet::Null;
using jet::Value;

namespace {

const std::string kConverter = std::string(MARLINEX_PROGRAM_DIR) + "/marlinex-jet";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Shell(const std::string& s) { return "'" + s + "'"; }

Outcome Execute(const std::string& command, const fs::path& scratch)
{
    const fs::path errFile = scratch / "stderr.txt";
    Outcome run;
    FILE* pipe = ::popen((command + " 2>" + Shell(errFile.string())).c_str(), "r");
    if (!pipe) return run;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    run.err = ss.str();
    return run;
}

class Scratch {
public:
    Scratch()
    {
        char pattern[] = "/tmp/jet-test-XXXXXX";
        dir_ = ::mkdtemp(pattern);
    }
    ~Scratch() { fs::remove_all(dir_); }
    fs::path operator/(const std::string& name) const { return dir_ / name; }
    const fs::path& path() const { return dir_; }
private:
    fs::path dir_;
};

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A catalogue-like table big enough for many data pages, with Nulls, Chinese names and values, and memo
// texts short (inline), long (one long-value page) and very long (a chain of them).
jet::Table PartsTable(int rows)
{
    jet::Table t{"tblBook",
                 {{"级", ColumnType::Text, 10},
                  {"图号", ColumnType::Text, 50},
                  {"名称", ColumnType::Text},
                  {"序号", ColumnType::Long},
                  {"价格", ColumnType::Double},
                  {"备注", ColumnType::Memo}},
                 {}};
    for (int i = 0; i < rows; ++i) {
        Value remark = Null;
        if (i % 7 == 0) remark = std::string("备注 remark ") + std::to_string(i);
        if (i == 10) remark = Repeat("长", 600);                  // 1200 bytes: one long-value row
        if (i == 20) remark = Repeat("很长的备注", 700);         // 7000 bytes: two long-value rows
        t.rows.push_back({std::string(i == 0 ? "Root" : "P"), std::string("175-") + std::to_string(1000 + i),
                          std::string("螺栓 BOLT ") + std::to_string(i), static_cast<long long>(i % 50),
                          i % 5 == 0 ? Null : Value(i * 0.25), remark});
    }
    return t;
}

// mdb-export's CSV of PartsTable: text quoted, numbers bare, Null empty.
std::string ExpectedCsv(const jet::Table& t)
{
    std::string csv = "级,图号,名称,序号,价格,备注\n";
    for (const auto& row : t.rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i) csv += ",";
            if (auto* s = std::get_if<std::string>(&row[i])) csv += "\"" + *s + "\"";
            else if (auto* n = std::get_if<long long>(&row[i])) csv += std::to_string(*n);
            else if (auto* d = std::get_if<double>(&row[i])) {
                char text[32];
                std::snprintf(text, sizeof text, "%.16g", *d);
                csv += text;
            }
        }
        csv += "\n";
    }
    return csv;
}

struct Sqlite {
    sqlite3* db = nullptr;
    explicit Sqlite(const fs::path& path) { sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr); }
    ~Sqlite() { sqlite3_close(db); }
    // The rows of a query, each value as "type:text" (quote() of SQLite), joined by "|".
    std::vector<std::string> Rows(const std::string& sql) const
    {
        std::vector<std::string> rows;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            rows.push_back(std::string("error: ") + sqlite3_errmsg(db));
            return rows;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::string row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const auto* text = sqlite3_column_text(stmt, c);
                row += (c ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "");
            }
            rows.push_back(row);
        }
        sqlite3_finalize(stmt);
        return rows;
    }
};

TEST(JetWriter, FilesReadBackIdenticallyWithMdbtools)
{
    Scratch scratch;
    const fs::path file = scratch / "book.sd";
    const jet::Table parts = PartsTable(2500);
    jet::Table order{"tblOrder", {{"归属", ColumnType::Text}, {"数量", ColumnType::Double}}, {}};
    order.rows.push_back({std::string("D1-01"), 2.0});
    jet::WriteJet4(file.string(), {parts, order});
    ASSERT_GT(fs::file_size(file), 40u * 4096) << "the parts must span many data pages";

    const Outcome tables = Execute("mdb-tables -1 " + Shell(file.string()), scratch.path());
    EXPECT_EQ(tables.status, 0) << tables.err;
    EXPECT_EQ(tables.out, "tblBook\ntblOrder\n");

    const Outcome schema = Execute("mdb-schema " + Shell(file.string()) + " access", scratch.path());
    EXPECT_EQ(schema.status, 0) << schema.err;
    for (const char* piece : {"CREATE TABLE [tblBook]", "[级]\t\t\tText (10)", "[图号]\t\t\tText (50)",
                              "[序号]\t\t\tLong Integer", "[价格]\t\t\tDouble", "[备注]\t\t\tMemo/Hyperlink",
                              "CREATE TABLE [tblOrder]"})
        EXPECT_NE(schema.out.find(piece), std::string::npos) << piece << "\n" << schema.out;

    const Outcome csv = Execute("mdb-export " + Shell(file.string()) + " tblBook", scratch.path());
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out, ExpectedCsv(parts));
    EXPECT_EQ(csv.err, "");
}

TEST(JetConverter, KeepsEveryTypeNullAndRowOrder)
{
    Scratch scratch;
    const fs::path source = scratch / "types.mdb";
    const fs::path target = scratch / "types.sqlite";
    jet::Table t{"各种",
                 {{"文本", ColumnType::Text},
                  {"备注", ColumnType::Memo},
                  {"字节", ColumnType::Byte},
                  {"整数", ColumnType::Integer},
                  {"长整数", ColumnType::Long},
                  {"单精度", ColumnType::Single},
                  {"双精度", ColumnType::Double},
                  {"货币", ColumnType::Currency},
                  {"日期", ColumnType::DateTime},
                  {"是否", ColumnType::Bool},
                  {"二进制", ColumnType::Binary, 16}},
                 {}};
    t.rows.push_back({std::string("推土机 Bulldozer"), Repeat("备", 3000), 200LL, -300LL, -2000000000LL, 0.1, 12.5,
                      12.3456, 45000.5, true, std::string("\x01\x02\xff", 3)});
    t.rows.push_back({std::string(""), std::string("short"), 0LL, 0LL, 0LL, 0.0, -0.25, 0.0, 0.0, false,
                      std::string()});
    t.rows.push_back({Null, Null, Null, Null, Null, Null, Null, Null, -1.5, Null, Null});
    jet::WriteJet4(source.string(), {t, PartsTable(1200)});

    const Outcome run = Execute(Shell(kConverter) + " " + Shell(source.string()) + " " + Shell(target.string()),
                            scratch.path());
    ASSERT_EQ(run.status, 0) << run.err;
    Sqlite db(target);
    EXPECT_EQ(db.Rows("select group_concat(name, ',') from sqlite_master where type='table'"),
              std::vector<std::string>{"各种,tblBook"});
    const std::string allTypes = "select typeof(文本)||' '||quote(文本), length(备注), typeof(字节)||' '||字节, "
                                 "typeof(整数)||' '||整数, typeof(长整数)||' '||长整数, typeof(单精度)||' '||单精度, "
                                 "typeof(双精度)||' '||双精度, typeof(货币)||' '||货币, quote(日期), quote(是否), "
                                 "quote(二进制) from 各种 order by rowid";
    EXPECT_EQ(db.Rows(allTypes),
              (std::vector<std::string>{
                  "text '推土机 Bulldozer'|3000|integer 200|integer -300|integer -2000000000|real 0.1|real 12.5|"
                  "real 12.3456|'2023-03-15 12:00:00'|1|X'0102FF'",
                  "text ''|5|integer 0|integer 0|integer 0|real 0.0|real -0.25|integer 0|'1899-12-30 00:00:00'|0|X''",
                  "null NULL||||||||'1899-12-29 12:00:00'|0|NULL"}));

    // Text compares without regard to case, as it did in the old engine; rows stay in table order.
    EXPECT_EQ(db.Rows("select count(*) from tblBook where 级 = 'root'"), std::vector<std::string>{"1"});
    EXPECT_EQ(db.Rows("select count(*), min(rowid), max(rowid) from tblBook"), std::vector<std::string>{"1200|1|1200"});
    EXPECT_EQ(db.Rows("select 图号, 价格, length(备注) from tblBook where rowid in (1, 2, 11, 21) order by rowid"),
              (std::vector<std::string>{"175-1000||11", "175-1001|0.25|", "175-1010||600", "175-1020||3500"}));
}

TEST(JetConverter, FailsCleanlyOnFilesThatAreNotWholeJetDatabases)
{
    Scratch scratch;
    const fs::path good = scratch / "good.mdb";
    jet::WriteJet4(good.string(), {PartsTable(800)});
    std::string bytes;
    {
        std::ifstream in(good, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    auto write = [&](const std::string& name, const std::string& content) {
        std::ofstream(scratch / name, std::ios::binary) << content;
        return (scratch / name).string();
    };
    std::string noise(20000, '\0');
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    const struct {
        std::string source;
        std::string target;
    } cases[] = {
        {(scratch / "missing.mdb").string(), (scratch / "out.sqlite").string()},
        {write("noise.mdb", noise), (scratch / "out.sqlite").string()},
        {write("empty.mdb", ""), (scratch / "out.sqlite").string()},
        {write("cut.mdb", bytes.substr(0, bytes.size() / 2 + 100)), (scratch / "out.sqlite").string()},
        {write("pages.mdb", bytes.substr(0, bytes.size() / 2 / 4096 * 4096)), (scratch / "out.sqlite").string()},
        {good.string(), (scratch / "no-such-folder" / "out.sqlite").string()},
    };
    for (const auto& c : cases) {
        const Outcome run = Execute(Shell(kConverter) + " " + Shell(c.source) + " " + Shell(c.target), scratch.path());
        EXPECT_NE(run.status, 0) << c.source;
        EXPECT_NE(run.err.find("marlinex-jet: "), std::string::npos) << c.source << ": " << run.err;
        EXPECT_FALSE(fs::exists(c.target)) << c.source;
    }
    for (const auto& entry : fs::directory_iterator(scratch.path()))
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << "left behind: " << entry.path();
}

TEST(JetWriter, SqliteDatabasesBecomeJetFilesOfTheSameRows)
{
    Scratch scratch;
    const fs::path sqlite = scratch / "book.sqlite";
    const fs::path mdb = scratch / "book.mdb";
    const fs::path back = scratch / "back.sqlite";
    {
        sqlite3* db = nullptr;
        sqlite3_open(sqlite.c_str(), &db);
        sqlite3_exec(db,
                     "create table tblBook(级 TEXT COLLATE NOCASE, 图号 text, 名称 text, 序号 COLLATE NOCASE, "
                     "价格 NUMERIC, 备注 text, 数量 NUMERIC, x integer);"
                     "insert into tblBook values('Root','D65','推土机 Bulldozer',0,null,'V1.0',null,null);"
                     "insert into tblBook values('P','175-30-1','螺栓 BOLT',3,12.5,null,2,10);"
                     "insert into tblBook values('P','175-30-2','垫圈 WASHER','4a',7,printf('%.300c','x'),'12.5 kg',20);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    jet::WriteJet4FromSqlite(sqlite.string(), mdb.string());
    const Outcome run = Execute(Shell(kConverter) + " " + Shell(mdb.string()) + " " + Shell(back.string()), scratch.path());
    ASSERT_EQ(run.status, 0) << run.err;
    Sqlite db(back);
    // Text in a numeric column (数量) or in one without a declared type (序号) makes the column text.
    EXPECT_EQ(db.Rows("select 级, 图号, 名称, quote(序号), quote(价格), length(备注), quote(数量), quote(x) "
                      "from tblBook order by rowid"),
              (std::vector<std::string>{"Root|D65|推土机 Bulldozer|'0'|NULL|4|NULL|NULL",
                                        "P|175-30-1|螺栓 BOLT|'3'|12.5||'2'|10",
                                        "P|175-30-2|垫圈 WASHER|'4a'|7.0|300|'12.5 kg'|20"}));
}

} // namespace
