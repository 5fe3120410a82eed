#include "protocol/GateToken.h"

#include "app/Digests.h"
#include "app/PasswordCodec.h"
#include "deploy/Deployment.h"
#include "protocol/WireText.h"

#include <algorithm>

namespace zelto {
namespace {

constexpr qsizetype kCipherIvBytes = 8;

bool IsWireText(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return WireValue(c) != kNotWireValue; });
}

// Base64 text of a cipher that holds at least one UTF-16 character after its vector.
bool IsCipherText(const QString &base64)
{
    const auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return decoded && decoded.decoded.size() >= kCipherIvBytes + 2;
}

QString DoubleMd5(const QString &token) { return StrMD5(StrMD5(token)); }

} // namespace

QString TokenKeyA() { return DecryptConfigString(deploy::TokenKeyAStored()); }
QString TokenKeyB() { return DecryptConfigString(deploy::TokenKeyBStored()); }

QString OpenTokenChallenge(QByteArrayView payload)
{
    if (!IsWireText(payload))
        throw TTokenChallengeError("the token challenge is not wire text");
    const QString cipher = WireTextToString(payload);
    if (!IsCipherText(cipher))
        throw TTokenChallengeError("the token challenge holds no cipher text");
    QString token = DecryptTextWithPassword(cipher, TokenKeyA());
    if (token.isEmpty())
        throw TTokenChallengeError("the token challenge holds an empty token");
    return token;
}

QByteArray BuildTokenAnswer(const QString &token)
{
    return StringToWireText(EncryptTextWithPassword(DoubleMd5(token), TokenKeyB()));
}

QByteArray TokenChallengePayload(const QString &token)
{
    return StringToWireText(EncryptTextWithPassword(token, TokenKeyA()));
}

bool IsTokenAnswer(QByteArrayView answerPayload, const QString &token)
{
    if (!IsWireText(answerPayload))
        return false;
    const QString cipher = WireTextToString(answerPayload);
    return IsCipherText(cipher) && DecryptTextWithPassword(cipher, TokenKeyB()) == DoubleMd5(token);
}

} // namespace zelto
