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

TEST(AnsiCodePage, PrefixNeverSplitsADoubleByteCharacter)
{
    const QByteArray text = ToAnsi(QStringLiteral(u"A中B"));
    const struct {
        qsizetype maxBytes;
        QByteArray kept;
    } cases[] = { { 0, "" }, { 1, "A" }, { 2, "A" }, { 3, ToAnsi(QStringLiteral(u"A中")) }, { 9, text } };
    for (const auto &c : cases)
        EXPECT_EQ(AnsiPrefix(text, c.maxBytes), c.kept) << c.maxBytes;
    // A damaged lead byte at the very end counts as one character.
    EXPECT_EQ(AnsiPrefix(QByteArray("ab\xD6"), 3), QByteArray("ab\xD6"));
}

} // namespace
} // namespace zelto::os
