#pragma once

#include "ui/ComponentStream.h"
#include "ui/ZlibStream.h"

#include <QByteArray>

// The skin as the launcher carries it: a component stream, compressed with zlib and
// enciphered with the password codec under the deployment's skin password.
namespace zelto {

// The largest component stream a skin may inflate to; real skins, pictures included, are
// a few megabytes.
inline constexpr qsizetype kMaxSkinComponentStreamSize = 32 * 1024 * 1024;

// Decipher and inflate; what could be inflated is kept when the stored skin is cut short.
TInflated UnpackSkinStream(const QByteArray &stored);
// Decipher, inflate and read into a tree, keeping what was read before any error.
TComponentStreamRead DecodeSkinStream(const QByteArray &stored);

QByteArray PackSkinStream(const QByteArray &componentStream);
// Write, compress and encipher; the error of the writer when the tree cannot be written
// or its stream would be larger than the launcher reads.
TComponentStreamWrite EncodeSkinStream(const TComponentNode &root);

} // namespace zelto
