#include "os/VersionInfoBlock.h"

#include <QStringList>
#include <QtEndian>

#include <optional>

namespace zelto::os {
namespace {

constexpr int kMaxDepth = 8;

// One node of the block, its parts located inside the block's bytes.
struct TNode {
    qsizetype Start = 0;
    qsizetype End = 0;        // start + length, inside the block
    quint16 ValueLength = 0;
    quint16 Type = 0;
    QString Key;
    qsizetype Value = 0;      // where the value starts
    qsizetype Children = 0;   // where the children start
};

qsizetype Aligned(qsizetype offset) { return (offset + 3) & ~qsizetype(3); }

quint16 WordAt(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.data() + at); }

// The node at `start`, when it lies inside [start, limit).
std::optional<TNode> NodeAt(QByteArrayView block, qsizetype start, qsizetype limit)
{
    if (start + 6 > limit)
        return std::nullopt;
    TNode node;
    node.Start = start;
    const quint16 length = WordAt(block, start);
    node.ValueLength = WordAt(block, start + 2);
    node.Type = WordAt(block, start + 4);
    node.End = start + length;
    if (length < 6 || node.End > limit)
        return std::nullopt;
    qsizetype at = start + 6;
    while (at + 2 <= node.End && WordAt(block, at) != 0) {
        node.Key.append(QChar(WordAt(block, at)));
        at += 2;
    }
    if (at + 2 > node.End)
        return std::nullopt; // no room for the key's terminator
    node.Value = std::min(Aligned(at + 2), node.End);
    const qsizetype valueBytes = node.Type == 1 ? qsizetype(node.ValueLength) * 2 : node.ValueLength;
    node.Children = std::min(Aligned(node.Value + valueBytes), node.End);
    return node;
}

std::optional<TNode> ChildNamed(QByteArrayView block, const TNode &parent, const QString &key)
{
    qsizetype at = parent.Children;
    while (const std::optional<TNode> child = NodeAt(block, at, parent.End)) {
        if (child->Key.compare(key, Qt::CaseInsensitive) == 0)
            return child;
        at = Aligned(child->End);
    }
    return std::nullopt;
}

std::optional<TNode> Lookup(QByteArrayView block, const QStringList &path)
{
    std::optional<TNode> node = NodeAt(block, 0, block.size());
    for (qsizetype i = 0; node && i < path.size() && i < kMaxDepth; ++i)
        node = ChildNamed(block, *node, path[i]);
    return node;
}

// A text value: UTF-16 up to its terminator or the end of its node (some writers count the
// value length in bytes, so the length is not trusted).
QString TextValue(QByteArrayView block, const TNode &node)
{
    QString text;
    for (qsizetype at = node.Value; at + 2 <= node.End; at += 2) {
        const quint16 unit = WordAt(block, at);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

} // namespace

QString VersionInfoString(QByteArrayView block, const QString &name)
{
    const std::optional<TNode> translation = Lookup(block, {QStringLiteral("VarFileInfo"), QStringLiteral("Translation")});
    if (!translation || translation->ValueLength < 4 || translation->Value + 4 > translation->End)
        return QString();
    const quint32 language = WordAt(block, translation->Value);
    const quint32 codePage = WordAt(block, translation->Value + 2);
    const QString table = QStringLiteral("%1").arg(language << 16 | codePage, 8, 16, QLatin1Char('0')).toUpper();
    const std::optional<TNode> value = Lookup(block, {QStringLiteral("StringFileInfo"), table, name});
    return value ? TextValue(block, *value) : QString();
}

} // namespace zelto::os
