#include "app/ConfigurationReader.h"

#include "app/ConfigurationBlock.h"
#include "app/Termination.h"
#include "app/Trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QtEndian>

#include <optional>

namespace zelto {
namespace {

constexpr int kTrailerCandidates = 100;

// Exactly `length` bytes at `offset`, or nothing when that range is not inside the file.
std::optional<QByteArray> ReadRange(QIODevice &file, qint64 offset, qint64 length)
{
    if (offset < 0 || length < 0 || length > file.size() - offset || !file.seek(offset))
        return std::nullopt;
    QByteArray bytes = file.read(length);
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}

qint32 Int32At(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

} // namespace

QString RunningExecutablePath() { return QCoreApplication::applicationFilePath(); }

qint64 SearchTrailerSkip(QIODevice &file)
{
    const std::optional<QByteArray> header = ReadRange(file, 0, kCertificateEntryOffset + 8);
    if (!header || !IsPe32ImageWithHeaderAt256(*header))
        return 0;
    const qint64 certificateOffset = Int32At(*header, kCertificateEntryOffset);
    const qint64 certificateSize = Int32At(*header, kCertificateEntryOffset + 4);
    const qint64 fileSize = file.size();
    if (certificateOffset <= 0 || certificateSize <= 0 || certificateOffset + certificateSize > fileSize)
        return 0;

    // A trailer may end up to 87 bytes before the certificate table; the first candidates
    // overlap the table itself, as the signed launchers in the field were searched.
    for (int i = 0; i < kTrailerCandidates; ++i) {
        const qint64 start = fileSize - certificateSize - 4 - i;
        const std::optional<QByteArray> candidate = ReadRange(file, start, kConfigurationTrailerSize);
        if (!candidate || Int32At(*candidate, 12) != kConfigurationTrailerFlag)
            continue;
        const qint64 skip = certificateOffset + certificateSize - (start + kConfigurationTrailerSize);
        return skip >= 0 && skip <= fileSize - kConfigurationTrailerSize ? skip : 0;
    }
    return 0;
}

qint64 ComputeTrailerSkip(QFile &file)
{
    static QMutex mutex;
    static QHash<QString, qint64> skips;

    const QFileInfo info(file.fileName());
    const QString key = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    QMutexLocker lock(&mutex);
    const auto found = skips.constFind(key);
    if (found != skips.constEnd())
        return *found;
    const qint64 skip = SearchTrailerSkip(file);
    skips.insert(key, skip);
    return skip;
}

QString TConfigurationRead::Describe() const
{
    switch (fault) {
    case TConfigurationFault::None:
        return QStringLiteral("configuration read");
    case TConfigurationFault::Unreadable:
        return QStringLiteral("cannot be opened or read");
    case TConfigurationFault::ShorterThanTrailer:
        return QStringLiteral("is %1 bytes long (%2 after the trailer skip), too short for the %3-byte configuration trailer")
            .arg(location.fileSize).arg(location.fileSize - location.skip).arg(kConfigurationTrailerSize);
    case TConfigurationFault::BlockOutsideFile:
        return QStringLiteral("the configuration block would start at offset %1, outside the file "
                              "(trailer Length32 %2, Length64 %3; file size %4, skip %5)")
            .arg(location.BlockOffset()).arg(location.trailer.Length32).arg(location.trailer.Length64)
            .arg(location.fileSize).arg(location.skip);
    case TConfigurationFault::Undecipherable:
        return QStringLiteral("the configuration block at offset %1 does not decipher to a %2-byte record")
            .arg(location.BlockOffset()).arg(TLauncherConfiguration::kSize);
    }
    return {};
}

std::optional<TAppendedDataLocation> ReadAppendedDataLocation(QIODevice &file, qint64 skip)
{
    TAppendedDataLocation location;
    location.fileSize = file.size();
    location.skip = skip;
    const std::optional<QByteArray> trailer = ReadRange(file, location.TrailerOffset(), kConfigurationTrailerSize);
    if (!trailer)
        return std::nullopt;
    location.trailer = TConfigurationTrailer::FromBytes(*trailer);
    return location;
}

TConfigurationRead ReadConfigurationFrom(QIODevice &file, qint64 skip)
{
    TConfigurationRead read;
    read.location.fileSize = file.size();
    read.location.skip = skip;
    if (!file.isReadable())
        return read;

    const std::optional<TAppendedDataLocation> location = ReadAppendedDataLocation(file, skip);
    if (!location) {
        read.fault = TConfigurationFault::ShorterThanTrailer;
        return read;
    }
    read.location = *location;

    const std::optional<QByteArray> block = ReadRange(file, read.location.BlockOffset(), kConfigurationBlockSize);
    if (!block) {
        read.fault = TConfigurationFault::BlockOutsideFile;
        return read;
    }
    const std::optional<TLauncherConfiguration> record = DecipherConfigurationBlock(*block);
    if (!record) {
        read.fault = TConfigurationFault::Undecipherable;
        return read;
    }
    read.record = *record;
    read.fault = TConfigurationFault::None;
    return read;
}

TConfigurationRead LoadLauncherConfiguration(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadConfigurationFrom(file, ComputeTrailerSkip(file));
}

TLauncherConfiguration ReadLauncherConfiguration(const QString &path)
{
    const TConfigurationRead read = LoadLauncherConfiguration(path);
    if (!read.Ok()) {
        Trace(QStringLiteral("ReadLauncherConfiguration %1: %2").arg(path, read.Describe()));
        RequestApplicationTermination();
    }
    return read.record;
}

QString ReadTitle(const QString &path) { return ReadLauncherConfiguration(path).sTitle.Text(); }

QByteArray ReadSkinStreamFrom(QIODevice &file, const TLauncherConfiguration &record)
{
    return ReadRange(file, record.nSkinOffset, record.nSkinSize).value_or(QByteArray());
}

QByteArray ReadSkinStream(const QString &path)
{
    const TLauncherConfiguration record = ReadLauncherConfiguration(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadSkinStreamFrom(file, record);
}

} // namespace zelto
