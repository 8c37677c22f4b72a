#include "import/CompoundFile.h"

#include <QtEndian>
#include <cstring>

namespace CompoundFile {

namespace {

const unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kHeaderSize = 512;
constexpr int kDirEntrySize = 128;
constexpr quint32 kMiniCutoff = 4096;

quint16 U16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 U32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
void Put16(QByteArray& b, qsizetype at, quint16 v) { qToLittleEndian(v, b.data() + at); }
void Put32(QByteArray& b, qsizetype at, quint32 v) { qToLittleEndian(v, b.data() + at); }

struct Reader {
    const QByteArray& file;
    qsizetype sectorSize = 512;
    QVector<quint32> fat;
    QString error;

    bool fail(const QString& why) { error = why; return false; }

    // The header fills the first sector-sized block; sector 0 follows it.
    qsizetype sectorCount() const { return (file.size() - 1) / sectorSize; }

    bool readSector(quint32 sector, QByteArray& out)
    {
        const qsizetype at = qsizetype(sector + 1) * sectorSize;
        if (sector >= quint32(sectorCount()) || at >= file.size())
            return fail(QStringLiteral("sector %1 lies outside the file").arg(sector));
        out = file.mid(at, sectorSize);
        if (out.size() < sectorSize) out.append(QByteArray(sectorSize - out.size(), '\0'));   // short last sector
        return true;
    }

    // The sectors of a chain in the allocation table; a loop or an entry out of range is damage.
    bool chain(const QVector<quint32>& table, quint32 start, QVector<quint32>& out)
    {
        out.clear();
        for (quint32 s = start; s != kEndOfChain; s = table[s]) {
            if (s >= quint32(table.size())) return fail(QStringLiteral("broken sector chain"));
            if (out.size() >= table.size()) return fail(QStringLiteral("sector chain loops"));
            out.push_back(s);
        }
        return true;
    }

    bool readChain(quint32 start, QByteArray& out)
    {
        QVector<quint32> sectors;
        if (!chain(fat, start, sectors)) return false;
        out.clear();
        out.reserve(sectors.size() * sectorSize);
        QByteArray sector;
        for (quint32 s : sectors) {
            if (!readSector(s, sector)) return false;
            out.append(sector);
        }
        return true;
    }

    bool readFat()
    {
        const quint32 fatSectors = U32(file, 44);
        QVector<quint32> fatSectorIds;
        for (int i = 0; i < 109 && quint32(fatSectorIds.size()) < fatSectors; ++i) fatSectorIds.push_back(U32(file, 76 + 4 * i));
        // Further FAT sector numbers sit in the DIFAT chain.
        quint32 difat = U32(file, 68);
        const qsizetype perDifat = sectorSize / 4 - 1;
        QByteArray sector;
        for (int guard = 0; quint32(fatSectorIds.size()) < fatSectors && difat != kEndOfChain && difat != kFreeSect; ++guard) {
            if (guard > sectorCount() || !readSector(difat, sector)) return fail(QStringLiteral("broken DIFAT"));
            for (qsizetype i = 0; i < perDifat && quint32(fatSectorIds.size()) < fatSectors; ++i)
                fatSectorIds.push_back(U32(sector, 4 * i));
            difat = U32(sector, 4 * perDifat);
        }
        if (quint32(fatSectorIds.size()) < fatSectors) return fail(QStringLiteral("the allocation table is incomplete"));
        for (quint32 id : fatSectorIds) {
            if (!readSector(id, sector)) return false;
            for (qsizetype i = 0; i < sectorSize / 4; ++i) fat.push_back(U32(sector, 4 * i));
        }
        return true;
    }
};

} // namespace

bool HasSignature(const QByteArray& head)
{
    return head.size() >= 8 && std::memcmp(head.constData(), kSignature, 8) == 0;
}

bool ReadStream(const QByteArray& file, const QStringList& names, QByteArray& stream, QString& error)
{
    Reader r{file};
    auto failed = [&] { error = r.error; return false; };
    if (file.size() < kHeaderSize || !HasSignature(file)) { error = QStringLiteral("not a compound file"); return false; }
    const quint16 shift = U16(file, 30);
    if (shift != 9 && shift != 12) { error = QStringLiteral("unknown sector size"); return false; }
    r.sectorSize = qsizetype(1) << shift;
    if (!r.readFat()) return failed();

    QByteArray directory;
    if (!r.readChain(U32(file, 48), directory)) return failed();

    // The root entry (always the first) owns the mini stream.
    if (directory.size() < kDirEntrySize || directory[66] != 5) { error = QStringLiteral("no root entry"); return false; }
    const quint32 cutoff = U32(file, 56);
    for (qsizetype at = 0; at + kDirEntrySize <= directory.size(); at += kDirEntrySize) {
        if (directory[at + 66] != 2) continue;   // streams only
        const int nameBytes = qBound(0, int(U16(directory, at + 64)), 64);
        QString name = QString::fromUtf16(reinterpret_cast<const char16_t*>(directory.constData() + at), nameBytes / 2);
        while (name.endsWith(QChar(0))) name.chop(1);
        if (!names.contains(name, Qt::CaseInsensitive)) continue;

        const quint32 start = U32(directory, at + 116);
        const quint32 size = U32(directory, at + 120);
        QByteArray data;
        if (size >= cutoff) {
            if (!r.readChain(start, data)) return failed();
        } else {
            QByteArray miniStream, miniFatBytes;
            if (!r.readChain(U32(directory, 116), miniStream)) return failed();
            if (!r.readChain(U32(file, 60), miniFatBytes)) return failed();
            QVector<quint32> miniFat;
            for (qsizetype i = 0; i + 4 <= miniFatBytes.size(); i += 4) miniFat.push_back(U32(miniFatBytes, i));
            QVector<quint32> sectors;
            if (!r.chain(miniFat, start, sectors)) return failed();
            for (quint32 s : sectors) {
                if (qsizetype(s + 1) * 64 > miniStream.size()) { error = QStringLiteral("mini sector outside the mini stream"); return false; }
                data.append(miniStream.constData() + qsizetype(s) * 64, 64);
            }
        }
        if (data.size() < qsizetype(size)) { error = QStringLiteral("stream %1 is cut short").arg(name); return false; }
        data.truncate(size);
        stream = data;
        return true;
    }
    error = QStringLiteral("no stream named %1").arg(names.join(QStringLiteral(" or ")));
    return false;
}

QByteArray WriteSingleStream(const QString& name, const QByteArray& data)
{
    constexpr int ss = 512;
    constexpr int perFat = ss / 4;
    QByteArray body = data;
    const qsizetype regularMinimum = kMiniCutoff + ss;   // strictly above the cutoff, whatever a reader compares
    if (body.size() < regularMinimum) body.append(QByteArray(regularMinimum - body.size(), '\0'));
    if (body.size() % ss) body.append(QByteArray(ss - body.size() % ss, '\0'));
    const qsizetype streamSectors = body.size() / ss;

    // Sectors: FAT sectors first, then the directory, then the stream.
    qsizetype fatSectors = 1;
    while (fatSectors * perFat < fatSectors + 1 + streamSectors) ++fatSectors;
    Q_ASSERT(fatSectors <= 109);   // a workbook of up to about 7 MB; no DIFAT needed
    const quint32 dirSector = quint32(fatSectors);
    const quint32 firstData = dirSector + 1;

    QByteArray out(kHeaderSize, '\0');
    std::memcpy(out.data(), kSignature, 8);
    Put16(out, 24, 0x003E);
    Put16(out, 26, 3);
    Put16(out, 28, 0xFFFE);
    Put16(out, 30, 9);
    Put16(out, 32, 6);
    Put32(out, 44, quint32(fatSectors));
    Put32(out, 48, dirSector);
    Put32(out, 56, kMiniCutoff);
    Put32(out, 60, kEndOfChain);
    Put32(out, 68, kEndOfChain);
    for (int i = 0; i < 109; ++i) Put32(out, 76 + 4 * i, i < fatSectors ? quint32(i) : kFreeSect);

    QByteArray fat(fatSectors * ss, '\xFF');
    for (qsizetype i = 0; i < fatSectors; ++i) Put32(fat, 4 * i, kFatSect);
    Put32(fat, 4 * dirSector, kEndOfChain);
    for (qsizetype i = 0; i < streamSectors; ++i)
        Put32(fat, 4 * (firstData + i), i + 1 < streamSectors ? quint32(firstData + i + 1) : kEndOfChain);
    out.append(fat);

    QByteArray dir(ss, '\0');
    auto entry = [&](int index, const QString& entryName, char type, quint32 child, quint32 start, quint32 size) {
        const qsizetype at = qsizetype(index) * kDirEntrySize;
        const QString n = entryName.left(31);
        std::memcpy(dir.data() + at, n.utf16(), n.size() * 2);
        Put16(dir, at + 64, quint16((n.size() + 1) * 2));
        dir[at + 66] = type;
        dir[at + 67] = 1;   // black
        Put32(dir, at + 68, kNoStream);
        Put32(dir, at + 72, kNoStream);
        Put32(dir, at + 76, child);
        Put32(dir, at + 116, start);
        Put32(dir, at + 120, size);
    };
    entry(0, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    entry(1, name, 2, kNoStream, firstData, quint32(body.size()));
    for (int i = 2; i < ss / kDirEntrySize; ++i) {
        const qsizetype at = qsizetype(i) * kDirEntrySize;
        Put32(dir, at + 68, kNoStream);
        Put32(dir, at + 72, kNoStream);
        Put32(dir, at + 76, kNoStream);
    }
    out.append(dir);
    out.append(body);
    return out;
}

} // namespace CompoundFile
