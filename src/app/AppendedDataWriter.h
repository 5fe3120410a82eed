#pragma once

#include "app/LauncherConfiguration.h"

#include <QByteArray>

#include <optional>

// Writing what the launcher carries: used by the packing tool and by tests.
namespace zelto {

struct TAppendedContent {
    TLauncherConfiguration record;
    QByteArray skinStream; // the stored skin: enciphered, compressed component stream
    QByteArray package32;  // first-aid packages; empty when absent
    QByteArray package64;
};

// The bytes to append to a program image of imageSize bytes: skin stream, configuration
// block, 32-bit package, 64-bit package, trailer; the record's nSkinOffset and nSkinSize
// are filled in. Nothing when an offset or length would not fit its 32-bit field.
std::optional<QByteArray> BuildAppendedData(qint64 imageSize, const TAppendedContent &content);

// What a code signer does to a PE image: appends `filler` zero bytes (0 to 87) and the
// certificate table, and records the table's offset and size in the certificate entry at
// offset 408. Only a PE32 image with its header at 256 has that entry; writing those 8
// bytes into any other file (our ELF build) would damage it, so such a file is refused:
// false, and the image is left unchanged.
bool AppendCertificateTable(QByteArray &image, const QByteArray &certificateTable, int filler);

} // namespace zelto
