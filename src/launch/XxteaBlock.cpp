#include "launch/XxteaBlock.h"

#include <QtEndian>

#include <algorithm>

namespace zelto {
namespace {

constexpr quint32 kDelta = 0x9E3779B9;

quint32 Mix(quint32 y, quint32 z, quint32 sum, size_t p, quint32 e, const XxteaKey &k)
{
    return (((z >> 5) ^ (y << 2)) + ((y >> 3) ^ (z << 4))) ^ ((sum ^ y) + (k[(p & 3) ^ e] ^ z));
}

quint32 Rounds(size_t n) { return quint32(6 + 52 / n); }

} // namespace

XxteaWords LittleEndianWords(QByteArrayView bytes)
{
    XxteaWords words((bytes.size() + 3) / 4, 0);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        words[i / 4] |= quint32(quint8(bytes[i])) << (8 * (i % 4));
    return words;
}

QByteArray LittleEndianBytes(const XxteaWords &words)
{
    QByteArray bytes(qsizetype(words.size()) * 4, Qt::Uninitialized);
    qToLittleEndian<quint32>(words.data(), qsizetype(words.size()), bytes.data());
    return bytes;
}

XxteaKey XxteaKeyFromBytes(QByteArrayView key)
{
    const XxteaWords words = LittleEndianWords(key.first(std::min<qsizetype>(key.size(), 16)));
    XxteaKey k{};
    std::copy(words.begin(), words.end(), k.begin());
    return k;
}

void XxteaEncryptWords(XxteaWords &v, const XxteaKey &key)
{
    const size_t n = v.size();
    if (n < 2)
        return;
    quint32 sum = 0;
    quint32 z = v[n - 1];
    for (quint32 round = Rounds(n); round > 0; --round) {
        sum += kDelta;
        const quint32 e = (sum >> 2) & 3;
        for (size_t p = 0; p < n; ++p) {
            const quint32 y = v[(p + 1) % n];
            z = v[p] += Mix(y, z, sum, p, e, key);
        }
    }
}

void XxteaDecryptWords(XxteaWords &v, const XxteaKey &key)
{
    const size_t n = v.size();
    if (n < 2)
        return;
    quint32 sum = Rounds(n) * kDelta;
    quint32 y = v[0];
    for (quint32 round = Rounds(n); round > 0; --round) {
        const quint32 e = (sum >> 2) & 3;
        for (size_t p = n; p-- > 0;) {
            const quint32 z = v[(p + n - 1) % n];
            y = v[p] -= Mix(y, z, sum, p, e, key);
        }
        sum -= kDelta;
    }
}

} // namespace zelto
