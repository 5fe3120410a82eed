#include "os/Processes.h"

#include <QFile>
#include <QProcess>

#include <csignal>
#include <cerrno>

namespace zelto::os {

bool ProcessRunning(qint64 processId)
{
    if (processId <= 0)
        return false;
    if (::kill(static_cast<pid_t>(processId), 0) != 0 && errno != EPERM)
        return false;
    // "/proc/<pid>/stat" is "pid (name) S ..."; the state follows the last parenthesis.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(processId));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'Z';
}

bool StartHiddenScript(const QString &scriptPath, const QString &workingFolder)
{
    return QProcess::startDetached(QStringLiteral("nice"),
        { QStringLiteral("-n"), QStringLiteral("19"), QStringLiteral("sh"), scriptPath }, workingFolder);
}

} // namespace zelto::os
