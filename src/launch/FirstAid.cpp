#include "launch/FirstAid.h"

#include "app/Notifier.h"
#include "app/Trace.h"
#include "launch/ProgramStartText.h"
#include "os/Processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace zelto {
namespace {

constexpr qint64 kCopyChunk = 1 << 20;

QString Bitness(bool bo64) { return bo64 ? QStringLiteral("64") : QStringLiteral("32"); }

[[noreturn]] void Fail(const QString &message) { throw std::runtime_error(message.toStdString()); }

void CopyRange(QFile &from, qint64 offset, qint64 length, const QString &to)
{
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly) || !from.seek(offset))
        Fail(QStringLiteral("cannot write %1: %2").arg(to, out.errorString()));
    for (qint64 left = length; left > 0;) {
        const QByteArray chunk = from.read(std::min(left, kCopyChunk));
        if (chunk.isEmpty())
            Fail(QStringLiteral("cannot read %1: %2").arg(from.fileName(), from.errorString()));
        if (out.write(chunk) != chunk.size())
            Fail(QStringLiteral("cannot write %1: %2").arg(to, out.errorString()));
        left -= chunk.size();
    }
    if (!out.commit())
        Fail(QStringLiteral("cannot write %1: %2").arg(to, out.errorString()));
}

void StartTool(const QFileInfo &tool)
{
    const os::TProgramStart start = os::StartDetachedProgram(
        tool.absoluteFilePath(), { QStringLiteral("/autoapp"), QStringLiteral("/strict") }, tool.absolutePath());
    if (start.started)
        return;
    Trace(QStringLiteral("急救箱拉起失败 %1: %2").arg(tool.absoluteFilePath(), start.reason));
    ShowMessageFromAnyThread(NotStartedText(QStringLiteral(u"急救箱拉起失败 "), tool.fileName(), start),
                             QStringLiteral(u"提示"), NoticeIcon::Error);
}

} // namespace

QString FirstAidPackageName(bool bo64) { return QStringLiteral("360compkill_%1.zip").arg(Bitness(bo64)); }
QString FirstAidFolderName(bool bo64) { return QStringLiteral("360compkill_%1").arg(Bitness(bo64)); }
QString FirstAidVersionFileName(bool bo64) { return QStringLiteral("mod_360version_%1.txt").arg(Bitness(bo64)); }

QString LauncherFolder() { return QFileInfo(RunningExecutablePath()).absolutePath() + QLatin1Char('/'); }

bool Put360File(bool bo64, const QString &launcherPath)
{
    QFile launcher(launcherPath);
    if (!launcher.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("cannot read %1: %2").arg(launcherPath, launcher.errorString()));
    const std::optional<TAppendedDataLocation> location = ReadAppendedDataLocation(launcher, ComputeTrailerSkip(launcher));
    if (!location)
        return false;
    const TConfigurationTrailer &trailer = location->trailer;
    const qint64 length = bo64 ? trailer.Length64 : trailer.Length32;
    if (length <= 0)
        return false;
    const qint64 offset = bo64 ? location->Package64Offset() : location->Package32Offset();
    if (trailer.Length32 < 0 || trailer.Length64 < 0 || offset < 0) {
        Trace(QStringLiteral("Put360File %1: the trailer's Length32 %2 and Length64 %3 do not fit the file")
                  .arg(launcherPath).arg(trailer.Length32).arg(trailer.Length64));
        return false;
    }
    CopyRange(launcher, offset, length, QFileInfo(launcherPath).absolutePath() + QLatin1Char('/') + FirstAidPackageName(bo64));
    return true;
}

void FindAndStart360(bool bo64, const QString &launcherFolder)
{
    StartFirstAidTool(launcherFolder + FirstAidFolderName(bo64));
}

bool StartFirstAidTool(const QString &directory)
{
    const QFileInfoList entries = QDir(directory).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            if (!entry.isSymLink() && StartFirstAidTool(entry.filePath()))
                return true;
            continue;
        }
        if (entry.fileName().compare(QLatin1String(kFirstAidToolName), Qt::CaseInsensitive) == 0) {
            StartTool(entry);
            return true;
        }
    }
    return false;
}

} // namespace zelto
