// Arbitrary bytes as XXTEA cipher text under a key taken from the input, and as an envelope.
// The first byte chooses the key length (0 to 20 bytes).
#include "launch/Xxtea.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelto;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray plain;
    OpenEnvelope(bytes, &plain);
    if (bytes.isEmpty())
        return 0;
    const qsizetype keyLength = qMin<qsizetype>(quint8(bytes[0]) % 21, bytes.size() - 1);
    const QByteArray key = bytes.mid(1, keyLength);
    const QByteArray payload = bytes.mid(1 + keyLength);
    if (XXTEADecrypt(payload, key).size() > payload.size())
        std::abort();
    if (XXTEADecrypt(XXTEAEncrypt(payload, key), key) != payload)
        std::abort();
    return 0;
}
