#include "ui/ServerItemData.h"

#include "catalog/uServerList.h"

namespace zelto {

QVariant ServerItemData(const TServerItem *server)
{
    return QVariant::fromValue(const_cast<void *>(static_cast<const void *>(server)));
}

TServerItem *ServerItemOf(TServerList &servers, const QVariant &data)
{
    const void *address = data.value<void *>();
    if (!address)
        return nullptr;
    for (int i = 0; i < servers.Count(); ++i) {
        if (&servers.Items(i) == address)
            return &servers.Items(i);
    }
    return nullptr;
}

} // namespace zelto
