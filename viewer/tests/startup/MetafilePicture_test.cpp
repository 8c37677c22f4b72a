// Metafile drawings load like any picture (the content decides) and are drawn as vectors at the shown size.
#include "MetafileWriter.h"
#include "startup/MetafilePicture.h"
#include "startup/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A 120 x 80 drawing: a red bar, a blue disc and (in the WMF) a callout number on white.
const std::vector<metafile::Shape> kShapes = {{metafile::Shape::Rectangle, 10, 10, 110, 30, 0xff0000},
                                              {metafile::Shape::Ellipse, 40, 40, 80, 76, 0x0000ff},
                                              {metafile::Shape::Text, 90, 50, 0, 70, 0x000000, "18"}};

struct Format {
    const char* name;
    std::string bytes;
};

std::vector<Format> Formats()
{
    return {{"wmf", metafile::Wmf(120, 80, kShapes)}, {"emf", metafile::Emf(120, 80, kShapes)}};
}

QImage Render(const Picture& picture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.Paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

TEST(MetafilePicture, LoadsByContentWithTheFrameAsNaturalSizeAndDrawsSharplyWhenZoomed)
{
    QTemporaryDir dir;
    for (const Format& f : Formats()) {
        SCOPED_TRACE(f.name);
        // Drawing pictures are named ".rs_": only the content can tell what they are.
        const Picture picture = Picture::Load(Write(dir, QString("drawing%1.rs_").arg(f.name),
                                                    QByteArray::fromStdString(f.bytes)));
        ASSERT_FALSE(picture.IsNull());
        EXPECT_EQ(picture.NaturalSize(), QSize(120, 80));

        for (int zoom : {1, 5}) {
            SCOPED_TRACE(zoom);
            const QImage image = Render(picture, QSize(120, 80) * zoom);
            auto at = [&](double x, double y) { return image.pixelColor(int(x * zoom), int(y * zoom)).rgb() & 0xffffff; };
            EXPECT_EQ(at(60, 20), 0xff0000u);   // inside the bar
            EXPECT_EQ(at(60, 58), 0x0000ffu);   // centre of the disc
            EXPECT_EQ(at(5, 5), 0xffffffu);     // background
            EXPECT_EQ(at(115, 75), 0xffffffu);
        }
        if (QString(f.name) == "wmf") {   // the callout number is drawn as text in its box
            const QImage image = Render(picture, QSize(240, 160));
            int dark = 0;
            for (int y = 100; y < 140; ++y)
                for (int x = 180; x < 236; ++x) dark += qGray(image.pixel(x, y)) < 100;
            EXPECT_GT(dark, 40);
        }
        // Zoomed five times, the bar's left edge (x = 10, outlined by a pen one picture pixel wide) is still
        // a hard edge: a 120-pixel image blown up would blur it over several screen pixels either side.
        const QImage big = Render(picture, QSize(600, 400));
        EXPECT_EQ(big.pixelColor(44, 100).rgb() & 0xffffff, 0xffffffu);
        EXPECT_EQ(big.pixelColor(53, 100).rgb() & 0xffffff, 0xff0000u);
    }
}

TEST(MetafilePicture, LeavesBytesThatAreNotItsOwnToTheOtherReaders)
{
    QImage png(30, 20, QImage::Format_RGB32);
    png.fill(Qt::green);
    QByteArray pngBytes;
    QBuffer buffer(&pngBytes);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    EXPECT_TRUE(MetafilePicture::LoadWmf(pngBytes).IsNull());
    EXPECT_TRUE(MetafilePicture::LoadEmf(pngBytes).IsNull());

    QTemporaryDir dir;
    const Picture loaded = Picture::Load(Write(dir, "cover.gif", pngBytes));
    EXPECT_EQ(loaded.NaturalSize(), QSize(30, 20));

    // Damaged metafiles: cut headers, cut records, a frame of zero size. Never a crash; an empty picture
    // where nothing can be drawn.
    for (const Format& f : Formats()) {
        SCOPED_TRACE(f.name);
        const QByteArray whole = QByteArray::fromStdString(f.bytes);
        EXPECT_TRUE(Picture::Load(Write(dir, "cut-header.rs_", whole.left(30))).IsNull());
        Picture::Load(Write(dir, "cut-records.rs_", whole.left(whole.size() - 40)));
        QByteArray flat = whole;
        if (QString(f.name) == "wmf") flat[10] = flat[11] = 0;                       // right edge = left edge
        else for (int i = 24; i < 40; ++i) flat[i] = 0;                             // empty frame
        EXPECT_TRUE(Picture::Load(Write(dir, "flat.rs_", flat)).IsNull());
    }
}

} // namespace
