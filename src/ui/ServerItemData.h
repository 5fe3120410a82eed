#pragma once

#include <QVariant>

// How the server tree's nodes and the server choice box's items carry their server: the
// catalogue item in the data of role Qt::UserRole (column 0 for tree nodes). Anything else
// there, headings included, carries no server.
namespace zelto {

class TServerItem;
class TuCollectionItem;

QVariant ServerItemData(TServerItem *server);
TServerItem *ServerItemOf(const QVariant &data);

} // namespace zelto
