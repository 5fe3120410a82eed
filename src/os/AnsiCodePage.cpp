#include "os/AnsiCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zelto::os {
namespace {

constexpr char kCodePage[] = "CP936";

// 0x81 to 0xFE start a double-byte character; every other byte stands alone.
bool IsLeadByte(char byte) { return quint8(byte) >= 0x81 && quint8(byte) <= 0xFE; }

} // namespace

QByteArray ToAnsi(const QString &text)
{
    // ICU substitutes 0x1A on some converters; the system's rule is "?", so map it back
    // unless the input itself held U+001A.
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() && bytes.contains('\x1A') && !text.contains(QChar(0x1A)))
        bytes.replace('\x1A', '?');
    return bytes;
}

QString FromAnsi(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray AnsiPrefix(const QByteArray &ansi, qsizetype maxBytes)
{
    qsizetype end = 0;
    while (end < ansi.size()) {
        const qsizetype width = IsLeadByte(ansi[end]) && end + 1 < ansi.size() ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return ansi.left(end);
}

} // namespace zelto::os
