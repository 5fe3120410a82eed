#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <vector>

// The XXTEA block cipher of Wheeler and Needham (corrected block TEA) on 32-bit words, and
// the little-endian conversions between bytes and words it is used with.
namespace zelto {

using XxteaKey = std::array<quint32, 4>;
using XxteaWords = std::vector<quint32>;

// Byte i goes to bits 8 * (i mod 4) of word i / 4; a short last word is padded with zeros.
XxteaWords LittleEndianWords(QByteArrayView bytes);
QByteArray LittleEndianBytes(const XxteaWords &words);

// The key bytes as words, extended with zero words; the cipher reads only the first four.
XxteaKey XxteaKeyFromBytes(QByteArrayView key);

// In place; fewer than two words stay unchanged.
void XxteaEncryptWords(XxteaWords &v, const XxteaKey &key);
void XxteaDecryptWords(XxteaWords &v, const XxteaKey &key);

} // namespace zelto
