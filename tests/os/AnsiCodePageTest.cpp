#include "os/AnsiCodePage.h"

#include <gtest/gtest.h>

namespace zelto::os {
namespace {

TEST(AnsiCodePage, EncodesChineseAndEuroAsCodePage936)
{
    EXPECT_EQ(ToAnsi(QStringLiteral(u"A中€")).toHex(), QByteArray("41d6d080"));
    EXPECT_EQ(FromAnsi(QByteArray::fromHex("41d6d080")), QStringLiteral(u"A中€"));
}

TEST(AnsiCodePage, CharacterOutsideTheCodePageBecomesQuestionMark)
{
    EXPECT_EQ(ToAnsi(QStringLiteral(u"x\u0E01y")), QByteArray("x?y"));
}

TEST(AnsiCodePage, EmptyTextStaysEmpty)
{
    EXPECT_TRUE(ToAnsi(QString()).isEmpty());
    EXPECT_TRUE(FromAnsi(QByteArray()).isEmpty());
}

} // namespace
} // namespace zelto::os
