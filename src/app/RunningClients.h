#pragma once

#include <QStringList>

namespace zelto {

// The game clients this launcher started, one process id as decimal text each: filled by the
// game start, pruned by the shadow window once a client has ended.
QStringList &RunningClients();

} // namespace zelto
