#include "catalog/CatalogueSigning.h"

#include "app/Digests.h"

namespace zelto {
namespace {

const QString kKey = QString::fromUtf16(kPlatformSignKey);

QStringView PathAndDocument(QStringView address)
{
    const qsizetype scheme = address.indexOf(u"://");
    const qsizetype hostStart = scheme < 0 ? 0 : scheme + 3;
    const qsizetype pathStart = address.indexOf(u'/', hostStart);
    if (pathStart < 0)
        return {};
    QStringView path = address.mid(pathStart);
    const qsizetype query = path.indexOf(u'?');
    return query < 0 ? path : path.left(query);
}

void RemoveFirst(QString &text, QStringView piece)
{
    const qsizetype at = text.indexOf(piece);
    if (at >= 0)
        text.remove(at, piece.size());
}

} // namespace

QString DataNameOf(const QString &address, TCatalogueDocument kind)
{
    QString name = PathAndDocument(address).toString();
    RemoveFirst(name, kind == TCatalogueDocument::ModList ? u"/gsl/auth/mod_list_auth" : u"/gsl/auth/server_list_auth");
    RemoveFirst(name, u"/gsl/main/");
    return name;
}

QString GatewaySignature(qint32 time)
{
    return Md5HexLower(QStringLiteral("key=") + kKey + QStringLiteral("&time=") + QString::number(time));
}

QString DocumentSignature(const QString &dataName, qint32 time)
{
    return Md5HexLower(QStringLiteral("data=") + dataName + QStringLiteral("&key=") + kKey
        + QStringLiteral("&time=") + QString::number(time));
}

QString SignedGatewayAddress(const QString &serverListUrl, qint32 time)
{
    return serverListUrl + QStringLiteral("?time=") + QString::number(time) + QStringLiteral("&sign=")
        + GatewaySignature(time) + QStringLiteral("&type=getaway");
}

QString SignedDocumentAddress(const QString &address, TCatalogueDocument kind, qint32 time)
{
    return address + QStringLiteral("?time=") + QString::number(time) + QStringLiteral("&sign=")
        + DocumentSignature(DataNameOf(address, kind), time);
}

} // namespace zelto
