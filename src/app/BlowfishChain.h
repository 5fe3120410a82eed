#pragma once

#include <QByteArray>

// The chaining the password codec puts around the Blowfish block: CBC on an 8-byte vector
// carried in front of the body; a body shorter than one block is enciphered byte by byte in
// 8-bit CFB; a final partial block is folded into the last full block so that the body keeps
// the plaintext's length. The key is the raw Blowfish key (1 to 56 bytes).
namespace zelto {

inline constexpr int kBlowfishBlockSize = 8;

// iv (8 bytes) followed by the enciphered body; an empty plaintext gives an empty result.
QByteArray BlowfishChainEncrypt(const QByteArray &plain, const QByteArray &key, const QByteArray &iv);

// The plaintext of iv + body; fewer than 9 bytes give an empty result.
QByteArray BlowfishChainDecrypt(const QByteArray &cipher, const QByteArray &key);

} // namespace zelto
