#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Where a program file keeps its version block: a PE image in its resource section (the
// first RT_VERSION resource), our ELF binaries in the section kVersionSectionName that the
// build adds. Any other file, or a damaged one, has none; no content makes a read go
// outside the file or allocate more than a block may hold.
namespace zelto::os {

inline constexpr char kVersionSectionName[] = ".zelto.versioninfo";
inline constexpr qint64 kMaxVersionBlockSize = 64 * 1024;

// The version block, or empty.
QByteArray ReadVersionInfoBlock(QIODevice &file);
QByteArray ReadVersionInfoBlock(const QString &path);

} // namespace zelto::os
