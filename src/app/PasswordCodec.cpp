#include "app/PasswordCodec.h"

#include "app/BlowfishChain.h"
#include "deploy/Deployment.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <openssl/evp.h>

#include <stdexcept>

namespace zelto {
namespace {

constexpr int kMaxRawKeyBytes = 56;

// Shared with the game client, which deciphers the launch record with it.
const QString kLaunchArgumentPassword =
    QStringLiteral("B7E2D4A9-1C6F-4E83-9A0B-C5F1D8E2A674-3F9C0B7D-6A21-4B8E-D0C3-71E5A9F4B28D");

QByteArray Utf16LeBytes(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString TextFromUtf16Le(const QByteArray &bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<quint16>(bytes.constData(), text.size(), text.data());
    return text;
}

QByteArray Sha1(const QByteArray &bytes)
{
    QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int size = 0;
    if (!EVP_Digest(bytes.constData(), bytes.size(), reinterpret_cast<unsigned char *>(digest.data()),
                    &size, EVP_sha1(), nullptr))
        throw std::runtime_error("SHA-1 is not available");
    digest.truncate(size);
    return digest;
}

QByteArray RandomIv()
{
    quint32 words[2];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof words);
}

QByteArray DecodeBase64(const QString &base64)
{
    return QByteArray::fromBase64(base64.toLatin1());
}

} // namespace

QByteArray PasswordKey(const QString &password)
{
    if (password.isEmpty())
        throw std::invalid_argument("the codec password is empty");
    const QByteArray bytes = Utf16LeBytes(password);
    return bytes.size() <= kMaxRawKeyBytes ? bytes : Sha1(bytes);
}

QByteArray EncryptStreamWithPassword(const QByteArray &plain, const QString &password)
{
    return BlowfishChainEncrypt(plain, PasswordKey(password), RandomIv());
}

QByteArray DecryptStreamWithPassword(const QByteArray &cipher, const QString &password)
{
    return BlowfishChainDecrypt(cipher, PasswordKey(password));
}

QString EncryptTextWithPassword(const QString &text, const QString &password)
{
    return EncryptBytesWithPassword(Utf16LeBytes(text), password);
}

QString DecryptTextWithPassword(const QString &base64, const QString &password)
{
    return TextFromUtf16Le(DecryptStreamWithPassword(DecodeBase64(base64), password));
}

QString EncryptBytesWithPassword(const QByteArray &bytes, const QString &password)
{
    return QString::fromLatin1(EncryptStreamWithPassword(bytes, password).toBase64());
}

QString EncryptConfigString(const QString &text)
{
    return EncryptTextWithPassword(text, deploy::ConfigStringPassword());
}

QString DecryptConfigString(const QString &base64)
{
    return DecryptTextWithPassword(base64, deploy::ConfigStringPassword());
}

QString EncryptLaunchArgument(const QByteArray &bytes)
{
    return EncryptBytesWithPassword(bytes, kLaunchArgumentPassword);
}

QByteArray DecryptLaunchArgument(const QString &base64)
{
    return DecryptStreamWithPassword(DecodeBase64(base64), kLaunchArgumentPassword);
}

} // namespace zelto
