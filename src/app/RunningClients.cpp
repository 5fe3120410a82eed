#include "app/RunningClients.h"

namespace zelto {

QStringList &RunningClients()
{
    static QStringList clients;
    return clients;
}

} // namespace zelto
