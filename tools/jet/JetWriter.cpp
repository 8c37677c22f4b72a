#include "JetWriter.h"

#include "Rc4.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>

// Page layout written here (Jet 4, 4096-byte pages, little-endian numbers):
//   0  database definition page (version, and a block the reader decrypts with a fixed RC4 key)
//   1  global page usage map
//   2  table definition of MSysObjects (readers bootstrap from this page)
//   3  MSysObjects rows: one per table, giving the page of its definition
//   then per user table its definition page followed by its data pages and long-value pages,
//   and last the page(s) holding every table's usage maps.
namespace jet {
namespace {

constexpr int kPage = 4096;
constexpr int kRowOffsets = 14;       // data page: row offset table starts here
constexpr int kMaxRowsPerPage = 255;  // a row number must fit the byte of a page/row pointer
constexpr int kMemoInline = 1024;     // longer memo texts go to long-value pages
constexpr int kMemoHeader = 12;

using Page = std::array<uint8_t, kPage>;

void Put16(uint8_t* p, uint32_t v)
{
    p[0] = v & 0xff;
    p[1] = (v >> 8) & 0xff;
}
void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v & 0xffff);
    Put16(p + 2, v >> 16);
}
void Append16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}
void Append32(std::vector<uint8_t>& out, uint32_t v)
{
    Append16(out, v & 0xffff);
    Append16(out, v >> 16);
}
template <typename T> void AppendRaw(std::vector<uint8_t>& out, T v)
{
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));   // the platforms we build for are little-endian, as Jet is
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

// UTF-8 to UTF-16LE code units, as Jet 4 stores text (uncompressed).
std::vector<uint8_t> Utf16(const std::string& text, size_t* units = nullptr)
{
    std::vector<uint8_t> out;
    size_t count = 0;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        uint32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c >> 5) == 6) { cp = c & 0x1f; extra = 1; }
        else if ((c >> 4) == 14) { cp = c & 0x0f; extra = 2; }
        else if ((c >> 3) == 30) { cp = c & 0x07; extra = 3; }
        else throw WriteError("text is not UTF-8: " + text);
        if (extra && i + extra >= text.size()) throw WriteError("text is not UTF-8: " + text);
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc >> 6) != 2) throw WriteError("text is not UTF-8: " + text);
            cp = (cp << 6) | (cc & 0x3f);
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            Append16(out, 0xd800 + (cp >> 10));
            Append16(out, 0xdc00 + (cp & 0x3ff));
            count += 2;
        } else {
            Append16(out, cp);
            ++count;
        }
    }
    if (units) *units = count;
    return out;
}

bool IsFixed(ColumnType t)
{
    return t != ColumnType::Text && t != ColumnType::Memo && t != ColumnType::Binary;
}

int FixedSize(ColumnType t)
{
    switch (t) {
    case ColumnType::Byte: return 1;
    case ColumnType::Integer: return 2;
    case ColumnType::Long:
    case ColumnType::Single: return 4;
    case ColumnType::Double:
    case ColumnType::Currency:
    case ColumnType::DateTime: return 8;
    default: return 0;   // yes/no lives in the null mask
    }
}

uint8_t TypeCode(ColumnType t)
{
    switch (t) {
    case ColumnType::Bool: return 0x01;
    case ColumnType::Byte: return 0x02;
    case ColumnType::Integer: return 0x03;
    case ColumnType::Long: return 0x04;
    case ColumnType::Currency: return 0x05;
    case ColumnType::Single: return 0x06;
    case ColumnType::Double: return 0x07;
    case ColumnType::DateTime: return 0x08;
    case ColumnType::Binary: return 0x09;
    case ColumnType::Text: return 0x0a;
    case ColumnType::Memo: return 0x0c;
    }
    return 0x0a;
}

// An OLE column, used only by MSysObjects (its property blobs, always Null here).
constexpr uint8_t kOleTypeCode = 0x0b;

double Number(const Value& v, const std::string& column)
{
    if (auto* i = std::get_if<long long>(&v)) return static_cast<double>(*i);
    if (auto* d = std::get_if<double>(&v)) return *d;
    if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    throw WriteError("column " + column + ": a number is expected");
}

long long Whole(const Value& v, const std::string& column, long long lo, long long hi)
{
    long long n;
    if (auto* i = std::get_if<long long>(&v)) n = *i;
    else {
        const double d = Number(v, column);
        if (d != std::floor(d)) throw WriteError("column " + column + ": a whole number is expected");
        n = static_cast<long long>(d);
    }
    if (n < lo || n > hi) throw WriteError("column " + column + ": number out of range");
    return n;
}

const std::string& Bytes(const Value& v, const std::string& column)
{
    if (auto* s = std::get_if<std::string>(&v)) return *s;
    throw WriteError("column " + column + ": text is expected");
}

struct ColumnLayout {
    Column column;
    uint8_t type = 0;
    bool fixed = false;
    int fixedOffset = 0;   // within the fixed area of a row
    int varIndex = 0;      // position among the variable-length columns
    int length = 0;        // declared length in bytes
};

struct TableLayout {
    std::string name;
    bool system = false;
    std::vector<ColumnLayout> columns;
    int varCount = 0;
    int fixedBytes = 0;
    uint32_t tdefPage = 0;
    std::vector<uint32_t> dataPages;
    uint32_t rowCount = 0;
    uint32_t usedMap = 0;   // page/row pointer of the usage map row
    uint32_t freeMap = 0;
};

TableLayout Lay(const std::string& name, const std::vector<Column>& columns, bool system,
                const std::vector<uint8_t>& typeCodes = {})
{
    if (name.empty()) throw WriteError("a table needs a name");
    if (columns.empty() || columns.size() > 255) throw WriteError("table " + name + ": 1 to 255 columns");
    TableLayout t;
    t.name = name;
    t.system = system;
    for (size_t i = 0; i < columns.size(); ++i) {
        ColumnLayout c;
        c.column = columns[i];
        c.type = i < typeCodes.size() && typeCodes[i] ? typeCodes[i] : TypeCode(columns[i].type);
        c.fixed = c.type != kOleTypeCode && IsFixed(columns[i].type);
        if (c.column.name.empty()) throw WriteError("table " + name + ": a column needs a name");
        if (c.fixed) {
            c.fixedOffset = t.fixedBytes;
            c.length = FixedSize(columns[i].type);
            t.fixedBytes += c.length;
        } else {
            c.varIndex = t.varCount++;
            if (columns[i].type == ColumnType::Text) {
                if (columns[i].size < 1 || columns[i].size > 255)
                    throw WriteError("column " + c.column.name + ": text holds 1 to 255 characters");
                c.length = columns[i].size * 2;
            } else if (columns[i].type == ColumnType::Binary && c.type != kOleTypeCode) {
                if (columns[i].size < 1 || columns[i].size > 255)
                    throw WriteError("column " + c.column.name + ": binary holds 1 to 255 bytes");
                c.length = columns[i].size;
            }
        }
        t.columns.push_back(c);
    }
    return t;
}

class File {
public:
    uint32_t NewPage()
    {
        pages_.emplace_back();
        pages_.back().fill(0);
        return static_cast<uint32_t>(pages_.size() - 1);
    }
    uint8_t* At(uint32_t page) { return pages_[page].data(); }
    size_t Count() const { return pages_.size(); }

    // A data page (or long-value page, owner 0 and lval true) with no rows yet.
    void InitRowPage(uint32_t page, uint32_t owner, bool lval)
    {
        uint8_t* p = At(page);
        p[0] = 0x01;
        p[1] = 0x01;
        if (lval) std::memcpy(p + 4, "LVAL", 4);
        else Put32(p + 4, owner);
        Put16(p + 2, kPage - kRowOffsets);
    }
    static int Rows(const uint8_t* p) { return p[12] | (p[13] << 8); }
    // Rows are stored from the end of the page down; the first row ends at the page's end.
    int FreeSpace(uint32_t page)
    {
        const uint8_t* p = At(page);
        const int rows = Rows(p);
        if (rows >= kMaxRowsPerPage) return -1;
        const int lowest = rows ? ((p[kRowOffsets + 2 * (rows - 1)] | (p[kRowOffsets + 2 * (rows - 1) + 1] << 8)) & 0x1fff)
                                : kPage;
        return lowest - (kRowOffsets + 2 * (rows + 1));
    }
    // Appends a row; returns its page/row pointer.
    uint32_t AddRow(uint32_t page, const std::vector<uint8_t>& row)
    {
        if (static_cast<int>(row.size()) > FreeSpace(page)) throw WriteError("internal: row does not fit its page");
        uint8_t* p = At(page);
        const int rows = Rows(p);
        const int lowest = rows ? ((p[kRowOffsets + 2 * (rows - 1)] | (p[kRowOffsets + 2 * (rows - 1) + 1] << 8)) & 0x1fff)
                                : kPage;
        const int start = lowest - static_cast<int>(row.size());
        std::memcpy(p + start, row.data(), row.size());
        Put16(p + kRowOffsets + 2 * rows, start);
        Put16(p + 12, rows + 1);
        Put16(p + 2, start - (kRowOffsets + 2 * (rows + 1)));
        return (page << 8) | static_cast<uint32_t>(rows);
    }

    void Save(const std::string& path)
    {
        const std::string partial = path + ".part";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            for (const Page& page : pages_) out.write(reinterpret_cast<const char*>(page.data()), kPage);
            out.flush();
            if (!out) throw WriteError(path + ": cannot be written");
        }
        if (std::rename(partial.c_str(), path.c_str()) != 0) {
            std::remove(partial.c_str());
            throw WriteError(path + ": cannot be written");
        }
    }

private:
    std::vector<Page> pages_;
};

class Writer {
public:
    explicit Writer(File& file) : file_(file) {}

    // Encodes the table's rows onto data pages, long memo texts onto long-value pages.
    void Rows(TableLayout& t, const std::vector<std::vector<Value>>& rows)
    {
        uint32_t page = t.dataPages.empty() ? 0 : t.dataPages.back();
        for (const auto& values : rows) {
            if (values.size() != t.columns.size())
                throw WriteError("table " + t.name + ": a row has " + std::to_string(values.size()) + " values for " +
                                 std::to_string(t.columns.size()) + " columns");
            const std::vector<uint8_t> row = Encode(t, values);
            if (static_cast<int>(row.size()) > kPage - kRowOffsets - 2)
                throw WriteError("table " + t.name + ": a row is too long for a page");
            if (!page || file_.FreeSpace(page) < static_cast<int>(row.size())) {
                page = file_.NewPage();
                file_.InitRowPage(page, t.tdefPage, false);
                t.dataPages.push_back(page);
            }
            file_.AddRow(page, row);
            ++t.rowCount;
        }
    }

private:
    std::vector<uint8_t> Encode(const TableLayout& t, const std::vector<Value>& values)
    {
        const size_t n = t.columns.size();
        std::vector<uint8_t> row;
        Append16(row, static_cast<uint32_t>(n));
        std::vector<uint8_t> nullMask((n + 7) / 8, 0);
        row.resize(2 + t.fixedBytes, 0);
        std::vector<std::vector<uint8_t>> var(t.varCount);
        for (size_t i = 0; i < n; ++i) {
            const ColumnLayout& c = t.columns[i];
            const Value& v = values[i];
            const std::string& name = c.column.name;
            if (c.column.type == ColumnType::Bool && c.fixed) {
                if (!std::holds_alternative<std::monostate>(v) && Number(v, name) != 0)
                    nullMask[i / 8] |= 1 << (i % 8);
                continue;
            }
            if (std::holds_alternative<std::monostate>(v)) continue;
            nullMask[i / 8] |= 1 << (i % 8);
            std::vector<uint8_t> bytes;
            switch (c.column.type) {
            case ColumnType::Byte: bytes.push_back(static_cast<uint8_t>(Whole(v, name, 0, 255))); break;
            case ColumnType::Integer: AppendRaw(bytes, static_cast<int16_t>(Whole(v, name, -32768, 32767))); break;
            case ColumnType::Long:
                AppendRaw(bytes, static_cast<int32_t>(Whole(v, name, INT32_MIN, INT32_MAX)));
                break;
            case ColumnType::Single: AppendRaw(bytes, static_cast<float>(Number(v, name))); break;
            case ColumnType::Double:
            case ColumnType::DateTime: AppendRaw(bytes, Number(v, name)); break;
            case ColumnType::Currency: AppendRaw(bytes, static_cast<int64_t>(std::llround(Number(v, name) * 10000))); break;
            case ColumnType::Text: {
                size_t units = 0;
                bytes = Utf16(Bytes(v, name), &units);
                if (units > static_cast<size_t>(c.column.size))
                    throw WriteError("column " + name + ": text longer than " + std::to_string(c.column.size));
                break;
            }
            case ColumnType::Memo: bytes = Memo(Utf16(Bytes(v, name))); break;
            case ColumnType::Binary:
                bytes.assign(Bytes(v, name).begin(), Bytes(v, name).end());
                if (bytes.size() > static_cast<size_t>(c.column.size))
                    throw WriteError("column " + name + ": value longer than " + std::to_string(c.column.size));
                break;
            case ColumnType::Bool: break;
            }
            if (c.fixed) std::memcpy(row.data() + 2 + c.fixedOffset, bytes.data(), bytes.size());
            else var[c.varIndex] = std::move(bytes);
        }
        if (t.varCount > 0) {
            std::vector<uint32_t> offsets;
            for (const auto& bytes : var) {
                offsets.push_back(static_cast<uint32_t>(row.size()));
                row.insert(row.end(), bytes.begin(), bytes.end());
            }
            Append16(row, static_cast<uint32_t>(row.size()));   // end of the variable data
            for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) Append16(row, *it);
            Append16(row, static_cast<uint32_t>(t.varCount));
        }
        row.insert(row.end(), nullMask.begin(), nullMask.end());
        return row;
    }

    // The 12-byte memo header followed by the text when short; otherwise the text is chained over
    // long-value rows, each starting with the page/row pointer of the next (0 ends the chain).
    std::vector<uint8_t> Memo(const std::vector<uint8_t>& text)
    {
        std::vector<uint8_t> out;
        if (text.size() >= (1u << 24)) throw WriteError("memo text too long");
        if (text.size() <= static_cast<size_t>(kMemoInline)) {
            Append32(out, static_cast<uint32_t>(text.size()) | 0x80000000u);
            Append32(out, 0);
            Append32(out, 0);
            out.insert(out.end(), text.begin(), text.end());
            return out;
        }
        // Chunks are written last to first so each knows the pointer of the one after it.
        std::vector<std::pair<size_t, size_t>> chunks;
        const size_t chunk = kPage - kRowOffsets - 2 - 4;
        for (size_t at = 0; at < text.size(); at += chunk) chunks.emplace_back(at, std::min(chunk, text.size() - at));
        uint32_t next = 0;
        for (auto it = chunks.rbegin(); it != chunks.rend(); ++it) {
            std::vector<uint8_t> row;
            Append32(row, next);
            row.insert(row.end(), text.begin() + it->first, text.begin() + it->first + it->second);
            if (!lvalPage_ || file_.FreeSpace(lvalPage_) < static_cast<int>(row.size())) {
                lvalPage_ = file_.NewPage();
                file_.InitRowPage(lvalPage_, 0, true);
            }
            next = file_.AddRow(lvalPage_, row);
        }
        Append32(out, static_cast<uint32_t>(text.size()));
        Append32(out, next);
        Append32(out, 0);
        return out;
    }

    File& file_;
    uint32_t lvalPage_ = 0;
};

// Table definition page: header, counts, usage map pointers, one 25-byte entry per column, the names.
void WriteDefinition(File& file, const TableLayout& t)
{
    std::vector<uint8_t> d(63 - 8, 0);   // the page from offset 8; the columns start at 63
    auto at = [&](int pageOffset) { return d.data() + pageOffset - 8; };
    Put32(at(16), t.rowCount);
    at(40)[0] = t.system ? 0x53 : 0x4e;
    Put16(at(41), static_cast<uint32_t>(t.columns.size()));
    Put16(at(43), static_cast<uint32_t>(t.varCount));
    Put16(at(45), static_cast<uint32_t>(t.columns.size()));
    Put32(at(47), 0);   // no indexes
    Put32(at(51), 0);
    Put32(at(55), t.usedMap);
    Put32(at(59), t.freeMap);
    for (size_t i = 0; i < t.columns.size(); ++i) {
        const ColumnLayout& c = t.columns[i];
        uint8_t e[25] = {};
        e[0] = c.type;
        Put16(e + 5, static_cast<uint32_t>(i));
        Put16(e + 7, c.fixed ? 0 : static_cast<uint32_t>(c.varIndex));
        Put16(e + 9, static_cast<uint32_t>(i));
        if (c.type == 0x0a || c.type == 0x0c) Put16(e + 11, 0x0409);   // general sort order
        e[15] = static_cast<uint8_t>((c.fixed ? 0x01 : 0x00) | 0x02);   // fixed length; may be Null
        Put16(e + 21, c.fixed ? static_cast<uint32_t>(c.fixedOffset) : 0);
        Put16(e + 23, static_cast<uint32_t>(c.length));
        d.insert(d.end(), e, e + 25);
    }
    for (const ColumnLayout& c : t.columns) {
        const std::vector<uint8_t> name = Utf16(c.column.name);
        if (name.size() > 128) throw WriteError("column name too long: " + c.column.name);
        Append16(d, static_cast<uint32_t>(name.size()));
        d.insert(d.end(), name.begin(), name.end());
    }
    Append16(d, 0xffff);   // no per-column usage maps follow
    if (d.size() + 8 > static_cast<size_t>(kPage)) throw WriteError("table " + t.name + ": definition too large");
    Put32(d.data(), static_cast<uint32_t>(d.size()));
    uint8_t* p = file.At(t.tdefPage);
    p[0] = 0x02;
    p[1] = 0x01;
    Put16(p + 2, static_cast<uint32_t>(kPage - 8 - d.size()));
    std::memcpy(p + 8, d.data(), d.size());
}

// The usage map of a table: map type 0, the first page it covers, one bit per page.
std::vector<uint8_t> UsageMap(const std::vector<uint32_t>& pages, size_t pageCount)
{
    std::vector<uint8_t> map(5 + (pageCount + 7) / 8, 0);
    for (uint32_t page : pages) map[5 + page / 8] |= 1 << (page % 8);
    return map;
}

void WriteHeader(File& file)
{
    uint8_t* p = file.At(0);
    p[0] = 0x00;
    p[1] = 0x01;
    std::memcpy(p + 4, "Standard Jet DB", 15);
    p[0x14] = 0x01;   // Jet 4
    // The block at 0x18 is stored RC4-encrypted with a fixed key; in clear it holds the code page,
    // a zero database key (pages are not encrypted) and the sort order.
    uint8_t block[128] = {};
    Put16(block + 0x3c - 0x18, 1252);
    Put32(block + 0x3e - 0x18, 0);
    Put16(block + 0x6e - 0x18, 0x0409);
    Rc4(kHeaderKey, 4, block, sizeof block);
    std::memcpy(p + 0x18, block, sizeof block);
}

void WriteGlobalMap(File& file)
{
    uint8_t* p = file.At(1);
    p[0] = 0x05;
    p[1] = 0x01;
    for (size_t page = 0; page < file.Count() && 4 + page / 8 < static_cast<size_t>(kPage); ++page)
        p[4 + page / 8] |= 1 << (page % 8);
}

} // namespace

size_t Utf16Length(const std::string& utf8)
{
    size_t units = 0;
    Utf16(utf8, &units);
    return units;
}

void WriteJet4(const std::string& path, const std::vector<Table>& tables)
{
    File file;
    for (int i = 0; i < 4; ++i) file.NewPage();   // header, global map, MSysObjects definition and rows

    // MSysObjects as readers expect it: Id (the definition page), name, type 1 (table), flags
    // (0x80000002 marks system tables), and the property blobs, all Null.
    const std::vector<Column> sysColumns = {
        {"Id", ColumnType::Long},     {"ParentId", ColumnType::Long}, {"Name", ColumnType::Text, 128},
        {"Type", ColumnType::Integer}, {"Flags", ColumnType::Long},   {"LvProp", ColumnType::Binary}};
    TableLayout sys = Lay("MSysObjects", sysColumns, true, {0, 0, 0, 0, 0, kOleTypeCode});
    sys.tdefPage = 2;
    sys.dataPages.push_back(3);
    file.InitRowPage(3, 2, false);

    std::vector<TableLayout> layouts;
    Writer writer(file);
    for (const Table& table : tables) {
        for (const TableLayout& other : layouts)
            if (other.name == table.name) throw WriteError("table " + table.name + " given twice");
        TableLayout t = Lay(table.name, table.columns, false);
        t.tdefPage = file.NewPage();
        writer.Rows(t, table.rows);
        layouts.push_back(std::move(t));
    }

    std::vector<std::vector<Value>> sysRows = {
        {2LL, 0LL, std::string("MSysObjects"), 1LL, static_cast<long long>(static_cast<int32_t>(0x80000002u)), Null}};
    for (const TableLayout& t : layouts)
        sysRows.push_back({static_cast<long long>(t.tdefPage), 0LL, t.name, 1LL, 0LL, Null});
    {
        // Rows of MSysObjects go on page 3 only.
        std::vector<uint32_t> before = sys.dataPages;
        Writer sysWriter(file);
        TableLayout probe = sys;
        sysWriter.Rows(probe, sysRows);
        if (probe.dataPages != before) throw WriteError("too many tables for one file");
        sys.rowCount = probe.rowCount;
    }

    // Usage maps last, when every page is known: one row per map on map pages at the end.
    std::vector<TableLayout*> all = {&sys};
    for (TableLayout& t : layouts) all.push_back(&t);
    constexpr size_t kMaxMapPages = 16;
    const size_t mapRow = 5 + (file.Count() + kMaxMapPages + 7) / 8;
    if (mapRow + 2 > static_cast<size_t>(kPage - kRowOffsets)) throw WriteError("file too large");
    const size_t mapsPerPage = std::min<size_t>(kMaxRowsPerPage, (kPage - kRowOffsets) / (mapRow + 2));
    const size_t mapPages = (2 * all.size() + mapsPerPage - 1) / mapsPerPage;
    if (mapPages > kMaxMapPages) throw WriteError("too many tables for one file");
    const size_t total = file.Count() + mapPages;
    uint32_t mapPage = 0;
    auto addMap = [&](const std::vector<uint8_t>& map) {
        if (!mapPage || file.FreeSpace(mapPage) < static_cast<int>(map.size())) {
            mapPage = file.NewPage();
            file.InitRowPage(mapPage, 0, false);
        }
        return file.AddRow(mapPage, map);
    };
    for (TableLayout* t : all) {
        t->usedMap = addMap(UsageMap(t->dataPages, total));
        t->freeMap = addMap(UsageMap({}, total));
    }
    if (file.Count() > total) throw WriteError("internal: usage maps outgrew their pages");

    for (TableLayout* t : all) WriteDefinition(file, *t);
    WriteHeader(file);
    WriteGlobalMap(file);
    file.Save(path);
}

} // namespace jet
