// Every catalogue query text the viewer sends, verbatim, on a fixture catalogue; values with apostrophes
// go through SqlText.
#include "Fixtures.h"
#include "TestSupport.h"
#include "catalogue/CatalogueFiles.h"
#include "startup/DataAccess.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

class CatalogueQueries : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fixtures::Catalogue c("D85'A", "推土机 D85 Bulldozer D85", "S1:推土机 Bulldozers-S1.1:D85 D85 Series", "2007版 Edition 2007");
        c.Chapter("C01", "发动机 Engine")
            .Chapter("C02", "底盘 Chassis")
            .Drawing("E100", "气缸盖 Cylinder Head", "C01", 2)
            .Drawing("E110", "气门 Valve", "E100", 3)      // below a drawing
            .Drawing("E090", "缸体 Block", "E110", 1)      // its parent comes later: returned first
            .Drawing("T'200", "履带 Track", "C02", 4)
            .Part("E100", 2, "6D125-11", "螺栓 BOLT", 4, 12.5, 0.1, 120, 80)
            .Part("E100", 1, "6D125-12", "垫片 GASKET", 1, QVariant(), 0.2, 200, 90)
            .Part("E100", 2, "6D125-10", "螺母 NUT", 4, 1, 0.05, 220, 95)
            .Part("E100", 0, "6D125-13", "标牌 PLATE", 1, 2, 0.01, 0, 0)
            .Part("T'200", 1, "o'ring-7", "O形圈 O'RING", 2, 3, 0.3, 50, 60)
            .Part("E110", 1, "6D125-11", "螺栓 BOLT", 2, 12.5, 0.1, 10, 10)
            .Row({"P", "6D125-14", "轴 SHAFT", "E100 ", 5});  // trailing space in 归属: not on E100
        folder = Fixtures::AddToDataFolder(data.path(), "d85", c);
        connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + "book.sd" + ";Persist Security Info=False",
                        "", "", -1);
    }

    QStringList Column(const QString& sql, const QString& field)
    {
        Recordset rs;
        rs.Open(sql, connection, 1, 3, -1);
        QStringList values;
        for (; !rs.Eof(); rs.MoveNext()) values << rs.Fields(field).toString();
        EXPECT_EQ(rs.RecordCount(), values.size());
        return values;
    }

    ScratchDir data;
    QString folder;
    Connection connection;
};

} // namespace

TEST_F(CatalogueQueries, RootChaptersAndDrawings)
{
    EXPECT_EQ(Column("Select * from tblBook where 级 ='Root' ", "图号"), QStringList({"D85'A"}));
    Recordset root;
    root.Open("Select * from tblBook where 级 = 'Root'", connection, 1, 3, -1);
    EXPECT_EQ(root.Fields("归属").toString(), "S1:推土机 Bulldozers-S1.1:D85 D85 Series");
    EXPECT_EQ(root.Fields("备注").toString(), "2007版 Edition 2007");
    EXPECT_EQ(root.Fields("名称").toString(), "推土机 D85 Bulldozer D85");
    EXPECT_EQ(Column("Select * from tblBook where 级 = 'C'", "图号"), QStringList({"C01", "C02"}));
    EXPECT_EQ(Column("Select * from tblBook where 级 = 'D1' order by 序号", "图号"),
              QStringList({"E090", "E100", "E110", "T'200"}));
    EXPECT_EQ(Column("Select * from tblBook where 级 = 'D1' order by 序号", "归属"),
              QStringList({"E110", "C01", "E100", "C02"}));
}

TEST_F(CatalogueQueries, PartsOfADrawingAndItsPicture)
{
    const auto parts = [&](const QString& drawing) {
        return Column("Select * from tblBook where 级 = 'P' and 归属='" + SqlText(drawing) + "' order by 序号, 图号", "图号");
    };
    EXPECT_EQ(parts("E100"), QStringList({"6D125-13", "6D125-12", "6D125-10", "6D125-11"}));
    EXPECT_EQ(parts("T'200"), QStringList({"o'ring-7"}));
    EXPECT_EQ(parts("e110"), QStringList({"6D125-11"}));   // compared without regard to case
    EXPECT_EQ(parts("E999"), QStringList());

    const QString drawing = "T'200";
    const QStringList file = Column("Select * from tblBook where 级 = 'D1' and 图号='" + SqlText(drawing) + "'", "文件");
    ASSERT_EQ(file, QStringList({"T'200.gif"}));
    EXPECT_TRUE(QFile::exists(folder + CatalogueFiles::DrawingPicture(file.first())));
    EXPECT_TRUE(QFile::exists(folder + "T'200.rs_"));
    EXPECT_TRUE(QFile::exists(folder + "Cover.gif"));
}

TEST_F(CatalogueQueries, SearchCarriesTheCatalogueIdentifierOnEveryHit)
{
    const QString head = "select A.*,(select B.图号 from tblBook B where B.级='Root') as CheXingID from tblBook A where 1 ";
    struct Case { QString conditions; QStringList numbers; };
    const Case cases[] = {
        {"and 图号='" + SqlText("6D125-11") + "' ", {"6D125-11", "6D125-11"}},
        {"and 图号 like '%" + SqlText("125-1") + "%' ", {"6D125-11", "6D125-12", "6D125-10", "6D125-13", "6D125-11", "6D125-14"}},
        {" and 名称 = '" + SqlText("螺栓 bolt") + "'", {"6D125-11", "6D125-11"}},
        {" and 名称 like '%" + SqlText("o'ring") + "%'", {"o'ring-7"}},
        {"and 图号 like '%" + SqlText("6D") + "%' " + " and 名称 like '%" + SqlText("nut") + "%'", {"6D125-10"}},
        {"and 图号 like '%" + SqlText("D85") + "%' ", {"D85'A"}},   // any level can be a hit
    };
    for (const Case& k : cases) {
        const QString sql = head + k.conditions;
        EXPECT_EQ(Column(sql, "图号"), k.numbers) << sql.toStdString();
        for (const QString& id : Column(sql, "CheXingID")) EXPECT_EQ(id, "D85'A");
    }
}

TEST_F(CatalogueQueries, PriceUpdateSetsEveryRowOfThatNumber)
{
    connection.Execute("Update tblBook set 价格=" + QString("12.75") + " where 图号='" + SqlText("6D125-11") + "'");
    connection.Execute("Update tblBook set 价格=" + QString("4") + " where 图号='" + SqlText("o'ring-7") + "'");
    connection.Execute("Update tblBook set 价格=" + QString("9") + " where 图号='" + SqlText("absent") + "'");
    EXPECT_EQ(Column("select * from tblBook where 价格=12.75", "归属"), QStringList({"E100", "E110"}));
    EXPECT_EQ(Column("select * from tblBook where 图号='o''ring-7'", "价格"), QStringList({"4"}));
    EXPECT_EQ(Column("select * from tblBook where 价格=9", "图号"), QStringList());
}

TEST(CatalogueFileNames, ANameThatDiffersOnlyInCaseIsFound)
{
    ScratchDir dir;
    const QString folder = dir.path() + "/";
    for (const char* name : {"BOOK.SD", "cover.GIF", "a0123.rs_"}) {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    struct Case { QString name, found; };
    const Case cases[] = {
        {CatalogueFiles::Database, "BOOK.SD"}, {CatalogueFiles::Cover, "cover.GIF"},
        {CatalogueFiles::DrawingPicture("A0123.gif"), "a0123.rs_"}, {"missing.rs_", "missing.rs_"},
    };
    for (const Case& k : cases) EXPECT_EQ(CatalogueFiles::Find(folder, k.name), folder + k.found);
    QFile exact(folder + "book.sd");
    ASSERT_TRUE(exact.open(QIODevice::WriteOnly));
    EXPECT_EQ(CatalogueFiles::Find(folder, "book.sd"), folder + "book.sd");   // the exact name wins
}
