#include "protocol/Aes128.h"

namespace zelto {
namespace {

using Table = std::array<quint8, 256>;
using Block = std::span<quint8, 16>;
using Column = std::array<quint8, 4>;

constexpr int kRounds = 10;

constexpr quint8 Times2(quint8 a) { return static_cast<quint8>((a << 1) ^ (a & 0x80 ? 0x1B : 0)); }

// Powers of the generator 3 and their logarithms: products and inverses by table.
struct FieldTables {
    Table power {};
    Table logarithm {};
};

constexpr FieldTables MakeFieldTables()
{
    FieldTables field;
    quint8 p = 1;
    for (int k = 0; k < 255; ++k, p ^= Times2(p)) {
        field.power[k] = p;
        field.logarithm[p] = static_cast<quint8>(k);
    }
    return field;
}

constexpr FieldTables kField = MakeFieldTables();

constexpr quint8 Multiply(quint8 a, quint8 b)
{
    return a == 0 || b == 0 ? 0 : kField.power[(kField.logarithm[a] + kField.logarithm[b]) % 255];
}

constexpr quint8 Inverse(quint8 a) { return a == 0 ? 0 : kField.power[(255 - kField.logarithm[a]) % 255]; }

constexpr quint8 RotateLeft(quint8 a, int n) { return static_cast<quint8>((a << n) | (a >> (8 - n))); }

// The S-box is the affine map of the multiplicative inverse.
constexpr Table MakeSBox()
{
    Table box {};
    for (int i = 0; i < 256; ++i) {
        const quint8 q = Inverse(static_cast<quint8>(i));
        box[i] = q ^ RotateLeft(q, 1) ^ RotateLeft(q, 2) ^ RotateLeft(q, 3) ^ RotateLeft(q, 4) ^ 0x63;
    }
    return box;
}

constexpr Table InvertTable(const Table &table)
{
    Table inverse {};
    for (int i = 0; i < 256; ++i)
        inverse[table[i]] = static_cast<quint8>(i);
    return inverse;
}

constexpr Table kSBox = MakeSBox();
constexpr Table kInverseSBox = InvertTable(kSBox);

constexpr Column kMix { 2, 3, 1, 1 };
constexpr Column kInverseMix { 14, 11, 13, 9 };

// Row r of the result is the sum over k of coefficients[(k - r) mod 4] times a[k].
Column MixColumn(const Column &a, const Column &coefficients)
{
    Column mixed {};
    for (int r = 0; r < 4; ++r) {
        for (int k = 0; k < 4; ++k)
            mixed[r] ^= Multiply(coefficients[(k - r + 4) % 4], a[k]);
    }
    return mixed;
}

Column Unpack(quint32 word)
{
    return { static_cast<quint8>(word), static_cast<quint8>(word >> 8),
        static_cast<quint8>(word >> 16), static_cast<quint8>(word >> 24) };
}

quint32 Pack(const Column &c) { return c[0] | c[1] << 8 | c[2] << 16 | quint32(c[3]) << 24; }

quint32 SubWord(quint32 word)
{
    Column c = Unpack(word);
    for (quint8 &byte : c)
        byte = kSBox[byte];
    return Pack(c);
}

// [a0 a1 a2 a3] to [a1 a2 a3 a0] with a0 the lowest byte.
quint32 RotWord(quint32 word) { return (word >> 8) | (word << 24); }

void AddRoundKey(Block state, const TAESExpandedKey128 &key, int round)
{
    for (int c = 0; c < 4; ++c) {
        const Column k = Unpack(key[4 * round + c]);
        for (int r = 0; r < 4; ++r)
            state[4 * c + r] ^= k[r];
    }
}

void Substitute(Block state, const Table &table)
{
    for (quint8 &byte : state)
        byte = table[byte];
}

// Row r moves r columns to the left (or to the right when inverse).
void ShiftRows(Block state, bool inverse)
{
    std::array<quint8, 16> old;
    std::copy(state.begin(), state.end(), old.begin());
    for (int c = 0; c < 4; ++c) {
        for (int r = 1; r < 4; ++r) {
            const int from = inverse ? (c - r + 4) % 4 : (c + r) % 4;
            state[4 * c + r] = old[4 * from + r];
        }
    }
}

void MixColumns(Block state, const Column &coefficients)
{
    for (int c = 0; c < 4; ++c) {
        const Column mixed = MixColumn({ state[4 * c], state[4 * c + 1], state[4 * c + 2],
                                           state[4 * c + 3] },
            coefficients);
        std::copy(mixed.begin(), mixed.end(), state.begin() + 4 * c);
    }
}

} // namespace

TAESExpandedKey128 ExpandAESKey128(const TAESKey128 &key)
{
    TAESExpandedKey128 w {};
    for (int i = 0; i < 4; ++i)
        w[i] = Pack({ key[4 * i], key[4 * i + 1], key[4 * i + 2], key[4 * i + 3] });
    quint8 roundConstant = 0x01;
    for (int i = 4; i < int(w.size()); ++i) {
        quint32 temp = w[i - 1];
        if (i % 4 == 0) {
            temp = SubWord(RotWord(temp)) ^ roundConstant;
            roundConstant = Times2(roundConstant);
        }
        w[i] = w[i - 4] ^ temp;
    }
    return w;
}

TAESExpandedKey128 InverseAESKey128(const TAESExpandedKey128 &encryptionKey)
{
    TAESExpandedKey128 dw = encryptionKey;
    for (int i = 4; i < 4 * kRounds; ++i)
        dw[i] = Pack(MixColumn(Unpack(dw[i]), kInverseMix));
    return dw;
}

void EncryptAESBlock(Block block, const TAESExpandedKey128 &encryptionKey)
{
    AddRoundKey(block, encryptionKey, 0);
    for (int round = 1; round <= kRounds; ++round) {
        Substitute(block, kSBox);
        ShiftRows(block, false);
        if (round < kRounds)
            MixColumns(block, kMix);
        AddRoundKey(block, encryptionKey, round);
    }
}

void DecryptAESBlock(Block block, const TAESExpandedKey128 &decryptionKey)
{
    AddRoundKey(block, decryptionKey, kRounds);
    for (int round = kRounds - 1; round >= 0; --round) {
        Substitute(block, kInverseSBox);
        ShiftRows(block, true);
        if (round > 0)
            MixColumns(block, kInverseMix);
        AddRoundKey(block, decryptionKey, round);
    }
}

} // namespace zelto
