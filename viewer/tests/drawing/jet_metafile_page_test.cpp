// The catalogues users have: a Jet book.sd whose drawings are metafiles shows like any other catalogue.
#include "DrawingWindow.h"
#include "MetafileWriter.h"
#include "catalogue/CatalogueFiles.h"
#include "drawing/DrawingPage.h"
#include "drawing/Zoom.h"
#include "startup/DataAccess.h"

#include <QFile>

using namespace DrawingPage;

namespace {

// Two drawings on pictures of 600 x 300 pixels, callouts at (100, 40) and (300, 150).
Fixtures::Catalogue Catalogue()
{
    Fixtures::Catalogue c(QStringLiteral("OLD-1"));
    c.pictureSize = QSize(300, 150);   // the raster pictures the metafiles replace: another size
    c.Chapter(QStringLiteral("C01"), QStringLiteral("发动机 Engine"));
    for (const char* drawing : {"W100", "E100"}) {
        const QString d = QString::fromLatin1(drawing);
        c.Drawing(d, QStringLiteral("气缸盖 Cylinder Head"), QStringLiteral("C01"), d.startsWith('W') ? 1 : 2, d + ".gif")
            .Part(d, 1, d + "-1", QStringLiteral("螺栓 BOLT M12"), 2, 12.5, 1.5, 100, 40)
            .Part(d, 2, d + "-2", QStringLiteral("垫片 GASKET"), 1, QVariant(), 0.25, 300, 150);
    }
    return c;
}

// The drawing as the old program's catalogues carry it: callout circles with their numbers.
std::vector<metafile::Shape> Callouts()
{
    return {{metafile::Shape::Rectangle, 150, 60, 450, 240, 0x808080},
            {metafile::Shape::Ellipse, 90, 30, 110, 50, 0xffffff},
            {metafile::Shape::Text, 96, 32, 0, 48, 0x000000, "1"},
            {metafile::Shape::Ellipse, 290, 140, 310, 160, 0xffffff},
            {metafile::Shape::Text, 296, 142, 0, 158, 0x000000, "2"}};
}

void Write(const QString& path, const std::string& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
}

class JetMetafilePage : public DrawingWindow {};

} // namespace

TEST_F(JetMetafilePage, MetafileDrawingsOfAJetCatalogueShowWithHotspotsOnTheirCallouts)
{
    Open(Catalogue());
    Fixtures::SaveAsJet(folder + CatalogueFiles::Database);
    ASSERT_EQ(DetectDatabaseFormat(folder + CatalogueFiles::Database), DatabaseFormat::Jet);
    Write(folder + "W100.rs_", metafile::Wmf(600, 300, Callouts()));
    Write(folder + "E100.rs_", metafile::Emf(600, 300, Callouts()));

    for (const char* key : {"BW100", "BE100"}) {
        SCOPED_TRACE(key);
        Click(QString::fromLatin1(key));
        ASSERT_EQ(frm->LVpart->Count(), 2);
        EXPECT_EQ(Cell(1, PartNumber), QString::fromLatin1(key).mid(1) + "-1");
        EXPECT_EQ(Cell(1, UnitPrice), "12.5");
        EXPECT_EQ(Cell(1, TotalPrice), "25");
        EXPECT_TRUE(frm->imgMain->HasPicture());
        EXPECT_FLOAT_EQ(frm->NaturalWidth, 9000);   // the metafile's frame, 600 x 300 pixels
        EXPECT_FLOAT_EQ(frm->NaturalHeight, 4500);
        Zoom::Size fitted;
        ASSERT_TRUE(Zoom::FitSize(frm->S1->OuterWidth(), frm->S1->OuterHeight(), 9000, 4500, fitted));
        EXPECT_FLOAT_EQ(frm->imgMain->Width(), fitted.width);
        const float scale = fitted.width / 9000;
        ASSERT_EQ(frm->HotImg->UBound(), 2);
        EXPECT_FLOAT_EQ(frm->HotImg->Element(1)->Left(), (100 * scale - 8) * 15);
        EXPECT_FLOAT_EQ(frm->HotImg->Element(1)->Top(), (40 * frm->imgMain->Height() / 4500 - 8) * 15);
        EXPECT_FLOAT_EQ(frm->HotImg->Element(2)->Left(), (300 * scale - 8) * 15);
        EXPECT_TRUE(frm->HotImg->Element(2)->isVisible());
    }
    // Reading never touched the Jet file.
    EXPECT_EQ(DetectDatabaseFormat(folder + CatalogueFiles::Database), DatabaseFormat::Jet);
    EXPECT_FALSE(QFile::exists(folder + CatalogueFiles::Database + ".jet"));
}
