#include "app/AppendedDataWriter.h"

#include "app/AppendedData.h"
#include "app/ConfigurationBlock.h"

#include <QtEndian>

#include <limits>

namespace zelto {
namespace {

constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();

} // namespace

std::optional<QByteArray> BuildAppendedData(qint64 imageSize, const TAppendedContent &content)
{
    const qint64 total = imageSize + content.skinStream.size() + kConfigurationBlockSize
        + content.package32.size() + content.package64.size() + kConfigurationTrailerSize;
    if (imageSize < 0 || total > kInt32Max)
        return std::nullopt;

    TLauncherConfiguration record = content.record;
    record.nSkinOffset = qint32(imageSize);
    record.nSkinSize = qint32(content.skinStream.size());

    TConfigurationTrailer trailer;
    trailer.FileSize = qint32(imageSize);
    trailer.Length32 = qint32(content.package32.size());
    trailer.Length64 = qint32(content.package64.size());

    QByteArray appended;
    appended.reserve(total - imageSize);
    appended += content.skinStream;
    appended += EncipherConfigurationBlock(record);
    appended += content.package32;
    appended += content.package64;
    appended += trailer.ToBytes();
    return appended;
}

bool AppendCertificateTable(QByteArray &image, const QByteArray &certificateTable, int filler)
{
    if (!IsPe32ImageWithHeaderAt256(image) || filler < 0 || filler > kMaxCertificateFiller
        || certificateTable.isEmpty() || image.size() + filler + certificateTable.size() > kInt32Max)
        return false;
    image.append(filler, '\0');
    const qint32 offset = qint32(image.size());
    image += certificateTable;
    uchar *entry = reinterpret_cast<uchar *>(image.data()) + kCertificateEntryOffset;
    qToLittleEndian<qint32>(offset, entry);
    qToLittleEndian<qint32>(qint32(certificateTable.size()), entry + 4);
    return true;
}

} // namespace zelto
