#include "app/BlowfishChain.h"

// Only the block primitive is taken from the library; it is deprecated there as a
// stand-alone cipher, which is exactly how the codec must use it.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>

#include <array>
#include <cstring>
#include <stdexcept>

namespace zelto {
namespace {

using Block = std::array<unsigned char, kBlowfishBlockSize>;

Block LoadBlock(const char *bytes)
{
    Block block;
    std::memcpy(block.data(), bytes, block.size());
    return block;
}

Block Xor(Block a, const Block &b)
{
    for (size_t i = 0; i < a.size(); ++i)
        a[i] ^= b[i];
    return a;
}

void Append(QByteArray &out, const Block &block, int count = kBlowfishBlockSize)
{
    out.append(reinterpret_cast<const char *>(block.data()), count);
}

class Blowfish {
public:
    explicit Blowfish(const QByteArray &key)
    {
        if (key.isEmpty() || key.size() > 56)
            throw std::invalid_argument("a Blowfish key holds 1 to 56 bytes");
        BF_set_key(&m_key, int(key.size()), reinterpret_cast<const unsigned char *>(key.constData()));
    }

    Block encrypt(const Block &in) const { return apply(in, BF_ENCRYPT); }
    Block decrypt(const Block &in) const { return apply(in, BF_DECRYPT); }

private:
    Block apply(const Block &in, int direction) const
    {
        Block out;
        BF_ecb_encrypt(in.data(), out.data(), &m_key, direction);
        return out;
    }

    BF_KEY m_key;
};

// 8-bit CFB: each byte is XORed with the first byte of E(register); the register then
// shifts in the ciphertext byte.
QByteArray Cfb8(const Blowfish &cipher, Block reg, QByteArrayView in, bool decrypting)
{
    QByteArray out(in.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < in.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(in[i]);
        const unsigned char result = byte ^ cipher.encrypt(reg)[0];
        std::memmove(reg.data(), reg.data() + 1, reg.size() - 1);
        reg.back() = decrypting ? byte : result;
        out[i] = static_cast<char>(result);
    }
    return out;
}

} // namespace

QByteArray BlowfishChainEncrypt(const QByteArray &plain, const QByteArray &key, const QByteArray &iv)
{
    Q_ASSERT(iv.size() == kBlowfishBlockSize);
    if (plain.isEmpty())
        return {};
    const Blowfish cipher(key);
    QByteArray out = iv;
    out.reserve(iv.size() + plain.size());
    const qsizetype m = plain.size();
    if (m < kBlowfishBlockSize)
        return out + Cfb8(cipher, LoadBlock(iv.constData()), plain, false);

    const qsizetype blocks = m / kBlowfishBlockSize;
    const int tail = int(m % kBlowfishBlockSize);
    const qsizetype plainCbcBlocks = tail == 0 ? blocks : blocks - 1;
    Block chain = LoadBlock(iv.constData());
    for (qsizetype i = 0; i < plainCbcBlocks; ++i) {
        chain = cipher.encrypt(Xor(LoadBlock(plain.constData() + i * kBlowfishBlockSize), chain));
        Append(out, chain);
    }
    if (tail > 0) {
        // Z = E(Pk ^ Ck-1); the tail plus the end of Z is enciphered on the same Ck-1, and
        // the start of Z stands in for the tail.
        const Block z = cipher.encrypt(Xor(LoadBlock(plain.constData() + plainCbcBlocks * kBlowfishBlockSize), chain));
        Block u = z;
        std::memcpy(u.data(), plain.constData() + blocks * kBlowfishBlockSize, tail);
        Append(out, cipher.encrypt(Xor(u, chain)));
        Append(out, z, tail);
    }
    return out;
}

QByteArray BlowfishChainDecrypt(const QByteArray &cipherText, const QByteArray &key)
{
    if (cipherText.size() <= kBlowfishBlockSize)
        return {};
    const Blowfish cipher(key);
    const Block iv = LoadBlock(cipherText.constData());
    const QByteArrayView body = QByteArrayView(cipherText).sliced(kBlowfishBlockSize);
    const qsizetype m = body.size();
    if (m < kBlowfishBlockSize)
        return Cfb8(cipher, iv, body, true);

    QByteArray out;
    out.reserve(m);
    const qsizetype blocks = m / kBlowfishBlockSize;
    const int tail = int(m % kBlowfishBlockSize);
    const qsizetype plainCbcBlocks = tail == 0 ? blocks : blocks - 1;
    Block chain = iv;
    for (qsizetype i = 0; i < plainCbcBlocks; ++i) {
        const Block c = LoadBlock(body.data() + i * kBlowfishBlockSize);
        Append(out, Xor(cipher.decrypt(c), chain));
        chain = c;
    }
    if (tail > 0) {
        const Block x = Xor(cipher.decrypt(LoadBlock(body.data() + plainCbcBlocks * kBlowfishBlockSize)), chain);
        Block z = x;
        std::memcpy(z.data(), body.data() + blocks * kBlowfishBlockSize, tail);
        Append(out, Xor(cipher.decrypt(z), chain));
        Append(out, x, tail);
    }
    return out;
}

} // namespace zelto
