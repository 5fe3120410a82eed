#include "protocol/EDcode.h"

#include "app/PasswordCodec.h"
#include "deploy/Deployment.h"
#include "os/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>

namespace zelto {

void PrintTo(const TDefaultMessage &m, std::ostream *out)
{
    *out << "{Recog " << m.Recog << ", Ident " << m.Ident << ", Param " << m.Param << ", Tag "
         << m.Tag << ", Series " << m.Series << "}";
}

namespace {

TMessageCoder CoderWith(const QByteArray &password)
{
    TMessageCoder coder;
    coder.SetPassWord(password);
    return coder;
}

QByteArray DefaultPassword() { return os::ToAnsi(deploy::MessageCoderPassword()); }

TEST(EDcode, HeaderIsTwelvePackedLittleEndianBytes)
{
    EXPECT_EQ(offsetof(TDefaultMessage, Recog), 0u);
    EXPECT_EQ(offsetof(TDefaultMessage, Ident), 4u);
    EXPECT_EQ(offsetof(TDefaultMessage, Param), 6u);
    EXPECT_EQ(offsetof(TDefaultMessage, Tag), 8u);
    EXPECT_EQ(offsetof(TDefaultMessage, Series), 10u);
}

// FIPS-197 C.1 cipher text twice: both blocks hold 00 11 22 .. ff once deciphered.
TEST(EDcode, DecodesAKnownCipherText)
{
    const TMessageCoder coder = CoderWith(QByteArray::fromHex("000102030405060708090a0b0c0d0e0f"));
    const QByteArray block = QByteArray::fromHex("69c4e0d86a7b0430d8cdb78070b4c55a");
    const TDefaultMessage msg = coder.DecodeMessage(BytesToWireText(block + block));
    EXPECT_EQ(msg, (TDefaultMessage { 0x33221100, 0x5544, 0x7766, 0x9988, 0xbbaa }));
}

TEST(EDcode, NewCoderHasNoPasswordAndZeroSchedules)
{
    const TMessageCoder coder;
    EXPECT_TRUE(coder.PassWord().isEmpty());
    EXPECT_EQ(coder.ECKey128(), TAESExpandedKey128 {});
    EXPECT_EQ(coder.DCKey128(), TAESExpandedKey128 {});
}

TEST(EDcode, OnlyTheFirstSixteenPasswordBytesMakeTheKey)
{
    const TMessageCoder sixteen = CoderWith("0123456789abcdef");
    const TMessageCoder longer = CoderWith("0123456789abcdef-and-more");
    EXPECT_EQ(longer.PassWord(), "0123456789abcdef-and-more");
    EXPECT_EQ(longer.ECKey128(), sixteen.ECKey128());
    EXPECT_EQ(longer.DCKey128(), sixteen.DCKey128());

    const TMessageCoder shortOne = CoderWith("abc");
    EXPECT_EQ(shortOne.ECKey128(), CoderWith(QByteArray("abc\0\0\0\0\0\0\0\0\0\0\0\0\0", 16)).ECKey128());
    EXPECT_EQ(shortOne.DCKey128(), InverseAESKey128(shortOne.ECKey128()));
}

TEST(EDcode, EncodedHeaderIsFortyFourCharactersEndingInOnePad)
{
    const QByteArray text = DefaultMessageCoder().EncodeMessage({ 1, 2, 3, 4, 5 });
    ASSERT_EQ(text.size(), kEncodedMessageLength);
    EXPECT_TRUE(text.endsWith('=') && text[42] != '=');
}

TEST(EDcode, EncodeThenDecodeGivesTheHeaderBack)
{
    const TDefaultMessage messages[] = {
        {},
        { -1, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF },
        { 0x7FFFFFFF, 1, 0, 0, 0 },
        { -2147483647 - 1, 0x1234, 0x5678, 0x9ABC, 0xDEF0 },
    };
    const TMessageCoder coders[] = { CoderWith(DefaultPassword()), CoderWith("k"),
        CoderWith("a-server-key-longer-than-sixteen") };
    for (const TMessageCoder &coder : coders) {
        for (const TDefaultMessage &msg : messages)
            EXPECT_EQ(coder.DecodeMessage(coder.EncodeMessage(msg)), msg) << coder.PassWord().constData();
    }
}

TEST(EDcode, AnotherKeyGivesAnotherHeader)
{
    const TDefaultMessage msg { 7, 100, 1, 2, 3 };
    const QByteArray text = CoderWith("server-one").EncodeMessage(msg);
    EXPECT_NE(CoderWith("server-two").DecodeMessage(text), msg);
}

// The header sits in the first block, so text that still carries its 16 bytes decodes it;
// missing bytes are zero, extra text is ignored.
TEST(EDcode, ShortAndLongTextDecodeWithinTheTwoBlocks)
{
    const TDefaultMessage msg { 42, 0x0102, 3, 4, 5 };
    const TMessageCoder coder = CoderWith("short-and-long");
    const QByteArray text = coder.EncodeMessage(msg);
    for (int length : { 22, 24, 43 })
        EXPECT_EQ(coder.DecodeMessage(text.left(length)), msg) << length;
    EXPECT_NE(coder.DecodeMessage(text.left(20)), msg);
    EXPECT_EQ(coder.DecodeMessage(text + "body text after the header"), msg);
    EXPECT_EQ(coder.DecodeMessage(""), coder.DecodeMessage(QByteArray(43, '<') + "="));
}

TEST(EDcode, DefaultCoderUsesTheFirstSixteenCharactersOfTheDeploymentPassword)
{
    EXPECT_EQ(DefaultMessageCoder().PassWord(), DefaultPassword());
    EXPECT_EQ(DefaultMessageCoder().ECKey128(), CoderWith(DefaultPassword().left(16)).ECKey128());
    const TDefaultMessage msg { 1, 2, 3, 4, 5 };
    EXPECT_EQ(DecodeMessage(CoderWith(DefaultPassword()).EncodeMessage(msg)), msg);
}

// Every case here touches the process-wide coder, so each one puts the default back.
class ServerKey : public ::testing::Test {
protected:
    void TearDown() override { DefaultMessageCoder().SetPassWord(DefaultPassword()); }
};

TEST_F(ServerKey, KeyThatDeciphersToNothingLeavesTheCoderAlone)
{
    DefaultMessageCoder().SetPassWord("previous-server");
    const TAESExpandedKey128 before = DefaultMessageCoder().DCKey128();
    for (const QString &key : { QString(), QStringLiteral(u"AAAA"), QStringLiteral(u"AAAAAAAAAAA="),
             QStringLiteral(u"!!!!"), QStringLiteral(u"中文") }) {
        ApplyServerKey(key);
        EXPECT_EQ(DefaultMessageCoder().PassWord(), "previous-server") << key.toStdString();
        EXPECT_EQ(DefaultMessageCoder().DCKey128(), before);
    }
}

TEST_F(ServerKey, DecipheredKeyBecomesThePasswordInTheAnsiCodePage)
{
    const QString password = QStringLiteral(u"服务器密钥-2");
    ApplyServerKey(EncryptConfigString(password));
    EXPECT_EQ(DefaultMessageCoder().PassWord(), os::ToAnsi(password));
    const TDefaultMessage msg { 9, 8, 7, 6, 5 };
    EXPECT_EQ(DecodeMessage(CoderWith(os::ToAnsi(password)).EncodeMessage(msg)), msg);
}

} // namespace
} // namespace zelto
