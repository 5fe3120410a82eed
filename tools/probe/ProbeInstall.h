#pragma once

#include "launch/GameClient.h"

#include <QString>

namespace zelto::probe {

// Makes `clientFolder` a client folder of the kind that the launcher accepts: the kind's
// folders and (empty) marker files, and a copy of the probe under the kind's executable
// name. Existing files other than the executable are left as they are. Returns the
// installed executable's path; throws std::runtime_error naming what could not be made.
QString InstallProbe(const QString &probeProgram, const QString &clientFolder, TClientKind kind);

} // namespace zelto::probe
