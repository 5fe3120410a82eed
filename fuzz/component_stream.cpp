// Arbitrary bytes as a component stream: the reader keeps within the bytes and its limits,
// and whatever it read writes and reads back to the same stream. The same bytes also go
// through the whole stored-skin path (compress, encipher, decipher, inflate, read).
#include "ui/ComponentStream.h"
#include "ui/SkinStream.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelto;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TComponentStreamRead read = ReadComponentStream(bytes);
    if (read.errorOffset > bytes.size())
        std::abort();

    const TComponentStreamWrite once = WriteComponentStream(read.root);
    if (once.Ok()) {
        const TComponentStreamRead again = ReadComponentStream(once.bytes);
        const TComponentStreamWrite twice = WriteComponentStream(again.root);
        if (!again.Complete() || !twice.Ok() || twice.bytes != once.bytes)
            std::abort();
    }

    if (size > 0 && (data[0] & 1)) {
        const TComponentStreamRead decoded = DecodeSkinStream(PackSkinStream(bytes));
        if (decoded.errorOffset != read.errorOffset || decoded.error != read.error)
            std::abort();
    }
    return 0;
}
