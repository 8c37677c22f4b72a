#include "startup/NarrowText.h"

#include <QCoreApplication>
#include <clocale>
#include <gtest/gtest.h>

namespace {

TEST(NarrowText, UsesUtf8OutsideLegacyLocales)
{
    // The tests run in a UTF-8 or C locale, where the narrow set is UTF-8.
    EXPECT_EQ(NarrowText::Charset(), QByteArray("UTF-8"));
    const QString name = QStringLiteral("推土机 D85");
    EXPECT_EQ(NarrowText::FromUnicode(name), name.toUtf8());
    EXPECT_EQ(NarrowText::ToUnicode(name.toUtf8()), name);
}

// The build makes a zh_CN.GBK locale of its own beside the tests.
class GbkLocale : public ::testing::Test {
protected:
    QByteArray previousLocpath = qgetenv("LOCPATH");
    std::string previousLocale = std::setlocale(LC_ALL, nullptr);
    void SetUp() override
    {
        qputenv("LOCPATH", (QCoreApplication::applicationDirPath() + QStringLiteral("/../locale")).toLocal8Bit());
        if (!std::setlocale(LC_ALL, "zh_CN.GBK")) GTEST_SKIP() << "no zh_CN.GBK locale was built";
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, previousLocale.c_str());
        qputenv("LOCPATH", previousLocpath);
    }
};

TEST_F(GbkLocale, ConvertsBothWaysAndMarksWhatItCannotConvert)
{
    EXPECT_EQ(NarrowText::Charset(), QByteArray("GBK"));
    const QByteArray gbk("\xC1\xE3\xBC\xFE D85");   // 零件 D85
    EXPECT_EQ(NarrowText::ToUnicode(gbk), QStringLiteral("零件 D85"));
    EXPECT_EQ(NarrowText::FromUnicode(QStringLiteral("零件 D85")), gbk);
    EXPECT_EQ(NarrowText::ToUnicode(QByteArray("\xC1\xE3\xFF" "A")), QStringLiteral("零\uFFFDA"));
}

} // namespace
