#pragma once

#include "os/Processes.h"

#include <QString>

namespace zelto {

// What the player is told about a program that did not start: `prefix` and the system's
// error number, or, for a Windows program on a system without wine, that wine is needed.
QString NotStartedText(const QString &prefix, const QString &programName, const os::TProgramStart &start);

} // namespace zelto
