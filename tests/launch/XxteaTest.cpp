#include "launch/Xxtea.h"
#include "launch/XxteaBlock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelto {
namespace {

const QByteArray kKey(kEnvironmentKey);

QByteArray Pattern(qsizetype size, int seed = 0)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i * 53 + seed * 7 + (i >> 3));
    return bytes;
}

TEST(XxteaWords, BytesGoLittleEndianWithAZeroPaddedLastWord)
{
    EXPECT_EQ(LittleEndianWords(QByteArray::fromHex("0102030405")), (XxteaWords{0x04030201, 0x05}));
    EXPECT_EQ(LittleEndianBytes({0x04030201, 0x05}), QByteArray::fromHex("0102030405000000"));
    EXPECT_EQ(XxteaKeyFromBytes(kKey), (XxteaKey{0x63573870, 0x52336559, 0x616e, 0}));
}

// Computed with an independent implementation that uses the same length word (the npm
// package xxtea-node 1.1.5).
TEST(Xxtea, MatchesKnownAnswers)
{
    const struct {
        QByteArray plain;
        QByteArray key;
        QByteArray cipherHex;
    } cases[] = {
        {"a", kKey, "f56d3dbd51a94f02"},
        {"{\"channel\":1,\"gm\":2}", kKey, "072d2cf9a67681e24b6e67dc1fd6eb4ae4f3648278fa80f9"},
        {"{\"channel\":1,\"gm\":23}", kKey, "8113ca20ef238e36b6cb099426bf68b5ccfb9e6721a4171a8699c380"},
        {"0123456789abcdef0123456789abcdef0123456789", kKey,
         "426889d5147b26a42fd2e90f201487efef5762649413e900baada23e24fd6aeb142cd116e8e294e4eefced21d1b9b902"},
        {"The quick brown fox", "0123456789abcdef", "717b8dd8e66039d0056c2816986497044154e157aabf09b1"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(XXTEAEncrypt(c.plain, c.key).toHex(), c.cipherHex) << c.plain.constData();
        EXPECT_EQ(XXTEADecrypt(QByteArray::fromHex(c.cipherHex), c.key), c.plain) << c.plain.constData();
    }
}

TEST(Xxtea, CipherHoldsTheDataWordsAndALengthWord)
{
    for (int length = 1; length <= 40; ++length) {
        const QByteArray cipher = XXTEAEncrypt(Pattern(length), kKey);
        EXPECT_EQ(cipher.size(), 4 * ((length + 3) / 4 + 1)) << "length " << length;
    }
    EXPECT_TRUE(XXTEAEncrypt(QByteArray(), kKey).isEmpty());
    EXPECT_TRUE(XXTEADecrypt(QByteArray(), kKey).isEmpty());
}

TEST(Xxtea, RoundTripsUnderTheEnvironmentKeyAndOthers)
{
    const QByteArray keys[] = {kKey, QByteArray(), QByteArray("k"), Pattern(16, 1), Pattern(24, 2)};
    for (const QByteArray &key : keys) {
        for (int length = 1; length <= 40; ++length) {
            const QByteArray plain = Pattern(length, length);
            EXPECT_EQ(XXTEADecrypt(XXTEAEncrypt(plain, key), key), plain) << "length " << length;
        }
    }
}

TEST(Xxtea, KeyBytesPastSixteenAreNotUsed)
{
    const QByteArray plain = Pattern(30);
    EXPECT_EQ(XXTEADecrypt(XXTEAEncrypt(plain, Pattern(16, 3) + "tail"), Pattern(16, 3)), plain);
}

TEST(Xxtea, WrongKeyGivesNothing)
{
    for (int length = 1; length <= 40; ++length)
        EXPECT_TRUE(XXTEADecrypt(XXTEAEncrypt(Pattern(length), kKey), "p8WcYe3Rnb").isEmpty()) << "length " << length;
}

// Enciphers raw words so that the length word can be set to any value: three data words give
// a capacity of 16 bytes, so only lengths 9 to 12 name a last word that holds data.
QByteArray CipherWithLengthWord(int dataWords, quint32 lengthWord)
{
    XxteaWords words = LittleEndianWords(Pattern(4 * dataWords));
    words.push_back(lengthWord);
    XxteaEncryptWords(words, XxteaKeyFromBytes(kKey));
    return LittleEndianBytes(words);
}

TEST(Xxtea, LengthWordMustEndInsideTheLastDataWord)
{
    const struct {
        quint32 lengthWord;
        qsizetype plainSize; // -1: rejected
    } cases[] = {{8, -1}, {9, 9}, {10, 10}, {12, 12}, {13, -1}, {0, -1}, {0xFFFFFFFF, -1}, {0xFFFFFFFD, -1}};
    for (const auto &c : cases) {
        const QByteArray plain = XXTEADecrypt(CipherWithLengthWord(3, c.lengthWord), kKey);
        if (c.plainSize < 0)
            EXPECT_TRUE(plain.isEmpty()) << "length word " << c.lengthWord;
        else
            EXPECT_EQ(plain, Pattern(12).first(c.plainSize)) << "length word " << c.lengthWord;
    }
}

TEST(Xxtea, DamagedCipherShortOfTwoWordsGivesNothing)
{
    for (int size = 1; size <= 5; ++size)
        EXPECT_TRUE(XXTEADecrypt(Pattern(size), kKey).isEmpty()) << "size " << size;
}

TEST(Envelope, IsMarkerThenCipherText)
{
    const QByteArray plain("{\"channel\":1,\"gm\":2}");
    const QByteArray sealed = SealEnvelope(plain);
    EXPECT_TRUE(sealed.startsWith("Hq5tZw2k"));
    EXPECT_EQ(sealed.sliced(8), XXTEAEncrypt(plain, kKey));
    QByteArray opened;
    ASSERT_TRUE(OpenEnvelope(sealed, &opened));
    EXPECT_EQ(opened, plain);
}

TEST(Envelope, OtherMarkerDoesNotOpen)
{
    QByteArray plain("kept");
    EXPECT_FALSE(OpenEnvelope("Hq5tZw2K" + XXTEAEncrypt("x", kKey), &plain));
    EXPECT_FALSE(OpenEnvelope("Hq5t", &plain));
    EXPECT_EQ(plain, QByteArray("kept"));
}

TEST(Envelope, MatchingMarkerWithEmptyOrDamagedCipherGivesEmptyPlain)
{
    for (const QByteArray &envelope : {QByteArray("Hq5tZw2k"), QByteArray("Hq5tZw2k") + Pattern(12)}) {
        QByteArray plain("stale");
        EXPECT_TRUE(OpenEnvelope(envelope, &plain));
        EXPECT_TRUE(plain.isEmpty());
    }
}

class EncryptedFileTest : public ::testing::Test {
protected:
    QByteArray readBack(const QString &path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

TEST_F(EncryptedFileTest, FileSizeIsMarkerPlusLengthWordAndPaddedText)
{
    const QString path = m_dir.filePath(QStringLiteral("env.json"));
    const struct {
        QString text;
        qint64 fileSize;
    } cases[] = {
        {QStringLiteral("{\"channel\":1,\"gm\":2}"), 32}, // 20 bytes
        {QStringLiteral("{\"channel\":1,\"gm\":23}"), 36}, // 21 bytes
        {QStringLiteral(u"{\"u\":\"中\"}"), 8 + 4 * (3 + 1)}, // 11 UTF-8 bytes
    };
    for (const auto &c : cases) {
        WriteEncryptedFile(path, c.text);
        const QByteArray written = readBack(path);
        EXPECT_EQ(written.size(), c.fileSize) << qPrintable(c.text);
        QByteArray plain;
        ASSERT_TRUE(OpenEnvelope(written, &plain));
        EXPECT_EQ(plain, c.text.toUtf8()); // no byte-order mark, no terminator
    }
}

TEST_F(EncryptedFileTest, ReplacesALongerPreviousFile)
{
    const QString path = m_dir.filePath(QStringLiteral("env.json"));
    WriteEncryptedFile(path, QString(500, u'x'));
    WriteEncryptedFile(path, QStringLiteral("{}"));
    EXPECT_EQ(readBack(path).size(), 8 + 8);
}

TEST_F(EncryptedFileTest, UnwritablePathRaisesAnError)
{
    EXPECT_THROW(WriteEncryptedFile(m_dir.filePath(QStringLiteral("missing/env.json")), QStringLiteral("{}")),
                 std::runtime_error);
}

} // namespace
} // namespace zelto
