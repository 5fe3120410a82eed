#include "ui/ZlibStream.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace zelto {
namespace {

constexpr qsizetype kChunk = 64 * 1024;
constexpr qsizetype kMaxZlibInput = std::numeric_limits<uInt>::max();

} // namespace

TInflated InflateZlib(QByteArrayView compressed, qsizetype outputCap)
{
    TInflated result;
    if (compressed.size() > kMaxZlibInput) {
        result.error = QStringLiteral("compressed data too large");
        return result;
    }
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK) {
        result.error = QStringLiteral("zlib cannot start");
        return result;
    }
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = uInt(compressed.size());

    int status = Z_OK;
    while (status == Z_OK) {
        if (result.data.size() >= outputCap) {
            result.error = QStringLiteral("inflates to more than %1 bytes").arg(outputCap);
            break;
        }
        const qsizetype room = std::min(kChunk, outputCap - result.data.size());
        const qsizetype before = result.data.size();
        result.data.resize(before + room);
        stream.next_out = reinterpret_cast<Bytef *>(result.data.data() + before);
        stream.avail_out = uInt(room);
        status = inflate(&stream, Z_NO_FLUSH);
        result.data.resize(before + room - stream.avail_out);
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            result.error = QStringLiteral("the compressed data ends early");
        else if (status != Z_OK && status != Z_STREAM_END)
            result.error = QStringLiteral("damaged compressed data (%1)")
                               .arg(QString::fromLatin1(stream.msg ? stream.msg : "zlib error"));
    }
    inflateEnd(&stream);
    return result;
}

QByteArray DeflateZlib(QByteArrayView data)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray compressed(qsizetype(size), '\0');
    const int status = compress2(reinterpret_cast<Bytef *>(compressed.data()), &size,
                                 reinterpret_cast<const Bytef *>(data.data()), uLong(data.size()), Z_BEST_COMPRESSION);
    Q_ASSERT(status == Z_OK);
    compressed.resize(qsizetype(size));
    return compressed;
}

} // namespace zelto
