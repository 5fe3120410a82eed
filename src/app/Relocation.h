#pragma once

#include "os/Drives.h"

#include <QByteArray>
#include <QString>

// Moving the launcher off the system drive: when it was started from the system drive and
// another fixed drive exists, it copies itself to that drive's "zeltoprime/" folder, starts
// the copy through a hidden script once the old file is gone, and ends.
namespace zelto {

// The first drive root from "C:/" to "Z:/" other than the system letter that is fixed, or
// empty. Letters compare without regard to case: "c" is the system drive "C".
QString FindOtherFixedDrive(const os::IDriveTable &drives, QChar systemLetter);

// The drive of a path ("d:" of "D:\games\x.exe"); empty for a path without drive letter.
QString DriveOfPath(const QString &path);

// The relaunch script in the system's batch language, code page 936 and CR LF: a loop that
// deletes the old launcher until it is gone (left out when the launcher runs from inside
// the temporary folder), then the new copy's start.
QByteArray RelaunchBatchText(const QString &launcherPath, const QString &tempFolder, const QString &targetFolder,
    const QString &fileName);
// The same steps for the POSIX shell, which is what runs here.
QByteArray RelaunchShellText(const QString &launcherPath, const QString &tempFolder, const QString &targetFolder,
    const QString &fileName);

// Writes both scripts to the temporary folder under one new name and starts the shell one
// hidden, at idle priority, in the target folder. Returns the batch file's path; a failed
// start is ignored.
QString WriteRelaunchBatch(const QString &launcherPath, const QString &targetFolder, const QString &fileName);

// True when the launcher relaunched itself elsewhere: termination is then requested.
bool RelocateFromSystemDrive(const os::IDriveTable &drives, const QString &launcherPath);

} // namespace zelto
