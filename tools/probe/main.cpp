// zelto-probe: a stand-in game client for testing a deployment. Installed in a client folder
// as Game.exe or Quorra3D.exe, it is started by the launcher in place of the real client and
// writes what it received (command line, launch record, environment file) as one JSON file.
#include "ProbeInstall.h"
#include "ProbeReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>
#include <stdexcept>

using namespace zelto;
using namespace zelto::probe;

namespace {

constexpr int kExitWriteFailed = 1;
constexpr int kExitBadInput = 2;

constexpr char kUsage[] =
    "Usage: zelto-probe [ARGUMENT...]\n"
    "       zelto-probe --install CLIENT-FOLDER [--kind cocos|quorra3d]\n"
    "       zelto-probe --help\n"
    "\n"
    "A stand-in game client. Installed in a client folder as Game.exe (cocos client) or\n"
    "Quorra3D.exe (Quorra3D client), the launcher starts it like the real client. It deciphers\n"
    "its first argument as the launch record and reads the environment file of its kind from\n"
    "its working folder (env.json, or Quorra3D_Data/StreamingAssets/env.json when it runs as\n"
    "Quorra3D.exe), and writes both, with its arguments and working folder, as one JSON object\n"
    "(keys program, arguments, workingDirectory, clientKind, launch or launchError,\n"
    "environmentFile, environment or environmentError).\n"
    "\n"
    "--install copies this program into CLIENT-FOLDER under the kind's executable name and adds\n"
    "the folders and marker files that make the launcher accept the folder as a client\n"
    "(default kind: cocos).\n"
    "\n"
    "Environment:\n"
    "  ZELTO_PROBE_OUT   file to write the JSON to (default: the program's path + \".probe.json\")\n"
    "  ZELTO_PROBE_EXIT  exit status to end with once the JSON is written (default 0)\n"
    "\n"
    "Exit status: ZELTO_PROBE_EXIT after a run, 0 after --install; 1 the JSON or the\n"
    "installation could not be written; 2 bad arguments or a bad ZELTO_PROBE_EXIT.\n";

int Fail(int status, const QString &message)
{
    std::fprintf(stderr, "zelto-probe: %s\n", message.toUtf8().constData());
    return status;
}

int Install(const QStringList &arguments)
{
    if (arguments.size() != 1 && !(arguments.size() == 3 && arguments.at(1) == QLatin1String("--kind")))
        return Fail(kExitBadInput, QStringLiteral("--install takes CLIENT-FOLDER [--kind cocos|quorra3d] (see --help)"));
    TClientKind kind = TClientKind::Cocos;
    if (arguments.size() == 3) {
        if (arguments.at(2) == KindName(TClientKind::Quorra3D))
            kind = TClientKind::Quorra3D;
        else if (arguments.at(2) != KindName(TClientKind::Cocos))
            return Fail(kExitBadInput, QStringLiteral("unknown client kind '%1' (cocos or quorra3d)").arg(arguments.at(2)));
    }
    try {
        const QString executable = InstallProbe(QCoreApplication::applicationFilePath(), arguments.first(), kind);
        std::printf("installed %s\n", executable.toUtf8().constData());
        return 0;
    } catch (const std::runtime_error &error) {
        return Fail(kExitWriteFailed, QString::fromStdString(error.what()));
    }
}

int Record(const QString &program, const QStringList &arguments)
{
    bool validStatus = true;
    const QString chosenStatus = qEnvironmentVariable(kExitVariable);
    const int status = chosenStatus.isEmpty() ? 0 : chosenStatus.toInt(&validStatus);

    const QString output = OutputPath(program);
    const QByteArray json = QJsonDocument(ProbeReport(program, arguments, QDir::currentPath())).toJson(QJsonDocument::Indented);
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        return Fail(kExitWriteFailed, QStringLiteral("cannot write the report %1: %2").arg(output, file.errorString()));
    if (!validStatus)
        return Fail(kExitBadInput, QStringLiteral("%1 is '%2', not a number").arg(QLatin1String(kExitVariable), chosenStatus));
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    // The program as it was started (Game.exe), not the file behind a link; a bare name was
    // found on the search path.
    const QString started = arguments.takeFirst();
    const QString program = started.contains(QLatin1Char('/')) ? QDir::current().absoluteFilePath(started)
                                                               : QCoreApplication::applicationFilePath();
    const QString first = arguments.value(0);
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == QLatin1String("--install"))
        return Install(arguments.mid(1));
    return Record(program, arguments);
}
