#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <stdexcept>

// The token exchange that opens every gate connection: the gate sends a token enciphered
// under key A, the launcher answers with the token's double MD5 enciphered under key B. The
// keys are not kept as such: each is deciphered at run time from the deployment's stored text.
namespace zelto {

class TTokenChallengeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString TokenKeyA();
QString TokenKeyB();

// The token of a challenge payload (wire text of Base64 cipher text). Throws
// TTokenChallengeError when the payload is not such a text.
QString OpenTokenChallenge(QByteArrayView payload);
// The answer payload for a token.
QByteArray BuildTokenAnswer(const QString &token);

// The gate's side, for the simulator and the tests: the challenge payload of a token, and
// whether an answer payload is the right one for it.
QByteArray TokenChallengePayload(const QString &token);
bool IsTokenAnswer(QByteArrayView answerPayload, const QString &token);

} // namespace zelto
