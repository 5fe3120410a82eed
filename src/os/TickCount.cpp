#include "os/TickCount.h"

#include <ctime>

namespace zelto::os {

quint32 TickCount()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<quint32>(quint64(now.tv_sec) * 1000 + quint64(now.tv_nsec) / 1000000);
}

} // namespace zelto::os
