#include "protocol/WireText.h"

#include <array>

namespace zelto {
namespace {

constexpr std::array<quint8, 128> MakeReverseTable()
{
    std::array<quint8, 128> table {};
    table.fill(kNotWireValue);
    for (int value = 0; value < 64; ++value)
        table[static_cast<quint8>(kWireAlphabet[value])] = static_cast<quint8>(value);
    table[static_cast<quint8>(kWirePad)] = kWirePadValue;
    return table;
}

constexpr std::array<quint8, 128> kReverseTable = MakeReverseTable();

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

} // namespace

quint8 WireValue(char c)
{
    const auto code = static_cast<quint8>(c);
    return code < kReverseTable.size() ? kReverseTable[code] : kNotWireValue;
}

QByteArray BytesToWireText(QByteArrayView bytes)
{
    QByteArray text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (qsizetype i = 0; i < bytes.size(); i += 3) {
        const qsizetype left = bytes.size() - i;
        const auto b0 = static_cast<quint8>(bytes[i]);
        const auto b1 = static_cast<quint8>(left > 1 ? bytes[i + 1] : 0);
        const auto b2 = static_cast<quint8>(left > 2 ? bytes[i + 2] : 0);
        text += kWireAlphabet[b0 >> 2];
        text += kWireAlphabet[((b0 & 3) << 4) | (b1 >> 4)];
        text += left > 1 ? kWireAlphabet[((b1 & 15) << 2) | (b2 >> 6)] : kWirePad;
        text += left > 2 ? kWireAlphabet[b2 & 63] : kWirePad;
    }
    return text;
}

qsizetype WireTextToBytes(QByteArrayView text, char *buffer, qsizetype capacity)
{
    const auto valueAt = [text](qsizetype at) {
        return at < text.size() ? WireValue(text[at]) : kWirePadValue;
    };
    qsizetype produced = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        if (IsLineBreak(text[i])) {
            ++i;
            continue;
        }
        const int x0 = valueAt(i), x1 = valueAt(i + 1), x2 = valueAt(i + 2), x3 = valueAt(i + 3);
        std::array<int, 3> group { ((x0 & 63) << 2) + ((x1 & 48) >> 4) };
        int count = 1;
        if (x2 != kWirePadValue) {
            group[count++] = ((x1 & 15) << 4) + ((x2 & 60) >> 2);
            if (x3 != kWirePadValue)
                group[count++] = ((x2 & 3) << 6) + (x3 & 63);
        }
        for (int k = 0; k < count; ++k) {
            if (produced >= capacity)
                return produced;
            buffer[produced++] = static_cast<char>(group[k]);
        }
        i += 4;
    }
    return produced;
}

qsizetype MaxWireTextBytes(qsizetype textLength) { return (textLength + 3) / 4 * 3; }

QByteArray StringToWireText(const QString &text) { return BytesToWireText(text.toUtf8()); }

QString WireTextToString(QByteArrayView text)
{
    QByteArray bytes(MaxWireTextBytes(text.size()), Qt::Uninitialized);
    bytes.truncate(WireTextToBytes(text, bytes.data(), bytes.size()));
    return QString::fromUtf8(bytes);
}

} // namespace zelto
