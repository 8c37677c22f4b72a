#include "JetToSqlite.h"

#include "Rc4.h"
#include "SqlName.h"

// mdbtools.h wraps glib in extern "C" and needs it first.
#include <glib.h>
#include <mdbtools.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iconv.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace jet {
namespace {

constexpr int kOffsetMask = 0x1fff;
// Memo texts are handed over by libmdb in a buffer of this size; the largest memo the old program's
// forms accept (65,535 characters) fits in UTF-8 several times over.
constexpr size_t kBindSize = 1 << 20;

struct Failure {
    std::string message;
};

// How a Jet column lands in SQLite.
enum class Kind { Integer, Bool, Single, Double, Decimal, Text, Memo, Date, Guid, Blob, Ole };

Kind KindOf(const MdbColumn* col)
{
    switch (col->col_type) {
    case MDB_BOOL: return Kind::Bool;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX: return Kind::Integer;
    case MDB_FLOAT: return Kind::Single;
    case MDB_DOUBLE: return Kind::Double;
    case MDB_MONEY:
    case MDB_NUMERIC: return Kind::Decimal;
    case MDB_TEXT: return Kind::Text;
    case MDB_MEMO: return Kind::Memo;
    case MDB_DATETIME: return Kind::Date;
    case MDB_REPID: return Kind::Guid;
    case MDB_OLE: return Kind::Ole;
    default: return Kind::Blob;
    }
}

const char* SqlType(Kind kind)
{
    switch (kind) {
    case Kind::Integer:
    case Kind::Bool: return "INTEGER";
    case Kind::Single:
    case Kind::Double: return "REAL";
    case Kind::Decimal: return "NUMERIC";   // exact decimal text; SQLite keeps it as a number when it can
    case Kind::Text:
    case Kind::Memo: return "TEXT COLLATE NOCASE";
    case Kind::Date:
    case Kind::Guid: return "TEXT";
    case Kind::Blob:
    case Kind::Ole: return "BLOB";
    }
    return "BLOB";
}

// Days since 1899-12-30 (the fraction is the time of day, also for dates before that day) as
// "YYYY-MM-DD HH:MM:SS", which sorts as the dates do.
std::string JetDateText(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3e6) return std::string();
    long long day = static_cast<long long>(std::trunc(value));
    long long seconds = std::llround(std::fabs(value - static_cast<double>(day)) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        day += value < 0 ? -1 : 1;
    }
    // Civil date from a day count (days since 1970-01-01), proleptic Gregorian calendar.
    long long z = day - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) ++y;
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", y, m, d, seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

// A single-precision value as the double nearest to its shortest decimal text (0.1f gives 0.1, not
// 0.100000001490116), so a stored 12.5 or 0.1 reads back as the user typed it.
double SingleAsDouble(float value)
{
    char text[32];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    return std::strtod(text, nullptr);
}

class Converter {
public:
    Converter(MdbHandle* mdb, sqlite3* db) : mdb_(mdb), db_(db) {}

    void Table(MdbCatalogEntry* entry)
    {
        std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> table(mdb_read_table(entry), mdb_free_tabledef);
        const std::string name = entry->object_name;
        if (!table) throw Failure{"table " + name + ": its definition cannot be read"};
        if (!mdb_read_columns(table.get()) || table->columns->len != table->num_cols)
            throw Failure{"table " + name + ": its columns cannot be read"};

        const unsigned n = table->num_cols;
        std::vector<MdbColumn*> cols(n);
        std::vector<Kind> kinds(n);
        std::vector<std::vector<char>> bound(n);
        std::string create = "CREATE TABLE " + QuoteSqlName(name) + " (";
        std::string insert = "INSERT INTO " + QuoteSqlName(name) + " VALUES (";
        for (unsigned i = 0; i < n; ++i) {
            cols[i] = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            kinds[i] = KindOf(cols[i]);
            create += (i ? ", " : "") + QuoteSqlName(cols[i]->name) + " " + SqlType(kinds[i]);
            insert += i ? ", ?" : "?";
            // Only long values go through libmdb's own readers (they follow the long-value pages);
            // everything else is decoded from the row's bytes.
            if (kinds[i] == Kind::Memo || kinds[i] == Kind::Ole) {
                bound[i].assign(kBindSize, 0);
                mdb_bind_column(table.get(), static_cast<int>(i) + 1, bound[i].data(), nullptr);
            }
        }
        Exec(create + ")");
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_, (insert + ")").c_str(), -1, &raw, nullptr) != SQLITE_OK)
            throw Failure{"table " + name + ": " + sqlite3_errmsg(db_)};
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);

        std::vector<MdbField> fields(n);
        std::vector<char> text;
        unsigned long rows = 0;
        mdb_rewind_table(table.get());
        while (mdb_fetch_row(table.get())) {
            int start = 0;
            size_t size = 0;
            if (mdb_find_row(mdb_, static_cast<int>(table->cur_row) - 1, &start, &size) != 0)
                throw Failure{"table " + name + ": a row cannot be found"};
            start &= kOffsetMask;
            if (mdb_crack_row(table.get(), start, size, fields.data()) < 0)
                throw Failure{"table " + name + ": a row is damaged"};
            sqlite3_reset(stmt.get());
            for (unsigned i = 0; i < n; ++i) Bind(stmt.get(), static_cast<int>(i) + 1, cols[i], kinds[i],
                                                 fields[i], bound[i], text);
            if (sqlite3_step(stmt.get()) != SQLITE_DONE)
                throw Failure{"table " + name + ": " + sqlite3_errmsg(db_)};
            ++rows;
        }
        // Pages that cannot be read end the scan early inside libmdb; a table that yields fewer rows than
        // its definition counts is damaged, not short.
        if (rows < table->num_rows)
            throw Failure{"table " + name + ": " + std::to_string(rows) + " of " + std::to_string(table->num_rows) +
                          " rows readable"};
    }

    void Exec(const std::string& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::string cause = message ? message : "unknown failure";
            sqlite3_free(message);
            throw Failure{cause};
        }
    }

private:
    void Bind(sqlite3_stmt* stmt, int index, MdbColumn* col, Kind kind, const MdbField& field,
              std::vector<char>& bound, std::vector<char>& text)
    {
        if (kind == Kind::Bool) {   // the value lives in the null mask: a set bit is Yes
            sqlite3_bind_int(stmt, index, field.is_null ? 0 : 1);
            return;
        }
        if (field.is_null) {
            sqlite3_bind_null(stmt, index);
            return;
        }
        const unsigned char* v = static_cast<const unsigned char*>(field.value);
        const int siz = field.siz;
        auto needs = [&](int bytes) {
            if (!v || siz < bytes) throw Failure{std::string("column ") + col->name + ": value too short"};
        };
        switch (kind) {
        case Kind::Integer:
            if (col->col_type == MDB_BYTE) {
                needs(1);
                sqlite3_bind_int(stmt, index, v[0]);
            } else if (col->col_type == MDB_INT) {
                needs(2);
                sqlite3_bind_int(stmt, index, static_cast<int16_t>(mdb_get_int16(const_cast<unsigned char*>(v), 0)));
            } else {
                needs(4);
                sqlite3_bind_int64(stmt, index, static_cast<int32_t>(mdb_get_int32(const_cast<unsigned char*>(v), 0)));
            }
            return;
        case Kind::Single:
            needs(4);
            sqlite3_bind_double(stmt, index, SingleAsDouble(mdb_get_single(const_cast<unsigned char*>(v), 0)));
            return;
        case Kind::Double:
            needs(8);
            sqlite3_bind_double(stmt, index, mdb_get_double(const_cast<unsigned char*>(v), 0));
            return;
        case Kind::Date: {
            needs(8);
            const std::string date = JetDateText(mdb_get_double(const_cast<unsigned char*>(v), 0));
            if (date.empty()) sqlite3_bind_null(stmt, index);
            else sqlite3_bind_text(stmt, index, date.c_str(), -1, SQLITE_TRANSIENT);
            return;
        }
        case Kind::Decimal: {
            needs(col->col_type == MDB_MONEY ? 8 : 17);
            char* s = col->col_type == MDB_MONEY
                          ? mdb_money_to_string(mdb_, field.start)
                          : mdb_numeric_to_string(mdb_, field.start, col->col_scale, col->col_prec);
            sqlite3_bind_text(stmt, index, s ? s : "", -1, SQLITE_TRANSIENT);
            g_free(s);
            return;
        }
        case Kind::Guid: {
            needs(16);
            char* s = mdb_uuid_to_string(mdb_->pg_buf, field.start);
            sqlite3_bind_text(stmt, index, s ? s : "", -1, SQLITE_TRANSIENT);
            g_free(s);
            return;
        }
        case Kind::Text: {
            text.resize(static_cast<size_t>(siz) * 3 + 4);
            const int len = siz > 0 ? mdb_unicode2ascii(mdb_, reinterpret_cast<const char*>(v), siz, text.data(),
                                                        text.size())
                                    : 0;
            sqlite3_bind_text(stmt, index, text.data(), len, SQLITE_TRANSIENT);
            return;
        }
        case Kind::Memo: {
            const size_t length = ::strnlen(bound.data(), bound.size());
            // libmdb cuts what does not fit its buffer; a cut text is not the stored one.
            if (length + 1 >= bound.size()) throw Failure{std::string("column ") + col->name + ": a memo text is too long"};
            sqlite3_bind_text(stmt, index, bound.data(), static_cast<int>(length), SQLITE_TRANSIENT);
            return;
        }
        case Kind::Ole: {
            size_t size = 0;
            void* blob = mdb_ole_read_full(mdb_, col, &size);
            sqlite3_bind_blob64(stmt, index, blob, size, SQLITE_TRANSIENT);
            std::free(blob);
            return;
        }
        case Kind::Blob:
        case Kind::Bool: break;
        }
        sqlite3_bind_blob(stmt, index, v, siz > 0 ? siz : 0, SQLITE_TRANSIENT);
    }

    MdbHandle* mdb_;
    sqlite3* db_;
};

void SyncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Jet 3 stores text in the code page of the machine that made the file, and libmdb assumes CP1252 unless
// told otherwise. The file's definition page names its code page; the catalogues we read come from
// Chinese Windows, so a file that names none is taken as GBK (CP936).
void ChooseJet3Charset(const std::string& source)
{
    if (std::getenv("MDB_JET3_CHARSET")) return;
    uint8_t page[0x18 + 126] = {};
    std::ifstream in(source, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(page), sizeof page) || page[0] != 0 || page[0x14] != 0) return;
    Rc4(kHeaderKey, 4, page + 0x18, 126);
    const int codePage = page[0x3c] | (page[0x3d] << 8);
    const std::string charset = "CP" + std::to_string(codePage ? codePage : 936);
    const iconv_t probe = iconv_open("UTF-8", charset.c_str());
    if (probe == reinterpret_cast<iconv_t>(-1)) return;
    iconv_close(probe);
    ::setenv("MDB_JET3_CHARSET", charset.c_str(), 0);
}

void Convert(const std::string& source, const std::string& partial)
{
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) throw Failure{source + ": file not found"};

    ChooseJet3Charset(source);
    std::unique_ptr<MdbHandle, void (*)(MdbHandle*)> mdb(mdb_open(source.c_str(), MDB_NOFLAGS), mdb_close);
    if (!mdb) throw Failure{source + ": not a Jet database"};
    // Jet files are whole pages; a partial last page is a cut-off copy.
    const off_t page = mdb->fmt->pg_size;
    if (st.st_size < 3 * page || st.st_size % page != 0) throw Failure{source + ": the file is truncated"};
    mdb_set_bind_size(mdb.get(), kBindSize);
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) throw Failure{source + ": its table list cannot be read"};

    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(partial.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const std::string cause = raw ? sqlite3_errmsg(raw) : "out of memory";
        sqlite3_close(raw);
        throw Failure{partial + ": " + cause};
    }
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
    Converter converter(mdb.get(), db.get());
    // The file is private until it is renamed into place, so no journal is needed while it is built.
    converter.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry)) converter.Table(entry);
    }
    converter.Exec("COMMIT");
}

} // namespace

bool ConvertJetToSqlite(const std::string& source, const std::string& target, std::string& error)
{
    std::string partial = target + ".partXXXXXX";
    const int fd = ::mkstemp(partial.data());
    if (fd < 0) {
        error = target + ": cannot be written (" + std::strerror(errno) + ")";
        return false;
    }
    // mkstemp makes the file private; the result is an ordinary file of the user's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    try {
        Convert(source, partial);
        SyncFile(partial);
        if (std::rename(partial.c_str(), target.c_str()) != 0)
            throw Failure{target + ": cannot be written (" + std::strerror(errno) + ")"};
        return true;
    } catch (const Failure& failure) {
        error = failure.message;
    } catch (const std::exception& e) {
        error = e.what();
    }
    std::remove(partial.c_str());
    return false;
}

} // namespace jet
