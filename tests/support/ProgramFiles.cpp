#include "support/ProgramFiles.h"

#include "os/ExecutableVersion.h"
#include "os/VersionInfoBlock.h"
#include "support/PackedLauncherFixture.h"

#include <QtEndian>

#include <string>

namespace zelto::testing {
namespace {

template <typename T>
void Put(QByteArray &bytes, qsizetype at, T value)
{
    if (bytes.size() < at + qsizetype(sizeof(T)))
        bytes.resize(at + sizeof(T), '\0');
    qToLittleEndian(value, bytes.data() + at);
}

} // namespace

QByteArray VersionBlock(const QString &description, const QString &version)
{
    const std::u16string descriptionText(reinterpret_cast<const char16_t *>(description.utf16()), description.size());
    const std::u16string versionText(reinterpret_cast<const char16_t *>(version.utf16()), version.size());
    return os::BuildVersionInfoBlock({descriptionText, versionText, u"zelto tests"}).ToByteArray();
}

QByteArray PeWithVersionBlock(const QByteArray &block)
{
    constexpr quint32 kPeOffset = 0x80, kRawOffset = 0x200, kRva = 0x1000, kBlockAt = 0x58;
    QByteArray image(kRawOffset, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    Put<quint32>(image, 0x3C, kPeOffset);
    image.replace(kPeOffset, 4, QByteArray("PE\0\0", 4));
    Put<quint16>(image, kPeOffset + 4, 0x14C);  // i386
    Put<quint16>(image, kPeOffset + 6, 1);      // one section
    Put<quint16>(image, kPeOffset + 20, 224);   // optional header of PE32
    const quint32 optional = kPeOffset + 24;
    Put<quint16>(image, optional, 0x10B);
    Put<quint32>(image, optional + 92, 16);     // data directories
    Put<quint32>(image, optional + 96 + 2 * 8, kRva);
    Put<quint32>(image, optional + 96 + 2 * 8 + 4, kBlockAt + block.size());
    const quint32 section = optional + 224;
    image.replace(section, 5, ".rsrc");
    const quint32 rawSize = (kBlockAt + block.size() + 0x1FF) & ~0x1FFu;
    Put<quint32>(image, section + 8, kBlockAt + block.size());
    Put<quint32>(image, section + 12, kRva);
    Put<quint32>(image, section + 16, rawSize);
    Put<quint32>(image, section + 20, kRawOffset);

    QByteArray resources(rawSize, '\0');
    // type 16 -> name 1 -> language 0x804 -> data entry -> block
    const auto directory = [&resources](quint32 at, quint32 id, quint32 target) {
        Put<quint16>(resources, at + 14, 1);
        Put<quint32>(resources, at + 16, id);
        Put<quint32>(resources, at + 20, target);
    };
    directory(0x00, 16, 0x80000000u | 0x18);
    directory(0x18, 1, 0x80000000u | 0x30);
    directory(0x30, 0x804, 0x48);
    Put<quint32>(resources, 0x48, kRva + kBlockAt);
    Put<quint32>(resources, 0x4C, quint32(block.size()));
    resources.replace(kBlockAt, block.size(), block);
    return image + resources;
}

QByteArray ElfWithVersionBlock(const QByteArray &block, bool wide)
{
    const QByteArray names = QByteArray("\0.shstrtab\0", 11) + os::kVersionSectionName + '\0';
    const quint32 headerSize = wide ? 64 : 52, entrySize = wide ? 64 : 40;
    QByteArray file(headerSize, '\0');
    file.replace(0, 4, "\x7F" "ELF");
    file[4] = wide ? 2 : 1;
    file[5] = 1; // little-endian
    file[6] = 1;
    const quint32 namesAt = headerSize, blockAt = namesAt + names.size();
    file += names + block;
    while (file.size() % 8)
        file += '\0';
    const quint32 tableAt = file.size();
    QByteArray table(3 * entrySize, '\0');
    const auto entry = [&](int index, quint32 name, quint32 type, quint64 offset, quint64 size) {
        const qsizetype at = qsizetype(index) * entrySize;
        Put<quint32>(table, at, name);
        Put<quint32>(table, at + 4, type);
        if (wide) {
            Put<quint64>(table, at + 24, offset);
            Put<quint64>(table, at + 32, size);
        } else {
            Put<quint32>(table, at + 16, quint32(offset));
            Put<quint32>(table, at + 20, quint32(size));
        }
    };
    entry(1, 1, 3, namesAt, names.size());
    entry(2, 11, 1, blockAt, block.size());
    file += table;
    if (wide) {
        Put<quint64>(file, 0x28, tableAt);
        Put<quint16>(file, 0x3A, quint16(entrySize));
        Put<quint16>(file, 0x3C, 3);
        Put<quint16>(file, 0x3E, 1);
    } else {
        Put<quint32>(file, 0x20, tableAt);
        Put<quint16>(file, 0x2E, quint16(entrySize));
        Put<quint16>(file, 0x30, 3);
        Put<quint16>(file, 0x32, 1);
    }
    return file;
}

void WriteProgram(const QString &path, const QString &description, const QString &version)
{
    WriteFile(path, ElfWithVersionBlock(VersionBlock(description, version)));
}

} // namespace zelto::testing
