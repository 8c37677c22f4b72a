#include "BenchData.h"
#include "Fixtures.h"
#include "startup/DataAccess.h"

#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <vector>
#include <QFile>
#include <QTextStream>

namespace BenchData {

namespace {

const QString kStamp = QStringLiteral("bench-data.txt");

QString StampText(Size size) { return QStringLiteral("%1 catalogues x %2 parts\n").arg(size.catalogues).arg(size.parts); }

Fixtures::Catalogue MakeCatalogue(int index, int parts)
{
    const int series = index % 10, sub = index / 10 % 5;
    const QString id = QStringLiteral("BK%1").arg(index, 4, 10, QLatin1Char('0'));
    Fixtures::Catalogue c(id, QStringLiteral("推土机 %1 Bulldozer").arg(id),
                          QStringLiteral("S%1:系列%1 Series %1-S%1.%2:子系列%2 Subseries %2").arg(series).arg(sub),
                          QStringLiteral("V1.%1").arg(index));
    constexpr int chapters = 10, drawingsPerChapter = 10, drawings = chapters * drawingsPerChapter;
    for (int ch = 1; ch <= chapters; ++ch) {
        const QString chapter = QStringLiteral("C%1").arg(ch, 2, 10, QLatin1Char('0'));
        c.Chapter(chapter, QStringLiteral("章节%1 Chapter %1").arg(ch));
        for (int d = 1; d <= drawingsPerChapter; ++d)
            c.Drawing(QStringLiteral("%1-%2").arg(chapter).arg(d, 2, 10, QLatin1Char('0')),
                      QStringLiteral("总成%1 Assembly %1").arg(d), chapter, d);
    }
    for (int p = 0; p < parts; ++p) {
        const int drawing = p % drawings;
        const QString number = QStringLiteral("C%1-%2").arg(drawing / drawingsPerChapter + 1, 2, 10, QLatin1Char('0'))
                                   .arg(drawing % drawingsPerChapter + 1, 2, 10, QLatin1Char('0'));
        const int serial = p / drawings + 1;
        c.Part(number, serial, QStringLiteral("%1-%2-%3").arg(id).arg(drawing).arg(serial),
               QStringLiteral("零件%1 PART %1").arg(p), 2, 12.5 + p % 100, 0.25, 20 + serial * 10, 30 + serial * 5);
    }
    return c;
}

} // namespace

QString LargeDataFolder(const QString& folder, Size size)
{
    QString data = folder;
    if (!data.endsWith(QLatin1Char('/'))) data += QLatin1Char('/');
    QFile stamp(data + kStamp);
    if (stamp.open(QIODevice::ReadOnly) && QString::fromUtf8(stamp.readAll()) == StampText(size)) return data;
    stamp.close();

    QDir(data).removeRecursively();
    if (!QDir().mkpath(data)) throw std::runtime_error(("cannot create " + data).toStdString());
    // One catalogue is built row by row; the others are copies of its file that get their own Root row and
    // part numbers, which is much faster than building each.
    const QString model = data + QStringLiteral("model.sd");
    MakeCatalogue(0, size.parts).WriteDatabase(model);
    for (int i = 0; i < size.catalogues; ++i) {
        const QString dir = data + QStringLiteral("book%1/").arg(i, 4, 10, QLatin1Char('0'));
        const QString file = dir + QStringLiteral("book.sd");
        if (!QDir().mkpath(dir) || !QFile::copy(model, file))
            throw std::runtime_error(("cannot write " + file).toStdString());
        if (i == 0) continue;
        const Fixtures::BookRow root = MakeCatalogue(i, 0).rows.first();
        Connection c;
        c.Open(DatabaseConnectionText(file));
        Transaction t(c);
        c.Execute(QStringLiteral("Update tblBook set 图号='%1', 名称='%2', 归属='%3', 备注='%4' where 级='Root'")
                      .arg(SqlText(root.number.toString()), SqlText(root.name.toString()),
                           SqlText(root.parent.toString()), SqlText(root.remark.toString())));
        c.Execute(QStringLiteral("Update tblBook set 图号=replace(图号, 'BK0000-', '%1-') where 级='P'")
                      .arg(SqlText(root.number.toString())));
        t.Commit();
    }
    QFile::remove(model);
    if (!stamp.open(QIODevice::WriteOnly)) throw std::runtime_error(("cannot write " + data + kStamp).toStdString());
    stamp.write(StampText(size).toUtf8());
    return data;
}

QString DefaultFolder(Size size)
{
    const QString base = qEnvironmentVariable("MARLINEX_BENCH_DATA", QStringLiteral("bench-data"));
    return QDir(base).absoluteFilePath(QStringLiteral("%1x%2").arg(size.catalogues).arg(size.parts));
}

QString FolderFromArguments(const QStringList& arguments, Size size)
{
    return LargeDataFolder(arguments.size() > 1 ? arguments[1] : DefaultFolder(size), size);
}

double MedianSeconds(const std::function<void()>& run, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        times.push_back(t.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace BenchData
