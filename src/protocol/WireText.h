#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The login gate's text encoding: bytes as printable characters, 6 bits each, most
// significant bit first, with an alphabet of the gate's own and "=" as the pad.
namespace zelto {

inline constexpr char kWireAlphabet[] =
    "<>ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz~[]&^|?@{}";
inline constexpr char kWirePad = '=';
inline constexpr quint8 kWirePadValue = 64;
inline constexpr quint8 kNotWireValue = 255;

// The decoder's reverse table: 0..63 for the alphabet, 64 for the pad, 255 for anything else.
quint8 WireValue(char c);

QByteArray BytesToWireText(QByteArrayView bytes);

// Decodes into buffer and returns the number of bytes produced. Stops at capacity; never
// reads beyond the text. A line break where a group starts is skipped; a group cut short by
// the end of the text reads as if padded.
qsizetype WireTextToBytes(QByteArrayView text, char *buffer, qsizetype capacity);

// The most bytes a text of this length can decode to.
qsizetype MaxWireTextBytes(qsizetype textLength);

// Text as its UTF-8 bytes in wire text, and back.
QByteArray StringToWireText(const QString &text);
QString WireTextToString(QByteArrayView text);

} // namespace zelto
