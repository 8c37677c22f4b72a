// Jet files read through cached converted copies, converted in a child process, upgraded before writing.
#include "JetWriter.h"
#include "TestSupport.h"
#include "startup/DataAccess.h"
#include "startup/JetFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <utime.h>

using TestSupport::ScratchDir;

namespace {

jet::Table Parts(int rows, const std::string& prefix)
{
    jet::Table t{"tblBook", {{"级", jet::ColumnType::Text}, {"图号", jet::ColumnType::Text}, {"价格", jet::ColumnType::Double}}, {}};
    t.rows.push_back({std::string("Root"), prefix + "-ROOT", jet::Null});
    for (int i = 1; i < rows; ++i) t.rows.push_back({std::string("P"), prefix + "-" + std::to_string(i), i * 0.5});
    return t;
}

QString WriteJet(const QString& path, int rows, const std::string& prefix = "D65")
{
    jet::WriteJet4(QFile::encodeName(path).toStdString(), {Parts(rows, prefix)});
    return path;
}

// The first value of a query on a SQLite file, as text.
QString Query(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    QString value = QStringLiteral("<cannot open>");
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        value = QStringLiteral("<error>");
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return value;
}

QByteArray Head(const QString& file, int bytes)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.read(bytes);
}

QString Script(const ScratchDir& dir, const QString& name, const QByteArray& body)
{
    QFile f(dir.file(name));
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return f.fileName();
}

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DataError& e) {
        return e.Cause();
    }
    return QString();
}

class JetFilesTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        JetFiles::SetConverterPath(QString());
        JetFiles::SetTimeLimit(20000);
        JetFiles::TakeUpgradedOriginals();
    }
    QStringList CacheEntries() const
    {
        return QDir(JetFiles::CacheFolder()).entryList(QDir::Files | QDir::Hidden);
    }
};

TEST_F(JetFilesTest, CopiesAreConvertedOnceAndRefreshedWhenTheFileChanges)
{
    ScratchDir dir;
    const QString book = WriteJet(dir.file("book.sd"), 300);
    const QString copy = JetFiles::ConvertedCopy(book);
    EXPECT_TRUE(copy.startsWith(JetFiles::CacheFolder()));
    EXPECT_EQ(Query(copy, "select count(*) from tblBook"), "300");
    EXPECT_EQ(Query(copy, "select 图号 from tblBook where 级 = 'root'"), "D65-ROOT");

    // The second opening uses the copy: no converter is needed for it.
    JetFiles::SetConverterPath(dir.file("no-converter"));
    EXPECT_EQ(JetFiles::ConvertedCopy(book), copy);
    JetFiles::SetConverterPath(QString());

    // Same size, another time: a new copy with the new rows, and the stale one removed.
    WriteJet(book, 300, "D85");
    utimbuf times{1700000000, 1700000000};
    ::utime(QFile::encodeName(book).constData(), &times);
    const QString fresh = JetFiles::ConvertedCopy(book);
    EXPECT_NE(fresh, copy);
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(Query(fresh, "select 图号 from tblBook where 级 = 'Root'"), "D85-ROOT");
}

TEST_F(JetFilesTest, FilesTheConverterCannotReadFailToOpenWithoutLeavingAnything)
{
    ScratchDir dir;
    const QString good = WriteJet(dir.file("good.sd"), 500);
    QByteArray bytes = Head(good, 1 << 20);
    auto write = [&](const QString& name, const QByteArray& content) {
        QFile f(dir.file(name));
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return f.fileName();
    };
    const QStringList before = CacheEntries();
    EXPECT_EQ(ErrorOf([&] { JetFiles::ConvertedCopy(write("cut.sd", bytes.left(bytes.size() / 2 + 10))); }),
              "the file is truncated");
    QByteArray noise = bytes;
    for (int i = 4096; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 253);
    EXPECT_FALSE(ErrorOf([&] { JetFiles::ConvertedCopy(write("noise.sd", noise)); }).isEmpty());

    // A reader that hangs is stopped at the time limit; one that crashes is reported, not followed.
    JetFiles::SetTimeLimit(300);
    JetFiles::SetConverterPath(Script(dir, "hang.sh", "touch \"$2.partABCDEF\"; exec sleep 30"));
    EXPECT_EQ(ErrorOf([&] { JetFiles::ConvertedCopy(good); }),
              "reading the Jet file took too long; the file may be damaged");
    JetFiles::SetConverterPath(Script(dir, "crash.sh", "kill -SEGV $$"));
    EXPECT_EQ(ErrorOf([&] { JetFiles::ConvertedCopy(good); }), "the Jet file cannot be read; it may be damaged");
    EXPECT_EQ(CacheEntries(), before);
}

TEST_F(JetFilesTest, UpgradeKeepsTheOriginalBesideAndPutsTheSqliteFileInPlace)
{
    ScratchDir dir;
    const QString book = WriteJet(dir.file("book.sd"), 200);
    const QByteArray jetBytes = Head(book, 1 << 20);

    EXPECT_EQ(JetFiles::UpgradeInPlace(book), book + ".jet");
    EXPECT_EQ(Head(book + ".jet", 1 << 20), jetBytes);
    EXPECT_TRUE(Head(book, 16).startsWith("SQLite format 3"));
    EXPECT_EQ(Query(book, "select count(*) from tblBook where 价格 > 0"), "199");

    // A second Jet file of that name does not overwrite the kept original.
    WriteJet(book, 10);
    EXPECT_EQ(JetFiles::UpgradeInPlace(book), book + ".2.jet");
    EXPECT_EQ(Head(book + ".jet", 1 << 20), jetBytes);
    EXPECT_EQ(JetFiles::TakeUpgradedOriginals(), QStringList({book + ".jet", book + ".2.jet"}));
    EXPECT_TRUE(JetFiles::TakeUpgradedOriginals().isEmpty());

    // A file that cannot be converted stays as it is, with nothing beside it.
    const QString damaged = dir.file("damaged.sd");
    QFile::copy(book + ".jet", damaged);
    QFile f(damaged);
    f.resize(f.size() - 100);
    EXPECT_FALSE(ErrorOf([&] { JetFiles::UpgradeInPlace(damaged); }).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList({"damaged*", ".damaged*"}, QDir::Files | QDir::Hidden),
              QStringList({"damaged.sd"}));
    EXPECT_TRUE(JetFiles::TakeUpgradedOriginals().isEmpty());
}

} // namespace
