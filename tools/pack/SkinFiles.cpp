#include "SkinFiles.h"

#include "Command.h"
#include "CommandLine.h"
#include "SkinText.h"

#include "ui/ComponentStream.h"
#include "ui/SkinStream.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace zelto::pack {
namespace {

bool IsComponentStream(const QByteArray &bytes) { return bytes.startsWith(kComponentStreamSignature); }

TComponentNode CheckedTree(const TComponentStreamRead &read, const QString &path)
{
    if (!read.Complete())
        throw TToolError { QStringLiteral("%1: damaged component stream at offset %2: %3")
                               .arg(path).arg(read.errorOffset).arg(read.error) };
    return read.root;
}

QByteArray CheckedSize(const QByteArray &stream, const QString &path)
{
    if (stream.size() > kMaxSkinComponentStreamSize)
        throw TToolError { QStringLiteral("%1: the component stream is %2 bytes; the launcher reads at most %3")
                               .arg(path).arg(stream.size()).arg(kMaxSkinComponentStreamSize) };
    return stream;
}

} // namespace

TComponentNode ReadSkinTextFile(const QString &path)
{
    const QByteArray bytes = ReadInputFile(path, QStringLiteral("skin"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        throw TToolError { QStringLiteral("%1: a text skin must be UTF-8 text").arg(path) };
    return ParseSkinText(text, path, QFileInfo(path).absolutePath());
}

QByteArray CompileSkinTree(const TComponentNode &tree, const QString &path)
{
    const TComponentStreamWrite write = WriteComponentStream(tree);
    if (!write.Ok())
        throw TToolError { QStringLiteral("%1: %2").arg(path, write.error) };
    return CheckedSize(write.bytes, path);
}

QByteArray ComponentStreamOfSkinFile(const QString &path)
{
    const QByteArray bytes = ReadInputFile(path, QStringLiteral("skin"));
    if (!IsComponentStream(bytes))
        return CompileSkinTree(ReadSkinTextFile(path), path);
    CheckedTree(ReadComponentStream(bytes), path);
    return CheckedSize(bytes, path);
}

TComponentNode ReadCompiledSkinFile(const QString &path)
{
    const QByteArray bytes = ReadInputFile(path, QStringLiteral("skin"));
    return CheckedTree(IsComponentStream(bytes) ? ReadComponentStream(bytes) : DecodeSkinStream(bytes), path);
}

} // namespace zelto::pack
