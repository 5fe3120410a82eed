#include "update/ArchiveExtraction.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <clocale>
#include <locale.h>
#include <memory>

namespace zelto {
namespace {

constexpr std::size_t kReadBlockSize = 256 * 1024;

// libarchive converts entry names to the calling thread's character set: make it UTF-8
// for the time of one unpacking, whatever the process's locale is.
class TUtf8NamesScope {
public:
    TUtf8NamesScope()
    {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
        FPrevious = utf8 ? uselocale(utf8) : locale_t(nullptr);
    }
    ~TUtf8NamesScope()
    {
        if (FPrevious)
            uselocale(FPrevious);
    }
    TUtf8NamesScope(const TUtf8NamesScope &) = delete;
    TUtf8NamesScope &operator=(const TUtf8NamesScope &) = delete;

private:
    locale_t FPrevious = locale_t(nullptr);
};

struct TArchiveCloser {
    void operator()(archive *reader) const { archive_read_free(reader); }
};
using TArchivePtr = std::unique_ptr<archive, TArchiveCloser>;

TArchivePtr OpenReader(const QString &path, TArchiveFormat format, QString &error)
{
    TArchivePtr reader(archive_read_new());
    if (format == TArchiveFormat::Rar) {
        archive_read_support_format_rar(reader.get());
        archive_read_support_format_rar5(reader.get());
    } else {
        archive_read_support_format_zip(reader.get());
    }
    archive_read_set_options(reader.get(), "hdrcharset=CP936");
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), kReadBlockSize) != ARCHIVE_OK) {
        error = QString::fromUtf8(archive_error_string(reader.get()));
        return nullptr;
    }
    return reader;
}

QString EntryName(archive_entry *entry)
{
    const char *utf8 = archive_entry_pathname_utf8(entry);
    if (utf8)
        return QString::fromUtf8(utf8);
    const char *raw = archive_entry_pathname(entry);
    return raw ? QString::fromUtf8(raw) : QString();
}

bool Stopped(const TExtractionOptions &options) { return options.StopRequested && options.StopRequested(); }

void Percent(const TExtractionOptions &options, qint64 done, qint64 size)
{
    if (options.OnFilePercent)
        options.OnFilePercent(size > 0 ? int(std::min<qint64>(100, done * 100 / size)) : 100);
}

// The entry's mode as file permissions: the owner may always read and write; nobody gains
// write access or set-id bits from a package.
QFileDevice::Permissions PermissionsOf(mode_t mode)
{
    mode = (mode & 0755) | 0600;
    const int owner = (mode >> 6) & 7;
    return QFileDevice::Permissions::fromInt((owner << 12) | (owner << 8) | (((mode >> 3) & 7) << 4) | (mode & 7));
}

// Writes the entry's data to `path`; the error, empty on success.
QString WriteFile(archive *reader, archive_entry *entry, const QString &path, const TExtractionOptions &options)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    const qint64 size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
    qint64 written = 0;
    Percent(options, 0, size);
    for (;;) {
        if (Stopped(options))
            return QStringLiteral("stopped");
        const void *block = nullptr;
        size_t length = 0;
        la_int64_t offset = 0;
        const int status = archive_read_data_block(reader, &block, &length, &offset);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN)
            return QString::fromUtf8(archive_error_string(reader));
        if (offset != written && !file.seek(offset))
            return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        if (file.write(static_cast<const char *>(block), qint64(length)) != qint64(length))
            return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        written = offset + qint64(length);
        Percent(options, written, size);
    }
    if (!file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    QFile::setPermissions(path, PermissionsOf(archive_entry_perm(entry)));
    return QString();
}

} // namespace

std::optional<QString> SafeEntryPath(const QString &name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')) || (path.size() >= 2 && path.at(1) == QLatin1Char(':')) || path.contains(QChar(0)))
        return std::nullopt;
    QStringList parts;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return std::nullopt;
        if (part != QLatin1String("."))
            parts << part;
    }
    if (parts.isEmpty())
        return std::nullopt;
    return parts.join(QLatin1Char('/'));
}

TExtraction ExtractArchive(const QString &archivePath, TArchiveFormat format, const QString &folder,
    const TExtractionOptions &options)
{
    TExtraction result;
    const TUtf8NamesScope names;
    const TArchivePtr reader = OpenReader(archivePath, format, result.Error);
    if (!reader)
        return result;
    const QDir target(folder);
    if (!QDir().mkpath(folder)) {
        result.Error = QStringLiteral("cannot create %1").arg(folder);
        return result;
    }
    archive_entry *entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN) {
            result.Error = QString::fromUtf8(archive_error_string(reader.get()));
            return result;
        }
        const QString name = EntryName(entry);
        const std::optional<QString> relative = SafeEntryPath(name);
        const mode_t type = archive_entry_filetype(entry);
        if (!relative || (type != AE_IFREG && type != AE_IFDIR)) {
            result.Refused << (relative ? QStringLiteral("%1: neither a file nor a folder") : QStringLiteral("%1: outside the folder")).arg(name);
            continue;
        }
        const QString path = target.filePath(*relative);
        if (type == AE_IFDIR) {
            if (!QDir().mkpath(path)) {
                result.Error = QStringLiteral("cannot create %1").arg(path);
                return result;
            }
            result.Entries.append({*relative, true});
            continue;
        }
        if (!QDir().mkpath(QFileInfo(path).path())) {
            result.Error = QStringLiteral("cannot create the folder of %1").arg(path);
            return result;
        }
        result.Error = WriteFile(reader.get(), entry, path, options);
        if (!result.Error.isEmpty())
            return result;
        result.Entries.append({*relative, false});
    }
    result.Ok = true;
    return result;
}

} // namespace zelto
