#pragma once

#include <QByteArray>
#include <QString>

// The password-keyed Blowfish codec shared by the configuration block, the skin stream, the
// launch argument, the server keys, the server-list cache and the gate's token exchange.
// Ciphertext = 8-byte random IV + body of the plaintext's length; an empty plaintext gives
// an empty ciphertext. A wrong password yields meaningless bytes, never an error; an empty
// password throws std::invalid_argument.
namespace zelto {

// The Blowfish key of a password: its UTF-16LE bytes when they are 56 or fewer, else their
// SHA-1 digest.
QByteArray PasswordKey(const QString &password);

QByteArray EncryptStreamWithPassword(const QByteArray &plain, const QString &password);
QByteArray DecryptStreamWithPassword(const QByteArray &cipher, const QString &password);

// Text forms: the text's UTF-16LE bytes, ciphertext as standard Base64. Decryption drops an
// odd last byte.
QString EncryptTextWithPassword(const QString &text, const QString &password);
QString DecryptTextWithPassword(const QString &base64, const QString &password);
QString EncryptBytesWithPassword(const QByteArray &bytes, const QString &password);

// Under the deployment's configuration string password.
QString EncryptConfigString(const QString &text);
QString DecryptConfigString(const QString &base64);

// Under the launch-argument password; Base64 text for the client's command line.
QString EncryptLaunchArgument(const QByteArray &bytes);
QByteArray DecryptLaunchArgument(const QString &base64);

} // namespace zelto
