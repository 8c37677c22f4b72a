// A statement prepared once and run with bound values.
#include "Fixtures.h"
#include "TestSupport.h"
#include "startup/DataAccess.h"

#include <gtest/gtest.h>

TEST(Command, RunsOneStatementWithEachRowsValues)
{
    TestSupport::ScratchDir dir;
    const QString book = dir.file("book.sd");
    Fixtures::Catalogue c(QStringLiteral("K1"));
    c.Chapter("C01", "发动机 Engine").Drawing("E1", "盖 Cover", "C01", 1);
    for (const char* part : {"A'1", "b-2", "C-3"}) c.Part("E1", 1, QString::fromUtf8(part), "件 Part", 1, 1.0);
    c.WriteDatabase(book);

    Connection connection;
    connection.Open(DatabaseConnectionText(book));
    {
        Command update(connection, QStringLiteral("Update tblBook set 价格=? where 图号=?"));
        update.Execute({12.5, QStringLiteral("A'1")});        // an apostrophe is just a character of the value
        update.Execute({QVariant(), QStringLiteral("B-2")});  // Null; the comparison ignores letter case
        update.Execute({7, QStringLiteral("nowhere")});
        EXPECT_THROW(update.Execute({1}), DataError);
        update.Execute({3, QStringLiteral("C-3")});          // still usable after a failure
    }
    EXPECT_THROW(Command(connection, QStringLiteral("Update tblBook set 价格=1; delete from tblBook")), DataError);
    EXPECT_THROW(Command(connection, QStringLiteral("Update nowhere set x=?")), DataError);

    Recordset rs;
    rs.Open(QStringLiteral("select 图号, 价格 from tblBook where 级 = 'P' order by 图号"), connection);
    QStringList rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows << rs.Fields("图号").toString() + '=' + (rs.Fields("价格").isNull() ? QStringLiteral("Null") : rs.Fields("价格").toString());
    EXPECT_EQ(rows, QStringList({"A'1=12.5", "b-2=Null", "C-3=3"}));
}
