#include "ProbeInstall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace zelto::probe {
namespace {

[[noreturn]] void Fail(const QString &message) { throw std::runtime_error(message.toStdString()); }

void MakeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        Fail(QStringLiteral("cannot create the folder %1").arg(path));
}

void MakeMarkerFile(const QString &path)
{
    if (QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Fail(QStringLiteral("cannot create %1: %2").arg(path, file.errorString()));
}

} // namespace

QString InstallProbe(const QString &probeProgram, const QString &clientFolder, TClientKind kind)
{
    const QString folder = QDir(clientFolder).absolutePath() + QLatin1Char('/');
    const TClientLayout &layout = ClientLayout(kind);
    MakeFolder(folder);
    for (const QString &name : layout.folders)
        MakeFolder(folder + name);
    for (const QString &name : layout.files)
        MakeMarkerFile(folder + name);

    const QString executable = folder + layout.executable;
    if (QFileInfo::exists(executable) && !QFile::remove(executable))
        Fail(QStringLiteral("cannot replace %1").arg(executable));
    QFile probe(probeProgram);
    if (!probe.copy(executable))
        Fail(QStringLiteral("cannot copy %1 to %2: %3").arg(probeProgram, executable, probe.errorString()));
    QFile::setPermissions(executable, QFile::permissions(executable) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return executable;
}

} // namespace zelto::probe
