#pragma once

#include <QString>
#include <QStringList>

namespace zelto::os {

// Whether the process with this id still runs (a zombie counts as ended).
bool ProcessRunning(qint64 processId);

// Starts a script of the system's shell detached, hidden and at idle priority, in the given
// folder. False when it could not be started.
bool StartHiddenScript(const QString &scriptPath, const QString &workingFolder);

// A Windows program image: "MZ", and at the offset its header names, "PE\0\0".
bool IsWindowsImage(const QString &path);

struct TProgramStart {
    bool started = false;
    qint64 processId = 0;
    bool needsWine = false; // a Windows program, and no wine installed to run it
    int errorCode = 0;      // the system's error number when not started
    QString reason;         // one line for the trace
};

// Starts a program detached, with its own arguments, in the given working folder. On this
// system a Windows program image runs through wine when wine is installed.
TProgramStart StartDetachedProgram(const QString &program, const QStringList &arguments,
                                   const QString &workingFolder);

} // namespace zelto::os
