#pragma once

#include <QtGlobal>

namespace zelto::os {

// Milliseconds since the system started, wrapping at 32 bits like the system tick counter.
quint32 TickCount();

} // namespace zelto::os
