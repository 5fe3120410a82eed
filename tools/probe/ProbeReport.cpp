#include "ProbeReport.h"

#include "launch/LaunchInspection.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace zelto::probe {
namespace {

constexpr char16_t kQuorra3DExecutable[] = u"Quorra3D.exe";

void InsertLaunch(QJsonObject &report, const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        report.insert(QLatin1String("launchError"), QStringLiteral("no argument: the launcher passes the enciphered launch record"));
        return;
    }
    const TLaunchArgumentRead read = DecodeLaunchArgument(arguments.first());
    if (read.record)
        report.insert(QLatin1String("launch"), LaunchRecordToJson(*read.record));
    if (!read.Ok())
        report.insert(QLatin1String("launchError"), QStringLiteral("the first argument %1").arg(read.error));
}

void InsertEnvironment(QJsonObject &report, const QString &path)
{
    report.insert(QLatin1String("environmentFile"), path);
    const TEnvironmentRead read = ReadEnvironmentFile(path);
    if (read.Ok())
        report.insert(QLatin1String("environment"), read.document);
    else
        report.insert(QLatin1String("environmentError"), QStringLiteral("%1 %2").arg(path, read.error));
}

} // namespace

TClientKind KindOfProgram(const QString &program)
{
    return QFileInfo(program).fileName().compare(QStringView(kQuorra3DExecutable), Qt::CaseInsensitive) == 0
        ? TClientKind::Quorra3D
        : TClientKind::Cocos;
}

QString KindName(TClientKind kind)
{
    return kind == TClientKind::Quorra3D ? QStringLiteral("quorra3d") : QStringLiteral("cocos");
}

QJsonObject ProbeReport(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    const TClientKind kind = KindOfProgram(program);
    QJsonObject report { { QLatin1String("program"), program },
                         { QLatin1String("arguments"), QJsonArray::fromStringList(arguments) },
                         { QLatin1String("workingDirectory"), workingFolder },
                         { QLatin1String("clientKind"), KindName(kind) } };
    InsertLaunch(report, arguments);
    InsertEnvironment(report, EnvironmentFilePath({ QDir(workingFolder).absolutePath() + QLatin1Char('/'), kind }));
    return report;
}

QString OutputPath(const QString &program)
{
    const QString chosen = qEnvironmentVariable(kOutputVariable);
    return chosen.isEmpty() ? program + QStringLiteral(".probe.json") : chosen;
}

} // namespace zelto::probe
