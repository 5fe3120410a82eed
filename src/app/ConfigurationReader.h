#pragma once

#include "app/AppendedData.h"
#include "app/LauncherConfiguration.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;
class QIODevice;

// Reading what the launcher carries from its own program file (or, in tests and the
// packing tool, from any file). No file content, however damaged or short, makes a read
// go outside the file.
namespace zelto {

QString RunningExecutablePath();

// The number of bytes after the trailer: the certificate table and the filler before it
// in a signed PE image, 0 otherwise. Looks at the certificate-table entry only in a PE32
// image with its header at offset 256, so a file of another kind (our ELF build) never
// misfires. Not cached.
qint64 SearchTrailerSkip(QIODevice &file);

// SearchTrailerSkip once per process and file: the first result for a file path is
// returned by every later call for that path (the launcher reads its own file several
// times at start; a tool reading several files gets each file's own skip).
qint64 ComputeTrailerSkip(QFile &file);

enum class TConfigurationFault {
    None,
    Unreadable,        // cannot be opened or read
    ShorterThanTrailer,
    BlockOutsideFile,  // the trailer's package lengths put the block outside the file
    Undecipherable,    // the block deciphers to fewer than 2332 bytes
};

struct TConfigurationRead {
    TConfigurationFault fault = TConfigurationFault::Unreadable;
    TAppendedDataLocation location; // as far as the trailer could be read
    TLauncherConfiguration record;  // zero unless fault is None

    bool Ok() const { return fault == TConfigurationFault::None; }
    // One line naming the file's problem and the trailer fields behind it.
    QString Describe() const;
};

// Where the trailer of a file whose trailer is followed by `skip` bytes puts the appended
// pieces; nothing when the file is too short to hold a trailer there. The lengths are the
// trailer's as stored: check a piece's range against the file before reading it.
std::optional<TAppendedDataLocation> ReadAppendedDataLocation(QIODevice &file, qint64 skip);

TConfigurationRead ReadConfigurationFrom(QIODevice &file, qint64 skip);
// Opens the file read-only and uses the per-file skip of ComputeTrailerSkip.
TConfigurationRead LoadLauncherConfiguration(const QString &path);

// The launcher's readers. On failure they request application termination (no message)
// and give a zero record, an empty title, an empty stream.
TLauncherConfiguration ReadLauncherConfiguration(const QString &path = RunningExecutablePath());
QString ReadTitle(const QString &path = RunningExecutablePath());
// The stored skin: nSkinSize bytes at nSkinOffset. Empty when that range is not inside
// the file (the window then keeps its built-in shell).
QByteArray ReadSkinStream(const QString &path = RunningExecutablePath());
QByteArray ReadSkinStreamFrom(QIODevice &file, const TLauncherConfiguration &record);

} // namespace zelto
