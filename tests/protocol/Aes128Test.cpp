#include "protocol/Aes128.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <openssl/evp.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace zelto {
namespace {

using Block = std::array<quint8, 16>;

Block FromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    Block block {};
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), block.size()), block.begin());
    return block;
}

Block RandomBlock(QRandomGenerator &random)
{
    Block block;
    for (quint8 &byte : block)
        byte = static_cast<quint8>(random.bounded(256));
    return block;
}

QByteArray Hex(const Block &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), block.size()).toHex();
}

// The round keys as the bytes they pack, in the order FIPS-197 prints them.
QByteArray ScheduleHex(const TAESExpandedKey128 &schedule)
{
    QByteArray bytes;
    for (quint32 word : schedule) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>(word >> shift);
    }
    return bytes.toHex();
}

TEST(Aes128, ExpandsTheKeyOfFips197AppendixA1)
{
    const QByteArray expected = "2b7e151628aed2a6abf7158809cf4f3c"
                                "a0fafe1788542cb123a339392a6c7605"
                                "f2c295f27a96b9435935807a7359f67f"
                                "3d80477d4716fe3e1e237e446d7a883b"
                                "ef44a541a8525b7fb671253bdb0bad00"
                                "d4d1c6f87c839d87caf2b8bc11f915bc"
                                "6d88a37a110b3efddbf98641ca0093fd"
                                "4e54f70e5f5fc9f384a64fb24ea6dc4f"
                                "ead27321b58dbad2312bf5607f8d292f"
                                "ac7766f319fadc2128d12941575c006e"
                                "d014f9a8c9ee2589e13f0cc8b6630ca6";
    EXPECT_EQ(ScheduleHex(ExpandAESKey128(FromHex("2b7e151628aed2a6abf7158809cf4f3c"))), expected);
}

TEST(Aes128, PacksWordsLittleEndian)
{
    EXPECT_EQ(ExpandAESKey128(FromHex("000102030405060708090a0b0c0d0e0f"))[0], 0x03020100u);
}

TEST(Aes128, InverseScheduleKeepsFirstAndLastRoundKeys)
{
    const TAESExpandedKey128 forward = ExpandAESKey128(FromHex("2b7e151628aed2a6abf7158809cf4f3c"));
    const TAESExpandedKey128 inverse = InverseAESKey128(forward);
    EXPECT_TRUE(std::equal(forward.begin(), forward.begin() + 4, inverse.begin()));
    EXPECT_TRUE(std::equal(forward.end() - 4, forward.end(), inverse.end() - 4));
    EXPECT_FALSE(std::equal(forward.begin() + 4, forward.end() - 4, inverse.begin() + 4));
}

struct Vector {
    const char *key;
    const char *plain;
    const char *cipher;
};

TEST(Aes128, MatchesFips197VectorsBothWays)
{
    const Vector vectors[] = {
        { "2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
            "3925841d02dc09fbdc118597196a0b32" },
        { "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
            "69c4e0d86a7b0430d8cdb78070b4c55a" },
    };
    for (const Vector &v : vectors) {
        const TAESExpandedKey128 key = ExpandAESKey128(FromHex(v.key));
        Block block = FromHex(v.plain);
        EncryptAESBlock(block, key);
        EXPECT_EQ(Hex(block), v.cipher);
        DecryptAESBlock(block, InverseAESKey128(key));
        EXPECT_EQ(Hex(block), v.plain);
    }
}

TEST(Aes128, AgreesWithLibcryptoOnRandomKeysAndBlocks)
{
    QRandomGenerator random(20240601);
    for (int round = 0; round < 64; ++round) {
        const TAESKey128 key = RandomBlock(random);
        const Block plain = RandomBlock(random);

        Block expected {};
        int written = 0;
        EVP_CIPHER_CTX *context = EVP_CIPHER_CTX_new();
        ASSERT_EQ(EVP_EncryptInit_ex(context, EVP_aes_128_ecb(), nullptr, key.data(), nullptr), 1);
        EVP_CIPHER_CTX_set_padding(context, 0);
        ASSERT_EQ(EVP_EncryptUpdate(context, expected.data(), &written, plain.data(), 16), 1);
        EVP_CIPHER_CTX_free(context);

        Block block = plain;
        EncryptAESBlock(block, ExpandAESKey128(key));
        EXPECT_EQ(Hex(block), Hex(expected));
        DecryptAESBlock(block, InverseAESKey128(ExpandAESKey128(key)));
        EXPECT_EQ(Hex(block), Hex(plain));
    }
}

} // namespace
} // namespace zelto
