#include "os/Processes.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace zelto::os {
namespace {

constexpr qint64 kPeOffsetField = 0x3C;
// No real image puts its PE header further out; a larger value is not a Windows program.
constexpr quint32 kMaxPeOffset = 0x10000;

TProgramStart NotStarted(int errorCode, const QString &reason)
{
    TProgramStart result;
    result.errorCode = errorCode;
    result.reason = reason;
    return result;
}

QString SystemReason(const QString &what, int errorCode)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errorCode)));
}

// A program image of this system or a script naming its interpreter.
bool IsRunnableFormat(const QString &program)
{
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly))
        return true; // readable by the system only; let it decide
    const QByteArray start = file.read(4);
    return start == QByteArrayView("\x7F" "ELF") || start.startsWith("#!");
}

// What the system would refuse, found before starting: QProcess reports a failed start only
// as text, while the player is shown the error number.
int PreflightError(const QString &program, const QString &workingFolder)
{
    if (::access(QFile::encodeName(program).constData(), X_OK) != 0)
        return errno;
    if (!IsRunnableFormat(program))
        return ENOEXEC;
    if (workingFolder.isEmpty())
        return 0;
    if (!QFileInfo(workingFolder).isDir())
        return QFileInfo::exists(workingFolder) ? ENOTDIR : ENOENT;
    if (::access(QFile::encodeName(workingFolder).constData(), X_OK) != 0)
        return errno;
    return 0;
}

} // namespace

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

bool IsWindowsImage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray dosHeader = file.read(kPeOffsetField + 4);
    if (dosHeader.size() < kPeOffsetField + 4 || !dosHeader.startsWith("MZ"))
        return false;
    const quint32 peOffset = qFromLittleEndian<quint32>(dosHeader.constData() + kPeOffsetField);
    return peOffset <= kMaxPeOffset && file.seek(peOffset) && file.read(4) == QByteArrayView("PE\0\0", 4);
}

TProgramStart StartDetachedProgram(const QString &program, const QStringList &arguments,
                                   const QString &workingFolder)
{
    // A Windows build creates the process with `program` as the application name and the
    // command line built from it, so that an unquoted path with spaces can never start
    // another program ("C:\Program.exe" for "C:\Program Files\...").
    QString executable = program;
    QStringList executableArguments = arguments;
    if (IsWindowsImage(program)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (wine.isEmpty()) {
            TProgramStart result = NotStarted(ENOENT, QStringLiteral("%1 is a Windows program and wine is not installed").arg(program));
            result.needsWine = true;
            return result;
        }
        executableArguments.prepend(program);
        executable = wine;
    }
    if (const int error = PreflightError(executable, workingFolder))
        return NotStarted(error, SystemReason(executable, error));

    QProcess process;
    process.setProgram(executable);
    process.setArguments(executableArguments);
    process.setWorkingDirectory(workingFolder);
    qint64 processId = 0;
    // Once the checks above have passed, what is left is mostly the system refusing a new
    // process (or a script's missing interpreter).
    if (!process.startDetached(&processId))
        return NotStarted(EAGAIN, process.errorString());
    TProgramStart result;
    result.started = true;
    result.processId = processId;
    return result;
}

} // namespace zelto::os
