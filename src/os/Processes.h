#pragma once

#include <QString>

namespace zelto::os {

// Whether the process with this id still runs (a zombie counts as ended).
bool ProcessRunning(qint64 processId);

// Starts a script of the system's shell detached, hidden and at idle priority, in the given
// folder. False when it could not be started.
bool StartHiddenScript(const QString &scriptPath, const QString &workingFolder);

} // namespace zelto::os
