#include "app/AppendedData.h"

#include <QtEndian>

namespace zelto {
namespace {

constexpr qint64 kPeHeaderOffsetField = 0x3C;
constexpr qint64 kPeHeaderOffset = 256;
constexpr qint64 kOptionalHeaderMagicOffset = kPeHeaderOffset + 24;
constexpr quint16 kPe32Magic = 0x10B;

} // namespace

QByteArray TConfigurationTrailer::ToBytes() const
{
    QByteArray bytes(kConfigurationTrailerSize, '\0');
    uchar *out = reinterpret_cast<uchar *>(bytes.data());
    qToLittleEndian<qint32>(FileSize, out);
    qToLittleEndian<qint32>(Length32, out + 4);
    qToLittleEndian<qint32>(Length64, out + 8);
    qToLittleEndian<qint32>(Flag, out + 12);
    return bytes;
}

TConfigurationTrailer TConfigurationTrailer::FromBytes(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() >= kConfigurationTrailerSize);
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    return { qFromLittleEndian<qint32>(in), qFromLittleEndian<qint32>(in + 4),
             qFromLittleEndian<qint32>(in + 8), qFromLittleEndian<qint32>(in + 12) };
}

bool IsPe32ImageWithHeaderAt256(QByteArrayView header)
{
    if (header.size() < kPe32HeaderProbeSize || !header.startsWith("MZ"))
        return false;
    const uchar *bytes = reinterpret_cast<const uchar *>(header.data());
    return qFromLittleEndian<quint32>(bytes + kPeHeaderOffsetField) == kPeHeaderOffset
        && header.sliced(kPeHeaderOffset, 4) == QByteArrayView("PE\0\0", 4)
        && qFromLittleEndian<quint16>(bytes + kOptionalHeaderMagicOffset) == kPe32Magic;
}

} // namespace zelto
