// The demo data folder holds what a newcomer should see: merged series, nested drawings, parts with and
// without callouts and prices, shared part numbers, and pictures whose callouts sit at the parts' x and y.
#include "DemoData.h"
#include "TestSupport.h"
#include "catalogue/CatalogueFiles.h"
#include "startup/DataAccess.h"

#include <QImageReader>
#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

struct Row {
    QVariant level, number, name, parent, serial, remark, price, file, x, y;
};

QVector<Row> ReadBook(const QString& folder)
{
    Connection c;
    c.Open(DatabaseConnectionText(folder + CatalogueFiles::Database));
    Recordset rs;
    rs.Open("select * from tblBook", c);
    QVector<Row> rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows << Row{rs.Fields("级"), rs.Fields("图号"), rs.Fields("名称"), rs.Fields("归属"), rs.Fields("序号"),
                    rs.Fields("备注"), rs.Fields("价格"), rs.Fields("文件"), rs.Fields("x"), rs.Fields("y")};
    return rows;
}

QImage ReadPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace

TEST(DemoData, CataloguesHaveEverythingTheViewerShows)
{
    ScratchDir data;
    const QStringList folders = Fixtures::WriteDemoData(data.path());
    ASSERT_GE(folders.size(), 3);
    // One catalogue is in the Jet format users have from the old program; it reads like the others below.
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(), [](const QString& f) {
                  return DetectDatabaseFormat(f + CatalogueFiles::Database) == DatabaseFormat::Jet;
              }),
              1);

    QMap<QString, int> seriesKeys;          // first library path key -> catalogues
    QMap<QString, QSet<QString>> partIn;    // part number -> catalogues
    QSet<QByteArray> pictureFormats;
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        const QVector<Row> rows = ReadBook(folder);
        ASSERT_EQ(rows.first().level.toString(), "Root");
        const Row root = rows.first();
        EXPECT_TRUE(root.name.toString().trimmed().contains(' '));
        EXPECT_FALSE(root.remark.toString().isEmpty());
        const QStringList tokens = root.parent.toString().split('-');
        for (const QString& token : tokens) EXPECT_TRUE(token.contains(':')) << token.toStdString();
        ++seriesKeys[tokens.first().section(':', 0, 0)];
        EXPECT_TRUE(QFile::exists(folder + CatalogueFiles::Cover));
        EXPECT_FALSE(ReadPicture(folder + CatalogueFiles::Cover).isNull());

        QMap<QString, int> drawingSerial;
        int chapters = 0, nested = 0;
        for (const Row& r : rows) {
            if (r.level == "C") ++chapters;
            if (r.level == "D1") drawingSerial[r.number.toString()] = r.serial.toInt();
        }
        EXPECT_GE(chapters, 4);
        EXPECT_GE(drawingSerial.size(), 15);
        for (const Row& r : rows)
            if (r.level == "D1" && drawingSerial.contains(r.parent.toString())) {
                ++nested;
                EXPECT_LT(drawingSerial[r.parent.toString()], r.serial.toInt());   // the parent comes first
            }
        EXPECT_GE(nested, 2);

        int withoutPrice = 0;
        for (const Row& drawing : rows) {
            if (drawing.level != "D1") continue;
            const QString number = drawing.number.toString();
            QVector<Row> parts;
            QMap<QString, int> numberCount;
            for (const Row& r : rows)
                if (r.level == "P" && r.parent.toString() == number) {
                    parts << r;
                    ++numberCount[r.number.toString()];
                    partIn[r.number.toString()] << root.number.toString();
                    if (r.price.isNull()) ++withoutPrice;
                    EXPECT_TRUE(r.name.toString().contains(' '));
                }
            EXPECT_GE(parts.size(), 10) << number.toStdString();
            EXPECT_LE(parts.size(), 40) << number.toStdString();
            EXPECT_TRUE(std::any_of(parts.begin(), parts.end(), [](const Row& r) { return r.serial.toInt() == 0; }));
            EXPECT_TRUE(std::any_of(numberCount.begin(), numberCount.end(), [](int n) { return n >= 2; }));

            const QString picture = folder + CatalogueFiles::DrawingPicture(drawing.file.toString());
            QImageReader reader(picture);
            reader.setDecideFormatFromContent(true);
            pictureFormats << reader.format();
            const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(image.isNull()) << picture.toStdString();
            // Each numbered callout is a dark ring of radius 10 around the part's x and y.
            for (const Row& part : parts) {
                if (part.serial.toInt() == 0) continue;
                const int x = part.x.toInt(), y = part.y.toInt();
                ASSERT_TRUE(image.rect().contains(x, y));
                for (const QPoint ring : {QPoint(x, y - 10), QPoint(x, y + 10), QPoint(x - 10, y), QPoint(x + 10, y)})
                    EXPECT_LT(qGray(image.pixel(ring)), 160) << picture.toStdString() << " at " << x << "," << y;
                EXPECT_GT(qGray(image.pixel(x, y - 7)), 200);   // inside the circle, above the digits: white
            }
        }
        EXPECT_GE(withoutPrice, 1);
    }
    EXPECT_TRUE(std::any_of(seriesKeys.begin(), seriesKeys.end(), [](int n) { return n >= 2; }));
    EXPECT_TRUE(std::any_of(partIn.begin(), partIn.end(), [&](const QSet<QString>& in) { return in.size() == folders.size(); }));
    EXPECT_GE(pictureFormats.size(), 2);
}
