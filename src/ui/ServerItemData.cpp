#include "ui/ServerItemData.h"

#include "catalog/uServerList.h"

Q_DECLARE_METATYPE(zelto::TuCollectionItem *)

namespace zelto {

QVariant ServerItemData(TServerItem *server)
{
    return QVariant::fromValue(static_cast<TuCollectionItem *>(server));
}

TServerItem *ServerItemOf(const QVariant &data)
{
    if (!data.canConvert<TuCollectionItem *>())
        return nullptr;
    return dynamic_cast<TServerItem *>(data.value<TuCollectionItem *>());
}

} // namespace zelto
