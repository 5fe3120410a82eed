#include "app/Relocation.h"

#include "app/Guid.h"
#include "app/Termination.h"
#include "app/Trace.h"
#include "os/AnsiCodePage.h"
#include "os/Processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zelto {
namespace {

const QString kTargetFolderName = QStringLiteral("zeltoprime/");

QString Quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

QString ShellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString TempFolder() { return QDir::tempPath() + QLatin1Char('/'); }

bool WriteWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

QString FindOtherFixedDrive(const os::IDriveTable &drives, QChar systemLetter)
{
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if (QChar(letter) == systemLetter.toUpper())
            continue;
        const QString root = QChar(letter) + QStringLiteral(":/");
        if (drives.IsFixedDrive(root))
            return root;
    }
    return {};
}

QString DriveOfPath(const QString &path)
{
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter())
        return path.left(2);
    return {};
}

QByteArray RelaunchBatchText(const QString &launcherPath, const QString &tempFolder, const QString &targetFolder,
    const QString &fileName)
{
    QStringList lines;
    if (!launcherPath.contains(tempFolder)) {
        lines << QStringLiteral(":DelMySelf") << QStringLiteral("del ") + Quoted(launcherPath)
              << QStringLiteral("if exist ") + Quoted(launcherPath) + QStringLiteral(" goto DelMySelf");
    }
    lines << Quoted(targetFolder + fileName);
    return os::ToAnsi(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray RelaunchShellText(const QString &launcherPath, const QString &tempFolder, const QString &targetFolder,
    const QString &fileName)
{
    QStringList lines { QStringLiteral("#!/bin/sh") };
    if (!launcherPath.contains(tempFolder)) {
        lines << QStringLiteral("while [ -e %1 ]; do rm -f %1 || sleep 1; done").arg(ShellQuoted(launcherPath));
    }
    lines << ShellQuoted(targetFolder + fileName) + QStringLiteral(" &");
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QString WriteRelaunchBatch(const QString &launcherPath, const QString &targetFolder, const QString &fileName)
{
    const QString stem = TempFolder() + NewGuidHex();
    const QString batch = stem + QStringLiteral(".bat");
    const QString shell = stem + QStringLiteral(".sh");
    WriteWhole(batch, RelaunchBatchText(launcherPath, TempFolder(), targetFolder, fileName));
    if (WriteWhole(shell, RelaunchShellText(launcherPath, TempFolder(), targetFolder, fileName)))
        os::StartHiddenScript(shell, targetFolder);
    return batch;
}

bool RelocateFromSystemDrive(const os::IDriveTable &drives, const QString &launcherPath)
{
    const QString systemDirectory = drives.SystemDirectory();
    const QChar systemLetter = systemDirectory.isEmpty() ? QChar(u'C') : systemDirectory.at(0);
    const QString systemDrive = QString(systemLetter) + QLatin1Char(':');
    if (DriveOfPath(launcherPath).toLower() != systemDrive.toLower())
        return false;
    const QString root = FindOtherFixedDrive(drives, systemLetter);
    if (root.isEmpty())
        return false;
    const QString target = root + kTargetFolderName;
    QDir().mkpath(target);
    const QString fileName = QFileInfo(launcherPath).fileName();
    QFile::remove(target + fileName);
    if (!QFile::copy(launcherPath, target + fileName))
        return false;
    WriteRelaunchBatch(launcherPath, target, fileName);
    Trace(QStringLiteral(u"登陆器已复制到 %1").arg(target + fileName));
    RequestApplicationTermination(); // no window exists yet to minimise

    return true;
}

} // namespace zelto
