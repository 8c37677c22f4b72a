#include "import/XlsxReader.h"
#include "startup/DataAccess.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <zip.h>

namespace {

// A part larger than this is refused rather than unpacked (a price list is a few megabytes at most).
constexpr zip_uint64_t kMaxPartSize = 512ull * 1024 * 1024;

class Package {
public:
    explicit Package(const QString& path) : path_(path)
    {
        int error = 0;
        zip_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
        if (!zip_) throw DataError(path, QStringLiteral("the file is not a workbook (not a readable zip package)"));
    }
    ~Package() { zip_discard(zip_); }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    bool has(const QString& name) const { return locate(name) >= 0; }

    QByteArray read(const QString& name) const
    {
        const zip_int64_t index = locate(name);
        if (index < 0) throw DataError(path_, QStringLiteral("the workbook lacks its part %1").arg(name));
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip_, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPartSize)
            throw DataError(path_, QStringLiteral("the workbook part %1 cannot be read").arg(name));
        QByteArray data(qsizetype(st.size), '\0');
        zip_file_t* f = zip_fopen_index(zip_, index, 0);
        const zip_int64_t got = f ? zip_fread(f, data.data(), st.size) : -1;
        if (f) zip_fclose(f);
        if (got != zip_int64_t(st.size)) throw DataError(path_, QStringLiteral("the workbook part %1 is damaged").arg(name));
        return data;
    }

private:
    zip_int64_t locate(const QString& name) const
    {
        return zip_name_locate(zip_, name.toUtf8().constData(), ZIP_FL_NOCASE);
    }
    QString path_;
    zip_t* zip_ = nullptr;
};

// Relationship targets are relative to the folder of the part that owns them, or absolute from the root.
QString ResolveTarget(const QString& ownerFolder, const QString& target)
{
    if (target.startsWith(QLatin1Char('/'))) return target.mid(1);
    QStringList parts = ownerFolder.isEmpty() ? QStringList() : ownerFolder.split(QLatin1Char('/'));
    for (const QString& p : target.split(QLatin1Char('/'))) {
        if (p == QLatin1String("..")) { if (!parts.isEmpty()) parts.removeLast(); }
        else if (!p.isEmpty() && p != QLatin1String(".")) parts << p;
    }
    return parts.join(QLatin1Char('/'));
}

struct Relationship { QString type; QString target; };

// Id -> relationship of a .rels part.
QHash<QString, Relationship> ReadRelationships(const QByteArray& xml, const QString& ownerFolder)
{
    QHash<QString, Relationship> rels;
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("Relationship")) {
            const auto a = x.attributes();
            rels.insert(a.value(QLatin1String("Id")).toString(),
                        {a.value(QLatin1String("Type")).toString(),
                         ResolveTarget(ownerFolder, a.value(QLatin1String("Target")).toString())});
        }
    }
    return rels;
}

QString FolderOf(const QString& part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash);
}

QString RelsPartOf(const QString& part)
{
    const QString folder = FolderOf(part);
    const QString file = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") + file + QStringLiteral(".rels");
}

// The text of a string item (<si> or <is>): its <t> elements, runs included, phonetic hints left out.
QString ReadStringItem(QXmlStreamReader& x)
{
    QString text;
    const QString end = x.name().toString();
    int phonetic = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == QLatin1String("rPh")) ++phonetic;
            else if (x.name() == QLatin1String("t") && phonetic == 0) text += x.readElementText();
        } else if (x.isEndElement()) {
            if (x.name() == QLatin1String("rPh")) --phonetic;
            else if (x.name() == end) break;
        }
    }
    return text;
}

QStringList ReadSharedStrings(const QByteArray& xml)
{
    QStringList strings;
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("si")) strings << ReadStringItem(x);
    }
    return strings;
}

// "AB12" -> column 27 (from 0); -1 when the reference has no letters.
int ColumnOf(QStringView ref)
{
    int column = 0, letters = 0;
    for (QChar ch : ref) {
        const char16_t c = ch.toUpper().unicode();
        if (c < 'A' || c > 'Z') break;
        column = column * 26 + (c - 'A' + 1);
        if (++letters > 3) return -1;
    }
    return letters ? column - 1 : -1;
}

int RowOf(QStringView ref)
{
    qsizetype i = 0;
    while (i < ref.size() && ref[i].isLetter()) ++i;
    bool ok = false;
    const int row = ref.mid(i).toInt(&ok);
    return ok && row > 0 ? row - 1 : -1;
}

QVariant Value(const QString& type, const QString& v, const QString& inlineText, const QStringList& shared, bool hasValue)
{
    if (type == QLatin1String("inlineStr")) return inlineText;
    if (!hasValue) return QVariant();
    if (type == QLatin1String("s")) {
        bool ok = false;
        const int i = v.toInt(&ok);
        return ok && i >= 0 && i < shared.size() ? QVariant(shared[i]) : QVariant();
    }
    if (type == QLatin1String("str")) return v;
    if (type == QLatin1String("b")) return v.trimmed() == QLatin1String("1");
    if (type == QLatin1String("e")) return QVariant();
    if (type == QLatin1String("d")) return QDateTime::fromString(v, Qt::ISODate);
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? QVariant(d) : QVariant(v);
}

void ReadSheet(const QByteArray& xml, const QStringList& shared, SheetGrid& grid, const QString& path)
{
    QXmlStreamReader x(xml);
    int row = -1, column = -1;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement()) continue;
        if (x.name() == QLatin1String("row")) {
            const int r = x.attributes().value(QLatin1String("r")).toInt();
            row = r > 0 ? r - 1 : row + 1;
            column = -1;
        } else if (x.name() == QLatin1String("c")) {
            const auto a = x.attributes();
            const QStringView ref = a.value(QLatin1String("r"));
            const int c = ColumnOf(ref);
            column = c >= 0 ? c : column + 1;
            if (!ref.isEmpty() && RowOf(ref) >= 0) row = RowOf(ref);
            const QString type = a.value(QLatin1String("t")).toString();
            QString v, inlineText;
            bool hasValue = false;
            while (!x.atEnd()) {
                x.readNext();
                if (x.isEndElement() && x.name() == QLatin1String("c")) break;
                if (!x.isStartElement()) continue;
                if (x.name() == QLatin1String("v")) { v = x.readElementText(); hasValue = true; }
                else if (x.name() == QLatin1String("is")) inlineText = ReadStringItem(x);
            }
            grid.set(qMax(row, 0), column, Value(type, v, inlineText, shared, hasValue));
        }
    }
    if (x.hasError()) throw DataError(path, QStringLiteral("the worksheet is damaged (%1)").arg(x.errorString()));
}

} // namespace

SheetTable ReadXlsxWorksheet(const QString& path, const QString& sheetName)
{
    Package zip(path);
    const QString officeDocument = QStringLiteral("/officeDocument");
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    if (zip.has(QStringLiteral("_rels/.rels")))
        for (const Relationship& r : ReadRelationships(zip.read(QStringLiteral("_rels/.rels")), QString()))
            if (r.type.endsWith(officeDocument)) workbookPart = r.target;
    if (!zip.has(workbookPart)) throw DataError(path, QStringLiteral("the file is not a workbook (a zip package without a workbook)"));

    // Sheet names and their relationship ids, in workbook order.
    QStringList names, ids;
    {
        QXmlStreamReader x(zip.read(workbookPart));
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement() || x.name() != QLatin1String("sheet")) continue;
            QString id;
            for (const QXmlStreamAttribute& a : x.attributes())
                if (a.name() == QLatin1String("id") && !a.namespaceUri().isEmpty()) id = a.value().toString();
            names << x.attributes().value(QLatin1String("name")).toString();
            ids << id;
        }
        if (x.hasError()) throw DataError(path, QStringLiteral("the workbook is damaged (%1)").arg(x.errorString()));
    }
    const int index = FindSheet(path, names, sheetName);

    const QString relsPart = RelsPartOf(workbookPart);
    const QHash<QString, Relationship> rels =
        zip.has(relsPart) ? ReadRelationships(zip.read(relsPart), FolderOf(workbookPart)) : QHash<QString, Relationship>();
    QStringList shared;
    for (const Relationship& r : rels)
        if (r.type.endsWith(QLatin1String("/sharedStrings")) && zip.has(r.target)) shared = ReadSharedStrings(zip.read(r.target));
    const auto sheet = rels.constFind(ids[index]);
    if (sheet == rels.constEnd() || !zip.has(sheet->target))
        throw DataError(path, QStringLiteral("the worksheet \"%1\" is missing from the workbook").arg(names[index]));

    SheetGrid grid;
    ReadSheet(zip.read(sheet->target), shared, grid, path);
    return TableFromGrid(grid);
}
