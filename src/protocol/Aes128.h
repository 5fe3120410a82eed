#pragma once

#include <QtGlobal>

#include <array>
#include <span>

// AES-128 (FIPS-197). A 16-byte key or block packs into 4 words little-endian: bytes 4i to
// 4i+3 form word i, byte 4i lowest.
namespace zelto {

// 11 round keys of 4 words; round key r in words 4r to 4r+3.
using TAESExpandedKey128 = std::array<quint32, 44>;
using TAESKey128 = std::array<quint8, 16>;

TAESExpandedKey128 ExpandAESKey128(const TAESKey128 &key);

// The schedule of the equivalent inverse cipher: round keys 1 to 9 through InvMixColumns.
TAESExpandedKey128 InverseAESKey128(const TAESExpandedKey128 &encryptionKey);

// In place, one block.
void EncryptAESBlock(std::span<quint8, 16> block, const TAESExpandedKey128 &encryptionKey);
void DecryptAESBlock(std::span<quint8, 16> block, const TAESExpandedKey128 &decryptionKey);

} // namespace zelto
