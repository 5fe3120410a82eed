#include "os/ExecutableVersion.h"

#include <QFile>
#include <QtEndian>

#include <climits>
#include <optional>

namespace zelto::os {
namespace {

constexpr quint32 kResourceTypeVersion = 16;
constexpr int kResourceDirectoryIndex = 2;
constexpr int kMaxSections = 96;            // the PE format's own limit
constexpr int kMaxElfSections = 4096;
constexpr quint32 kElfNoBits = 8;

// Reads pieces of a file by offset; a piece that does not lie wholly inside gives nothing.
class TFileView {
public:
    explicit TFileView(QIODevice &file) : FFile(file), FSize(file.size()) {}

    std::optional<QByteArray> At(qint64 offset, qint64 length) const
    {
        if (offset < 0 || length < 0 || offset > FSize || length > FSize - offset || !FFile.seek(offset))
            return std::nullopt;
        QByteArray bytes = FFile.read(length);
        if (bytes.size() != length)
            return std::nullopt;
        return bytes;
    }

private:
    QIODevice &FFile;
    qint64 FSize;
};

template <typename T>
T Little(const QByteArray &bytes, qsizetype at) { return qFromLittleEndian<T>(bytes.constData() + at); }

template <typename T>
T Read(const QByteArray &bytes, qsizetype at, bool bigEndian)
{
    return bigEndian ? qFromBigEndian<T>(bytes.constData() + at) : qFromLittleEndian<T>(bytes.constData() + at);
}

// --- PE -------------------------------------------------------------------------------

struct TPeSection {
    quint32 VirtualAddress = 0;
    quint32 VirtualSize = 0;
    quint32 RawSize = 0;
    quint32 RawOffset = 0;
};

class TPeImage {
public:
    explicit TPeImage(const TFileView &view) : FView(view) {}

    QByteArray VersionBlock()
    {
        if (!ReadHeaders())
            return {};
        // Type, then the first name, then the first language: three levels.
        std::optional<quint32> directory = EntryOf(0, kResourceTypeVersion);
        for (int level = 0; directory && level < 2; ++level)
            directory = FirstEntryOf(*directory);
        if (!directory || (*directory & 0x80000000u))
            return {};
        const std::optional<QByteArray> dataEntry = ResourceBytes(*directory, 16);
        if (!dataEntry)
            return {};
        const quint32 dataRva = Little<quint32>(*dataEntry, 0);
        const quint32 size = Little<quint32>(*dataEntry, 4);
        if (size > kMaxVersionBlockSize)
            return {};
        const std::optional<qint64> offset = FileOffsetOf(dataRva);
        return offset ? FView.At(*offset, size).value_or(QByteArray()) : QByteArray();
    }

private:
    bool ReadHeaders()
    {
        const std::optional<QByteArray> dos = FView.At(0, 64);
        if (!dos || !dos->startsWith("MZ"))
            return false;
        const qint64 peOffset = Little<quint32>(*dos, 0x3C);
        const std::optional<QByteArray> coff = FView.At(peOffset, 24);
        if (!coff || !coff->startsWith(QByteArrayView("PE\0\0", 4)))
            return false;
        const int sectionCount = Little<quint16>(*coff, 6);
        const int optionalSize = Little<quint16>(*coff, 20);
        const qint64 optionalOffset = peOffset + 24;
        const std::optional<QByteArray> optional = FView.At(optionalOffset, optionalSize);
        if (!optional || optionalSize < 2 || sectionCount > kMaxSections)
            return false;
        const quint16 magic = Little<quint16>(*optional, 0);
        const qsizetype countAt = magic == 0x20B ? 108 : 92;
        const qsizetype directoriesAt = countAt + 4;
        if ((magic != 0x10B && magic != 0x20B) || optional->size() < directoriesAt + 8 * (kResourceDirectoryIndex + 1)
            || Little<quint32>(*optional, countAt) <= quint32(kResourceDirectoryIndex))
            return false;
        FResourceRva = Little<quint32>(*optional, directoriesAt + 8 * kResourceDirectoryIndex);
        const std::optional<QByteArray> table = FView.At(optionalOffset + optionalSize, qint64(sectionCount) * 40);
        if (!table)
            return false;
        for (int i = 0; i < sectionCount; ++i) {
            const qsizetype at = qsizetype(i) * 40;
            FSections.append({Little<quint32>(*table, at + 12), Little<quint32>(*table, at + 8),
                Little<quint32>(*table, at + 16), Little<quint32>(*table, at + 20)});
        }
        return FResourceRva != 0;
    }

    std::optional<qint64> FileOffsetOf(quint32 rva) const
    {
        for (const TPeSection &section : FSections) {
            const quint64 extent = std::max(section.VirtualSize, section.RawSize);
            if (rva >= section.VirtualAddress && rva < quint64(section.VirtualAddress) + extent)
                return qint64(section.RawOffset) + (rva - section.VirtualAddress);
        }
        return std::nullopt;
    }

    std::optional<QByteArray> ResourceBytes(quint32 offsetInResources, qint64 length) const
    {
        const std::optional<qint64> base = FileOffsetOf(FResourceRva);
        if (!base)
            return std::nullopt;
        return FView.At(*base + (offsetInResources & 0x7FFFFFFFu), length);
    }

    // The entries of the resource directory at `offset` (relative to the resource section).
    std::optional<QList<std::pair<quint32, quint32>>> EntriesOf(quint32 offset) const
    {
        const std::optional<QByteArray> header = ResourceBytes(offset, 16);
        if (!header)
            return std::nullopt;
        const int count = Little<quint16>(*header, 12) + Little<quint16>(*header, 14);
        const std::optional<QByteArray> entries = ResourceBytes((offset & 0x7FFFFFFFu) + 16, qint64(count) * 8);
        if (!entries)
            return std::nullopt;
        QList<std::pair<quint32, quint32>> found;
        for (int i = 0; i < count; ++i)
            found.append({Little<quint32>(*entries, i * 8), Little<quint32>(*entries, i * 8 + 4)});
        return found;
    }

    std::optional<quint32> EntryOf(quint32 directory, quint32 id) const
    {
        const auto entries = EntriesOf(directory);
        if (entries)
            for (const auto &[name, target] : *entries)
                if (name == id)
                    return target;
        return std::nullopt;
    }

    std::optional<quint32> FirstEntryOf(quint32 directory) const
    {
        if (!(directory & 0x80000000u))
            return std::nullopt; // a leaf where a directory belongs
        const auto entries = EntriesOf(directory);
        if (!entries || entries->isEmpty())
            return std::nullopt;
        return entries->first().second;
    }

    const TFileView &FView;
    quint32 FResourceRva = 0;
    QList<TPeSection> FSections;
};

// --- ELF ------------------------------------------------------------------------------

struct TElfSection {
    quint32 Name = 0;
    quint32 Type = 0;
    quint64 Offset = 0;
    quint64 Size = 0;
};

QByteArray ElfVersionBlock(const TFileView &view)
{
    const std::optional<QByteArray> ident = view.At(0, 64);
    if (!ident || !ident->startsWith("\x7F" "ELF"))
        return {};
    const bool wide = ident->at(4) == 2;
    const bool bigEndian = ident->at(5) == 2;
    const quint64 tableOffset = wide ? Read<quint64>(*ident, 0x28, bigEndian) : Read<quint32>(*ident, 0x20, bigEndian);
    const int entrySize = Read<quint16>(*ident, wide ? 0x3A : 0x2E, bigEndian);
    const int count = Read<quint16>(*ident, wide ? 0x3C : 0x30, bigEndian);
    const int namesIndex = Read<quint16>(*ident, wide ? 0x3E : 0x32, bigEndian);
    if (entrySize < (wide ? 64 : 40) || count > kMaxElfSections || namesIndex >= count || tableOffset > quint64(LLONG_MAX))
        return {};
    const std::optional<QByteArray> table = view.At(qint64(tableOffset), qint64(entrySize) * count);
    if (!table)
        return {};
    const auto section = [&](int index) {
        const qsizetype at = qsizetype(index) * entrySize;
        TElfSection found;
        found.Name = Read<quint32>(*table, at, bigEndian);
        found.Type = Read<quint32>(*table, at + 4, bigEndian);
        found.Offset = wide ? Read<quint64>(*table, at + 24, bigEndian) : Read<quint32>(*table, at + 16, bigEndian);
        found.Size = wide ? Read<quint64>(*table, at + 32, bigEndian) : Read<quint32>(*table, at + 20, bigEndian);
        return found;
    };
    const TElfSection names = section(namesIndex);
    const QByteArrayView wanted(kVersionSectionName);
    for (int i = 0; i < count; ++i) {
        const TElfSection candidate = section(i);
        if (candidate.Type == kElfNoBits || candidate.Size > quint64(kMaxVersionBlockSize)
            || candidate.Name >= names.Size || names.Offset > quint64(LLONG_MAX))
            continue;
        const std::optional<QByteArray> name = view.At(qint64(names.Offset + candidate.Name), wanted.size() + 1);
        if (!name || name->back() != '\0' || QByteArrayView(*name).chopped(1) != wanted)
            continue;
        return view.At(qint64(candidate.Offset), qint64(candidate.Size)).value_or(QByteArray());
    }
    return {};
}

} // namespace

QByteArray ReadVersionInfoBlock(QIODevice &file)
{
    const TFileView view(file);
    QByteArray block = TPeImage(view).VersionBlock();
    return block.isEmpty() ? ElfVersionBlock(view) : block;
}

QByteArray ReadVersionInfoBlock(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadVersionInfoBlock(file);
}

} // namespace zelto::os
