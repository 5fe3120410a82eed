// zelto-opsim: serves the operator's side of a deployment on loopback, as a scenario file
// describes it, and records every request the launcher makes.
#include "GateService.h"
#include "OpSim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QSaveFile>

#include <csignal>
#include <cstdio>

namespace {

constexpr int kExitStopped = 0;
constexpr int kExitCannotRun = 1;
constexpr int kExitUsage = 2;

const char kDescription[] =
    "Serves the operator's side of a deployment (catalogue gateway, mod lists, server lists,\n"
    "backups, ...) on 127.0.0.1, as the scenario file describes it, and records every request.\n"
    "Prints \"ZELTO_OPSIM_BASE=http://127.0.0.1:<port>\" on standard output once it serves and\n"
    "runs until it receives SIGINT or SIGTERM.\n"
    "\n"
    "While it runs:  GET /__opsim/log (request log as JSON), DELETE /__opsim/log,\n"
    "                GET /__opsim/endpoints, POST /__opsim/fault {\"endpoint\": NAME, \"fault\": {...}}\n"
    "                POST /__opsim/gate {\"gate\": NAME, \"mode\": MODE, \"do\": [actions]}\n"
    "\n"
    "Exit codes: 0 stopped by a signal, 1 could not serve or write a file, 2 usage or scenario error.\n"
    "The scenario format is described in tools/opsim/README.md.";

void PrintError(const QString &message)
{
    std::fprintf(stderr, "zelto-opsim: %s\n", message.toLocal8Bit().constData());
}

bool WriteFile(const QString &fileName, const QByteArray &content)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    PrintError(QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString()));
    return false;
}

sigset_t StopSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    return stopSignals;
}

} // namespace

int main(int argc, char **argv)
{
    // Block the stop stopSignals before any thread starts, so that only sigwait receives them.
    const sigset_t stopSignals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelto-opsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    const QCommandLineOption scenarioOption(QStringLiteral("scenario"), QStringLiteral("The scenario file (JSON)."), QStringLiteral("FILE"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("The port to serve on; 0 (default) picks a free one."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption portFileOption(QStringLiteral("port-file"), QStringLiteral("Also write the port, one line, to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption logOption(QStringLiteral("log"), QStringLiteral("Write the request log (JSON) to FILE when stopping."), QStringLiteral("FILE"));
    const QCommandLineOption checkOption(QStringLiteral("check"), QStringLiteral("Check the scenario, list its endpoints and exit."));
    parser.addOptions({scenarioOption, portOption, portFileOption, logOption, checkOption});
    if (!parser.parse(QCoreApplication::arguments())) {
        PrintError(parser.errorText() + QStringLiteral(" (see --help)"));
        return kExitUsage;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(kExitStopped);
    if (!parser.isSet(scenarioOption) || !parser.positionalArguments().isEmpty()) {
        PrintError(QStringLiteral("usage: zelto-opsim --scenario FILE [--port N] [--port-file FILE] [--log FILE] [--check]"));
        return kExitUsage;
    }
    bool portValid = false;
    const uint port = parser.value(portOption).toUInt(&portValid);
    if (!portValid || port > 65535) {
        PrintError(QStringLiteral("--port takes a number from 0 to 65535"));
        return kExitUsage;
    }

    std::unique_ptr<zelto::opsim::OpSim> simulator;
    try {
        simulator = std::make_unique<zelto::opsim::OpSim>(zelto::opsim::LoadScenarioFile(parser.value(scenarioOption)));
    } catch (const zelto::opsim::TScenarioError &error) {
        PrintError(QString::fromUtf8(error.what()));
        return kExitUsage;
    }
    if (parser.isSet(checkOption)) {
        std::fputs(QJsonDocument(simulator->EndpointsJson()).toJson().constData(), stdout);
        return kExitStopped;
    }
    try {
        simulator->Start(quint16(port));
    } catch (const std::exception &error) {
        PrintError(QString::fromLocal8Bit(error.what()));
        return kExitCannotRun;
    }
    if (parser.isSet(portFileOption)
        && !WriteFile(parser.value(portFileOption), QByteArray::number(simulator->Port()) + '\n'))
        return kExitCannotRun;
    std::printf("ZELTO_OPSIM_BASE=%s\n", simulator->BaseUrl().toLatin1().constData());
    if (const zelto::opsim::TGateService *gates = simulator->Gates()) {
        for (const QString &name : gates->Names())
            std::printf("ZELTO_OPSIM_GATE=%s 127.0.0.1:%u\n", name.toUtf8().constData(), unsigned(gates->Port(name)));
    }
    std::fflush(stdout);
    std::fprintf(stderr, "zelto-opsim: serving on %s; stop with Ctrl+C\n", simulator->BaseUrl().toLatin1().constData());

    int received = 0;
    sigwait(&stopSignals, &received);
    simulator->Stop();
    if (parser.isSet(logOption)
        && !WriteFile(parser.value(logOption), QJsonDocument(simulator->LogJson()).toJson(QJsonDocument::Indented)))
        return kExitCannotRun;
    return kExitStopped;
}
