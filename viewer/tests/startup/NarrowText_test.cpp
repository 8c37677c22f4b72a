#include "TestSupport.h"
#include "startup/NarrowText.h"

#include <gtest/gtest.h>

namespace {

TEST(NarrowText, IsUtf8OutsideLegacyLocales)
{
    const QString name = QStringLiteral("推土机 D85");
    EXPECT_EQ(NarrowText::Encode(name), name.toUtf8());
    EXPECT_EQ(NarrowText::Decode(name.toUtf8()), name);
}

TEST(NarrowText, IsGbkOnAGbkLocale)
{
    TestSupport::ScopedLocale gbk("zh_CN.GBK");
    if (!gbk.ok()) GTEST_SKIP() << "no zh_CN.GBK locale here";
    const QByteArray bytes("\xC1\xE3\xBC\xFE D85");   // 零件 D85
    EXPECT_EQ(NarrowText::Decode(bytes), QStringLiteral("零件 D85"));
    EXPECT_EQ(NarrowText::Encode(QStringLiteral("零件 D85")), bytes);
    EXPECT_EQ(NarrowText::Decode(QByteArray("\xC1\xE3\xFF" "A")), QStringLiteral("零\uFFFDA"));
}

} // namespace
