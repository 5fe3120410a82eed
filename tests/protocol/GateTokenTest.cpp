#include "app/Digests.h"
#include "app/PasswordCodec.h"
#include "protocol/GateToken.h"
#include "protocol/WireText.h"

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(GateToken, KeysAreDecipheredFromTheirStoredTexts)
{
    EXPECT_EQ(TokenKeyA().size(), 38);
    EXPECT_EQ(TokenKeyB().size(), 18);
}

TEST(GateToken, AnswerIsTheDoubleDigestUnderKeyB)
{
    const QString token = QStringLiteral(u"令牌-0123456789ABCDEF");
    EXPECT_EQ(OpenTokenChallenge(TokenChallengePayload(token)), token);

    const QByteArray answer = BuildTokenAnswer(token);
    EXPECT_EQ(DecryptTextWithPassword(WireTextToString(answer), TokenKeyB()), StrMD5(StrMD5(token)));
    EXPECT_TRUE(IsTokenAnswer(answer, token));
    EXPECT_FALSE(IsTokenAnswer(answer, token + QLatin1Char('x')));
    EXPECT_FALSE(IsTokenAnswer("not#wire!text", token));
}

TEST(GateToken, PayloadsWithoutATokenAreRefused)
{
    const QByteArray underKeyB = StringToWireText(EncryptTextWithPassword(QStringLiteral("token"), TokenKeyB()));
    const QByteArray cases[] = {
        QByteArray(),
        "contains spaces and !",                  // not wire text
        StringToWireText(QStringLiteral("abc")),  // wire text, but no Base64 cipher
        StringToWireText(QStringLiteral("QUJD")), // Base64 of three bytes: shorter than the vector
    };
    for (const QByteArray &payload : cases)
        EXPECT_THROW(OpenTokenChallenge(payload), TTokenChallengeError) << payload.constData();
    // Under the wrong key a challenge opens to a token the gate did not issue.
    EXPECT_NE(OpenTokenChallenge(underKeyB), QStringLiteral("token"));
}

} // namespace
} // namespace zelto
