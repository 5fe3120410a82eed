#pragma once

#include <QVariant>

// How the server tree's nodes and the server choice box's items carry their server: the
// server's address in the data of role Qt::UserRole (column 0 for tree nodes). It is looked up
// in the catalogue before use, so a node left over from an earlier list never reaches a
// server that is gone.
namespace zelto {

class TServerItem;
class TServerList;

inline constexpr int kServerRole = Qt::UserRole;

QVariant ServerItemData(const TServerItem *server);
// The catalogue's server the data stands for; nullptr for anything else, headings included.
TServerItem *ServerItemOf(TServerList &servers, const QVariant &data);

} // namespace zelto
