#include "catalog/ServerListEnvelope.h"

#include "launch/Xxtea.h"
#include "os/AnsiCodePage.h"

#include <stdexcept>

namespace zelto {

std::optional<QString> OpenServerListEnvelope(const QString &text)
{
    QByteArray plain;
    if (!OpenEnvelope(QByteArray::fromBase64(text.toLatin1()), &plain))
        return std::nullopt;
    return os::FromAnsi(plain);
}

QString SealServerList(const QString &document)
{
    const QByteArray ansi = os::ToAnsi(document);
    if (os::FromAnsi(ansi) != document)
        throw std::runtime_error("the server list holds characters code page 936 cannot carry");
    return QString::fromLatin1(SealEnvelope(ansi).toBase64());
}

} // namespace zelto
