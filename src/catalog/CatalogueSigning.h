#pragma once

#include <QString>

// Signed catalogue addresses. Every gateway, mod-list and server-list request carries a time
// stamp and a signature made with the platform signing key; the signature of a document
// request also covers the document's data name, which is not sent.
namespace zelto {

inline constexpr char16_t kPlatformSignKey[] = u"Rk7dQm2xLp9vTb4N";

enum class TCatalogueDocument { ModList, ServerList };

// The address's path and document name (everything after the host up to any "?"), without
// its first "/gsl/auth/mod_list_auth" (or "/gsl/auth/server_list_auth") and then its first
// "/gsl/main/".
QString DataNameOf(const QString &address, TCatalogueDocument kind);

QString GatewaySignature(qint32 time);
QString DocumentSignature(const QString &dataName, qint32 time);

// ServerListURL + "?time=T&sign=S&type=getaway".
QString SignedGatewayAddress(const QString &serverListUrl, qint32 time);
// address + "?time=T&sign=S".
QString SignedDocumentAddress(const QString &address, TCatalogueDocument kind, qint32 time);

} // namespace zelto
