#include "os/AnsiCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zelto::os {
namespace {

constexpr char kCodePage[] = "CP936";

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

} // namespace zelto::os
