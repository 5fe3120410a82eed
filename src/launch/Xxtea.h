#pragma once

#include <QByteArray>
#include <QString>

// XXTEA (corrected block TEA) with the launcher's length convention, and the envelope it is
// carried in: the 8-byte marker followed by the cipher text under the 10-byte key. The
// environment file and the enciphered server list use it.
namespace zelto {

inline constexpr char kEnvelopeMarker[] = "Hq5tZw2k";
inline constexpr char kEnvironmentKey[] = "p8WcYe3Rna";

// The data's words plus one word holding the data's length, enciphered: 4 * (ceil(L / 4) + 1)
// bytes for L bytes; empty data gives an empty result.
QByteArray XXTEAEncrypt(const QByteArray &data, const QByteArray &key);
// Empty when damaged or wrongly keyed (the length word is out of range).
QByteArray XXTEADecrypt(const QByteArray &data, const QByteArray &key);

QByteArray SealEnvelope(const QByteArray &plain);                  // marker + cipher text
bool OpenEnvelope(const QByteArray &envelope, QByteArray *plain);  // false: marker differs

// Writes Text in the environment-file format (UTF-8, XXTEA, marker), replacing the file.
// Throws std::runtime_error when the file cannot be written.
void WriteEncryptedFile(const QString &fileName, const QString &text);

} // namespace zelto
