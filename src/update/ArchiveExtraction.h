#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Unpacking the update packages (RAR archives of the update tools, zip packages of the
// client downloader) through libarchive. Entry names without a Unicode flag are read in code
// page 936, as the system the packages are made on writes them. An entry never writes
// outside the target folder: absolute names, drive names and ".." are refused, and so is
// anything but files and folders (links, devices). Every file is written under a temporary
// name and takes its place only when complete.
namespace zelto {

enum class TArchiveFormat { Rar, Zip };

struct TExtractionOptions {
    // The percentage written of the file being unpacked (0 when it starts, 100 when done).
    std::function<void(int percent)> OnFilePercent;
    // Asked between blocks: true ends the unpacking as failed.
    std::function<bool()> StopRequested;
};

struct TExtractedEntry {
    QString Name;  // as stored, folders separated by "/"
    bool Folder = false;
};

struct TExtraction {
    bool Ok = false;                // every entry was read and written (refused ones aside)
    QString Error;                  // why not
    QList<TExtractedEntry> Entries; // written, in archive order
    QStringList Refused;            // entry names that were not written, and why
};

TExtraction ExtractArchive(const QString &archivePath, TArchiveFormat format, const QString &folder,
    const TExtractionOptions &options = {});

// The entry name as a path inside the target folder ("/" separated, "." parts dropped;
// "\" counts as a separator), or nothing when it would lead outside or is empty.
std::optional<QString> SafeEntryPath(const QString &name);

} // namespace zelto
