#pragma once

#include <QByteArray>
#include <QString>

// Program files with version blocks, as the launcher finds them in client folders: PE
// images with a version resource and ELF files with the section our build adds.
namespace zelto::testing {

QByteArray VersionBlock(const QString &description, const QString &version);

// A PE32 image whose resource section holds `block` as its one RT_VERSION resource.
QByteArray PeWithVersionBlock(const QByteArray &block);
// An ELF file (64-bit or 32-bit, little-endian) with `block` as its version section.
QByteArray ElfWithVersionBlock(const QByteArray &block, bool wide = true);

// Writes an ELF program with that description and version to `path`.
void WriteProgram(const QString &path, const QString &description, const QString &version);

} // namespace zelto::testing
