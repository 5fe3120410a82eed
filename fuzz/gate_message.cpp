// Wire text decoding and gate message decoding over arbitrary bytes: decoding stays within
// the capacity it is given and within the text, and the codec's round trips hold.
#include "protocol/EDcode.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace zelto;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype capacity = input.isEmpty() ? 0 : static_cast<quint8>(input[0]) % 48;
    const QByteArrayView text = input.sliced(input.isEmpty() ? 0 : 1);

    // An exactly sized heap buffer, so that the address sanitizer sees any write beyond it.
    std::vector<char> buffer(capacity);
    const qsizetype produced = WireTextToBytes(text, buffer.data(), capacity);
    if (produced < 0 || produced > capacity || produced > MaxWireTextBytes(text.size()))
        abort();

    const TDefaultMessage msg = DecodeMessage(text);
    if (DecodeMessage(DefaultMessageCoder().EncodeMessage(msg)) != msg)
        abort();

    WireTextToString(text);
    const QByteArray encoded = BytesToWireText(input);
    QByteArray decoded(MaxWireTextBytes(encoded.size()), Qt::Uninitialized);
    decoded.truncate(WireTextToBytes(encoded, decoded.data(), decoded.size()));
    if (decoded != input)
        abort();
    return 0;
}
