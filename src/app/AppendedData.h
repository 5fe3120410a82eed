#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The data the packing tool appends to the launcher's program image, in file order: the
// skin stream, the configuration block, the 32-bit and the 64-bit first-aid package and
// the trailer. A code signer may append a certificate table after the trailer.
namespace zelto {

inline constexpr qint64 kConfigurationBlockSize = 2348; // the record enciphered twice
inline constexpr qint64 kConfigurationTrailerSize = 16;
inline constexpr qint32 kConfigurationTrailerFlag = 99999999;

// Where a PE32 image whose PE header starts at offset 256 keeps its certificate-table
// entry (file offset and size of the table). The launcher's Windows image has its header
// there; the entry is read at this fixed offset, not derived from the header.
inline constexpr qint64 kCertificateEntryOffset = 408;
// The trailer may end up to this many bytes before the certificate table.
inline constexpr int kMaxCertificateFiller = 87;

// The last 16 bytes before any certificate table: four 32-bit little-endian integers.
struct TConfigurationTrailer {
    qint32 FileSize = 0; // size of the program image; written by the tool, never read back
    qint32 Length32 = 0; // 32-bit first-aid package
    qint32 Length64 = 0; // 64-bit first-aid package
    qint32 Flag = kConfigurationTrailerFlag;

    QByteArray ToBytes() const;
    static TConfigurationTrailer FromBytes(QByteArrayView bytes); // needs 16 bytes
};

// Where the pieces lie in one file of fileSize bytes whose trailer is followed by skip bytes.
struct TAppendedDataLocation {
    qint64 fileSize = 0;
    qint64 skip = 0;
    TConfigurationTrailer trailer;

    qint64 TrailerOffset() const { return fileSize - skip - kConfigurationTrailerSize; }
    qint64 Package64Offset() const { return TrailerOffset() - trailer.Length64; }
    qint64 Package32Offset() const { return Package64Offset() - trailer.Length32; }
    qint64 BlockOffset() const { return Package32Offset() - kConfigurationBlockSize; }
};

// True for a PE32 image whose PE header starts at offset 256: only there does offset 408
// hold the certificate-table entry. `header` is the start of the file (at least 282 bytes
// are needed for a true answer).
bool IsPe32ImageWithHeaderAt256(QByteArrayView header);
inline constexpr qint64 kPe32HeaderProbeSize = 282;

} // namespace zelto
