// The basket file: location, creation when missing, the message when it cannot be opened, and every basket
// statement text on a fixture basket.
#include "Fixtures.h"
#include "ModExplor.h"
#include "TestSupport.h"
#include "basket/BasketStore.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

class Basket : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::SetProgramFolder(program.path());
        ModExplor::LanguageFlag = QVariant();
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Dialogs::Script::Clear();
    }

    // The three lines of the identity examples: one part number under two drawings and two serial numbers.
    void WriteLines()
    {
        Fixtures::WriteBasket(BasketStore::BasketPath(),
                              {{"E100", "1", "6D125-11", "螺栓 BOLT", 1, {}, 12.5, 0.1, 12.5, 0.1},
                               {"E100", "2", "6D125-11", "螺栓 BOLT", 2, {}, 12.5, 0.1, 25, 0.2},
                               {"E110", "1", "6D125-11", "螺栓 BOLT", 1, {}, 12.5, 0.1, 12.5, 0.1},
                               {"T'200", "3", "o'ring-7", "O形圈 O'RING", 1, {}, 3, 0.3, 3, 0.3}});
    }

    int Lookup(const QString& drawing, const QString& serial, const QString& part)
    {
        Connection c;
        BasketStore::Open(c);
        Recordset rs;
        rs.Open(BasketStore::IdentityLookup(drawing, serial, part), c, 1, 3, -1);
        EXPECT_EQ(BasketStore::HasLine(drawing, serial, part), rs.RecordCount() >= 1);
        return rs.RecordCount();
    }

    QStringList Column(const QString& sql, const QString& field)
    {
        Connection c;
        BasketStore::Open(c);
        Recordset rs;
        rs.Open(sql, c, 1, 3, -1);
        QStringList values;
        for (; !rs.Eof(); rs.MoveNext()) values << rs.Fields(field).toString();
        return values;
    }

    ScratchDir program;
};

} // namespace

TEST_F(Basket, PathAndConnectionText)
{
    EXPECT_EQ(BasketStore::BasketPath(), program.path() + "/order.mdb");
    EXPECT_EQ(BasketStore::ConnectionText(),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + program.path() + "/order.mdb;Persist Security Info=False");
    ModExplor::SetProgramFolder("/");
    EXPECT_EQ(BasketStore::BasketPath(), "/order.mdb");
}

TEST_F(Basket, AMissingBasketIsCreatedEmptyAndAnExistingOneIsKept)
{
    ASSERT_FALSE(QFile::exists(BasketStore::BasketPath()));
    Connection c;
    BasketStore::Open(c);
    EXPECT_TRUE(c.IsOpen());
    Recordset rs;
    rs.Open("select * from tblOrder ", c);
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.FieldNames(),
              QStringList({"归属", "序号", "图号", "名称", "数量", "单位", "价格", "单重", "总价", "总重", "顺序号"}));
    c.Close();

    WriteLines();
    BasketStore::CreateIfMissing(BasketStore::BasketPath());
    EXPECT_EQ(Fixtures::ReadBasket(BasketStore::BasketPath()).size(), 4);
    EXPECT_TRUE(Dialogs::Script::Record().isEmpty());
}

TEST_F(Basket, ABasketThatCannotBeOpenedIsReportedOnceWithItsPath)
{
    for (const QVariant language : {QVariant(), QVariant("1")}) {
        ModExplor::LanguageFlag = language;
        ModExplor::SetProgramFolder(program.file("no such folder"));
        Dialogs::Script::Clear();
        for (int i = 0; i < 3; ++i) {
            Connection c;
            EXPECT_THROW(BasketStore::Open(c), DataError);
        }
        ASSERT_EQ(Dialogs::Script::Record().size(), 1);
        const QString prompt = Dialogs::Script::Prompts().first();
        EXPECT_TRUE(prompt.contains(BasketStore::BasketPath()));
        EXPECT_TRUE(prompt.contains(language.isNull() ? "无法打开购物箱" : "cannot be opened")) << prompt.toStdString();

        // Once it opens again, a later failure is told again.
        ModExplor::SetProgramFolder(program.path());
        Connection c;
        BasketStore::Open(c);
    }

    // A damaged Jet basket left by the old program is reported, and not replaced.
    QFile jet(BasketStore::BasketPath());
    ASSERT_TRUE(QFile::remove(BasketStore::BasketPath()));
    ASSERT_TRUE(jet.open(QIODevice::WriteOnly));
    jet.write(QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(4000, '\0'));
    jet.close();
    Dialogs::Script::Clear();
    Connection c;
    EXPECT_THROW(BasketStore::Open(c), DataError);
    ASSERT_EQ(Dialogs::Script::Prompts().size(), 1);
    EXPECT_TRUE(Dialogs::Script::Prompts().first().contains("truncated"));
    EXPECT_EQ(QFileInfo(BasketStore::BasketPath()).size(), 4020);
}

TEST_F(Basket, AReadOnlyProgramFolderIsReportedOnce)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    WriteLines();
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(Lookup("E100", "1", "6D125-11"), 1);   // reading still works
    EXPECT_EQ(Lookup("E100", "2", "6D125-11"), 1);
    ASSERT_EQ(Dialogs::Script::Record().size(), 1);
    EXPECT_TRUE(Dialogs::Script::Prompts().first().contains("只能读取"));
}

TEST_F(Basket, IdentityLookupMatchesAllThreeValues)
{
    WriteLines();
    EXPECT_EQ(BasketStore::IdentityLookup("E100", "1", "6D125-11"),
              "select * from tblOrder where 归属='E100' and 序号='1' and  图号='6D125-11'");
    struct Case { QString drawing, serial, part; int count; };
    const Case cases[] = {
        {"E100", "1", "6D125-11", 1}, {"E100", "2", "6D125-11", 1}, {"E110", "1", "6D125-11", 1},
        {"E110", "2", "6D125-11", 0}, {"E120", "1", "6D125-11", 0}, {"E100", "1", "6D125-12", 0},
        {"T'200", "3", "o'ring-7", 1}, {"t'200", "3", "O'RING-7", 1}, {"T'200", "3", "o'ring-7' or '1'='1", 0},
    };
    for (const Case& k : cases)
        EXPECT_EQ(Lookup(k.drawing, k.serial, k.part), k.count) << k.drawing.toStdString() << " " << k.part.toStdString();
}

TEST_F(Basket, AddingAgainChangesTheLineInPlace)
{
    WriteLines();
    Connection c;
    BasketStore::Open(c);
    {
        Recordset rs;
        rs.Open(BasketStore::IdentityLookup("E100", "2", "6D125-11"), c, 1, 3, -1);
        ASSERT_EQ(rs.RecordCount(), 1);
        const double quantity = rs.Fields("数量").toDouble() + 1;
        rs.SetField("数量", quantity);
        rs.SetField("名称", "螺栓 BOLT M12");
        rs.SetField("价格", 13.0);
        rs.SetField("单重", 0.1);
        rs.SetField("总重", quantity * 0.1);
        rs.SetField("总价", quantity * 13.0);
        rs.Update();
    }
    {
        Recordset rs;
        rs.Open(BasketStore::IdentityLookup("C'1", "1", "x'1"), c, 1, 3, -1);
        ASSERT_EQ(rs.RecordCount(), 0);
        rs.AddNew();
        rs.SetField("归属", "C'1");
        rs.SetField("序号", "1");
        rs.SetField("图号", "x'1");
        rs.SetField("名称", "件 PART");
        rs.SetField("数量", 1);
        rs.SetField("价格", 2.5);
        rs.SetField("单重", 1.0);
        rs.SetField("总重", 1.0);
        rs.SetField("总价", 2.5);
        rs.Update();
    }
    c.Close();
    const QVector<Fixtures::BasketLine> lines = Fixtures::ReadBasket(BasketStore::BasketPath());
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1].quantity.toDouble(), 3);
    EXPECT_EQ(lines[1].totalPrice.toDouble(), 39);
    EXPECT_EQ(lines[1].name, "螺栓 BOLT M12");
    EXPECT_EQ(lines[0].quantity.toDouble(), 1);   // the same part under another serial number is untouched
    EXPECT_EQ(lines[4].part, "x'1");
    EXPECT_TRUE(lines[4].unit.isNull());
    EXPECT_TRUE(lines[4].position.isNull());
}

TEST_F(Basket, WindowAndExportStatements)
{
    WriteLines();
    EXPECT_EQ(Column("select * from tblOrder ", "序号"), QStringList({"1", "2", "1", "3"}));

    // The text export numbers the lines in the file's order and saves each.
    {
        Connection c;
        BasketStore::Open(c);
        Recordset rs;
        rs.Open("select * from tblOrder order by 图号 ,名称", c, 1, 3, -1);
        int n = 1;
        for (; !rs.Eof(); rs.MoveNext()) {
            rs.SetField("顺序号", n++);
            rs.Update();
        }
    }
    EXPECT_EQ(Column("select * from tblOrder ", "顺序号"), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(Column("select * from tblOrder order by 图号 ,名称", "图号"),
              QStringList({"6D125-11", "6D125-11", "6D125-11", "o'ring-7"}));
    EXPECT_EQ(Column("select [图号],[名称],[数量],[单位],[价格],[总价],[单重],[总重],[归属],[序号] from tblOrder order by 归属 ,序号,图号 ,名称",
                     "归属"),
              QStringList({"E100", "E100", "E110", "T'200"}));

    // The quantity edit and the deletions address a line by its three identity values.
    {
        Connection c;
        BasketStore::Open(c);
        Recordset rs;
        rs.Open("select * from tblOrder where 图号='" + SqlText("o'ring-7") + "' and 归属='" + SqlText("T'200") + "' and 序号='"
                    + SqlText("3") + "'",
                c, 1, 3, -1);
        ASSERT_EQ(rs.RecordCount(), 1);
        rs.SetField("数量", "2.5");
        rs.SetField("总价", 7.5);
        rs.Update();
        rs.Close();
        c.Execute("delete from tblOrder where 图号='" + SqlText("6D125-11") + "' and 归属='" + SqlText("E100") + "' and 序号='"
                  + SqlText("2") + "'");
    }
    EXPECT_EQ(Column("select * from tblOrder ", "数量"), QStringList({"1", "1", "2.5"}));
    EXPECT_EQ(Column("select * from tblOrder ", "归属"), QStringList({"E100", "E110", "T'200"}));
}
