#include "startup/NarrowText.h"

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

TEST(NarrowText, ConvertsGbkBothWaysAndMarksWhatItCannotConvert)
{
    const QByteArray gbk("\xC1\xE3\xBC\xFE D85");   // 零件 D85
    EXPECT_EQ(NarrowText::ToUnicode(gbk, "GBK"), QStringLiteral("零件 D85"));
    EXPECT_EQ(NarrowText::FromUnicode(QStringLiteral("零件 D85"), "GBK"), gbk);
    // A character GBK lacks (outside the basic plane, too) and a byte GBK does not define.
    EXPECT_EQ(NarrowText::FromUnicode(QStringLiteral("零😀件"), "GBK"), QByteArray("\xC1\xE3?\xBC\xFE"));
    EXPECT_EQ(NarrowText::ToUnicode(QByteArray("\xC1\xE3\xFF" "A"), "GBK"), QStringLiteral("零\uFFFDA"));
    // An incomplete last character.
    EXPECT_EQ(NarrowText::ToUnicode(QByteArray("A\xC1"), "GBK"), QStringLiteral("A\uFFFD"));
}

} // namespace
