#include "app/BlowfishChain.h"
#include "app/PasswordCodec.h"
#include "deploy/Deployment.h"

#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>
#include <openssl/evp.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelto {
namespace {

const QString kPassword28 = QStringLiteral("abcdefghijklmnopqrstuvwxyz01"); // raw-key path
const QString kPassword29 = QStringLiteral("abcdefghijklmnopqrstuvwxyz012"); // SHA-1 path
const QString kConfigPassword1 = QStringLiteral("A1D7E9F2-63B4-4C8A-9E15-7F20C4D6B318");
const QString kConfigPassword2 = QStringLiteral("C5E2A8D3-9F6B-47E0-B2C9-D1A6E83F5074");
const QByteArray kIv = QByteArray::fromHex("0123456789abcdef");

QByteArray Pattern(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i * 37 + 11);
    return bytes;
}

QByteArray Utf16Le(const QString &text)
{
    return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

// The reference the codec's full-block path must match: the library's own Blowfish-CBC.
QByteArray LibraryCbc(const QByteArray &plain, const QByteArray &key, const QByteArray &iv)
{
    BF_KEY schedule;
    BF_set_key(&schedule, int(key.size()), reinterpret_cast<const unsigned char *>(key.constData()));
    QByteArray ivCopy = iv;
    QByteArray out(plain.size(), Qt::Uninitialized);
    BF_cbc_encrypt(reinterpret_cast<const unsigned char *>(plain.constData()),
                   reinterpret_cast<unsigned char *>(out.data()), long(plain.size()), &schedule,
                   reinterpret_cast<unsigned char *>(ivCopy.data()), BF_ENCRYPT);
    return out;
}

QByteArray LibrarySha1(const QByteArray &bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(bytes.constData(), bytes.size(), digest, &size, EVP_sha1(), nullptr);
    return QByteArray(reinterpret_cast<const char *>(digest), size);
}

class PasswordLength : public ::testing::TestWithParam<QString> {};

INSTANTIATE_TEST_SUITE_P(RawAndDigestKey, PasswordLength, ::testing::Values(kPassword28, kPassword29));

TEST_P(PasswordLength, RoundTripsEveryLengthUpTo40WithBodyOfPlaintextLength)
{
    for (int m = 0; m <= 40; ++m) {
        const QByteArray plain = Pattern(m);
        const QByteArray cipher = EncryptStreamWithPassword(plain, GetParam());
        EXPECT_EQ(cipher.size(), m == 0 ? 0 : m + 8) << "length " << m;
        EXPECT_EQ(DecryptStreamWithPassword(cipher, GetParam()), plain) << "length " << m;
    }
}

TEST_P(PasswordLength, FullBlockBodiesEqualLibraryCbcOnTheSameVector)
{
    const QByteArray key = PasswordKey(GetParam());
    for (int m : {8, 16, 40, 2336}) {
        const QByteArray plain = Pattern(m);
        EXPECT_EQ(BlowfishChainEncrypt(plain, key, kIv), kIv + LibraryCbc(plain, key, kIv)) << "length " << m;
    }
}

TEST(PasswordKey, IsTheUtf16LeBytesUpTo28CharactersElseTheirSha1)
{
    EXPECT_EQ(PasswordKey(kPassword28), Utf16Le(kPassword28));
    EXPECT_EQ(PasswordKey(kPassword29), LibrarySha1(Utf16Le(kPassword29)));
    EXPECT_EQ(PasswordKey(QStringLiteral(u"密")), QByteArray::fromHex("c65b"));
}

TEST(PasswordKey, EmptyPasswordIsRejected)
{
    EXPECT_THROW(PasswordKey(QString()), std::invalid_argument);
    EXPECT_THROW(EncryptStreamWithPassword("abc", QString()), std::invalid_argument);
    EXPECT_THROW(DecryptStreamWithPassword(Pattern(20), QString()), std::invalid_argument);
}

// A final partial block of r bytes: the leading full blocks are plain CBC; Z = E(Pk ^ Ck-1)
// gives the last r bytes, and the tail plus the end of Z is enciphered on Ck-1 as well.
TEST(BlowfishChain, FinalPartialBlockFoldsIntoTheLastFullBlock)
{
    const QByteArray key = PasswordKey(kPassword29);
    for (int m : {9, 12, 15, 17, 23, 2332, 2340}) {
        const QByteArray plain = Pattern(m);
        const int r = m % 8;
        const qsizetype fullEnd = m - r;
        const QByteArray cbc = LibraryCbc(plain.first(fullEnd), key, kIv);
        const QByteArray previous = fullEnd == 8 ? kIv : cbc.sliced(fullEnd - 16, 8);
        const QByteArray z = cbc.sliced(fullEnd - 8);
        const QByteArray u = plain.sliced(fullEnd) + z.sliced(r);
        const QByteArray expected = kIv + cbc.first(fullEnd - 8) + LibraryCbc(u, key, previous) + z.first(r);

        const QByteArray cipher = BlowfishChainEncrypt(plain, key, kIv);
        EXPECT_EQ(cipher, expected) << "length " << m;
        EXPECT_EQ(BlowfishChainDecrypt(cipher, key), plain) << "length " << m;
    }
}

TEST(BlowfishChain, ShortMessageIsEightBitFeedbackOnTheVector)
{
    const QByteArray key = PasswordKey(kPassword28);
    const QByteArray keystream = LibraryCbc(QByteArray(8, '\0'), key, kIv); // E(IV)
    for (int m = 1; m < 8; ++m) {
        const QByteArray plain = Pattern(m);
        const QByteArray cipher = BlowfishChainEncrypt(plain, key, kIv);
        ASSERT_EQ(cipher.size(), m + 8);
        EXPECT_EQ(cipher.first(8), kIv);
        EXPECT_EQ(char(cipher[8] ^ keystream[0]), plain[0]) << "length " << m;
        EXPECT_EQ(BlowfishChainDecrypt(cipher, key), plain) << "length " << m;
    }
    // Feedback is the ciphertext byte: changing the first byte changes every later one.
    const QByteArray a = BlowfishChainEncrypt(QByteArray::fromHex("01020304"), key, kIv);
    const QByteArray b = BlowfishChainEncrypt(QByteArray::fromHex("00020304"), key, kIv);
    ASSERT_EQ(a.size(), 12);
    ASSERT_EQ(b.size(), 12);
    for (int i = 9; i < 12; ++i)
        EXPECT_NE(a[i], b[i]) << "byte " << i;
}

TEST(PasswordCodec, DecryptingUpToEightBytesGivesNothing)
{
    for (int size = 0; size <= 8; ++size)
        EXPECT_TRUE(DecryptStreamWithPassword(Pattern(size), kPassword29).isEmpty()) << "size " << size;
}

TEST(PasswordCodec, EachEncryptionDrawsAFreshVector)
{
    const QByteArray plain = Pattern(16);
    EXPECT_NE(EncryptStreamWithPassword(plain, kPassword29).first(8),
              EncryptStreamWithPassword(plain, kPassword29).first(8));
}

TEST(PasswordCodec, WrongPasswordGivesBytesOfTheSameLengthNotAnError)
{
    const QByteArray plain = Pattern(2332);
    const QByteArray other = DecryptStreamWithPassword(EncryptStreamWithPassword(plain, kPassword28), kPassword29);
    EXPECT_EQ(other.size(), plain.size());
    EXPECT_NE(other, plain);
}

TEST(PasswordCodec, ConfigurationBlockTakesTwoPasses)
{
    const QByteArray record = Pattern(2332);
    const QByteArray block = EncryptStreamWithPassword(EncryptStreamWithPassword(record, kConfigPassword2), kConfigPassword1);
    ASSERT_EQ(block.size(), 2348);
    const QByteArray inner = DecryptStreamWithPassword(block, kConfigPassword1);
    ASSERT_EQ(inner.size(), 2340);
    EXPECT_EQ(DecryptStreamWithPassword(inner, kConfigPassword2), record);
}

struct TextCase {
    const char *name;
    QString text;
    int cipherBytes;
};

TEST(PasswordCodecText, TextsRoundTripAsUtf16Le)
{
    const TextCase cases[] = {
        {"empty", QString(), 0},
        {"one character, feedback mode", QStringLiteral("a"), 10},
        {"three characters, feedback mode", QStringLiteral(u"中a文"), 14},
        {"four characters, one block", QStringLiteral("abcd"), 16},
        {"five characters, partial block", QStringLiteral(u"提示信息!"), 18},
        {"surrogate pair and NUL", QStringLiteral(u"x\U0001F600\0y"), 18},
    };
    for (const TextCase &c : cases) {
        const QString base64 = EncryptTextWithPassword(c.text, kPassword29);
        EXPECT_EQ(QByteArray::fromBase64(base64.toLatin1()).size(), c.cipherBytes) << c.name;
        EXPECT_FALSE(base64.contains(u'\n')) << c.name;
        EXPECT_EQ(DecryptTextWithPassword(base64, kPassword29), c.text) << c.name;
    }
}

TEST(PasswordCodecText, OddLastByteIsDropped)
{
    const QByteArray bytes = Utf16Le(QStringLiteral("ok")) + 'x';
    EXPECT_EQ(DecryptTextWithPassword(EncryptBytesWithPassword(bytes, kPassword28), kPassword28), QStringLiteral("ok"));
}

TEST(PasswordCodecText, TextThatIsNotBase64GivesTextNotAnError)
{
    EXPECT_NO_THROW(DecryptTextWithPassword(QStringLiteral(u"%%% 不是 base64 ###"), kPassword28));
    EXPECT_TRUE(DecryptTextWithPassword(QString(), kPassword28).isEmpty());
}

TEST(PasswordCodecText, ConfigStringsUseTheDeploymentPassword)
{
    const QString text = QStringLiteral(u"服务器列表 cache");
    const QString sealed = EncryptConfigString(text);
    EXPECT_EQ(DecryptTextWithPassword(sealed, deploy::ConfigStringPassword()), text);
    EXPECT_EQ(DecryptConfigString(sealed), text);
}

// The deployment's token keys were enciphered by the operator's tooling, not by this code:
// they must decipher to the printable keys of 38 and 18 characters.
TEST(PasswordCodecText, DeploymentTokenKeysDecipherToPrintableKeys)
{
    const struct {
        QString stored;
        int length;
    } keys[] = {{deploy::TokenKeyAStored(), 38}, {deploy::TokenKeyBStored(), 18}};
    for (const auto &key : keys) {
        const QString plain = DecryptConfigString(key.stored);
        ASSERT_EQ(plain.size(), key.length);
        for (QChar c : plain)
            EXPECT_TRUE(c.unicode() > 32 && c.unicode() < 127) << qPrintable(plain);
    }
}

TEST(PasswordCodecText, LaunchArgumentRoundTripsAs764ByteRecord)
{
    const QByteArray record = Pattern(764);
    const QString argument = EncryptLaunchArgument(record);
    EXPECT_EQ(QByteArray::fromBase64(argument.toLatin1()).size(), 772);
    EXPECT_EQ(DecryptLaunchArgument(argument), record);
    EXPECT_EQ(DecryptStreamWithPassword(QByteArray::fromBase64(argument.toLatin1()),
                                        QStringLiteral("B7E2D4A9-1C6F-4E83-9A0B-C5F1D8E2A674-3F9C0B7D-6A21-4B8E-D0C3-71E5A9F4B28D")),
              record);
}

} // namespace
} // namespace zelto
