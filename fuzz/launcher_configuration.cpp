// Arbitrary file contents as a launcher file: the trailer search, the configuration block
// and the skin range never reach outside the file, whatever the trailer and the bytes at
// the certificate entry say.
#include "app/ConfigurationReader.h"
#include "ui/SkinStream.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zelto;
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);

    const qint64 skip = SearchTrailerSkip(file);
    if (skip < 0 || (skip > 0 && skip > qint64(size) - kConfigurationTrailerSize))
        std::abort();
    const TConfigurationRead read = ReadConfigurationFrom(file, skip);
    if (!read.Ok())
        return 0;
    const qint64 block = read.location.BlockOffset();
    if (block < 0 || block + kConfigurationBlockSize > qint64(size))
        std::abort();
    const QByteArray skin = ReadSkinStreamFrom(file, read.record);
    if (skin.size() != 0 && skin.size() != read.record.nSkinSize)
        std::abort();
    DecodeSkinStream(skin);
    return 0;
}
