// zelto-probe as an operator and the launcher run it: installed into a client folder, started
// with a launch argument, read back from its report.
#include "ProbeReport.h"

#include "app/PasswordCodec.h"
#include "launch/GameClient.h"
#include "launch/GameEnvironment.h"
#include "launch/LaunchInspection.h"
#include "launch/Xxtea.h"

#include "support/ClientKinds.h"
#include "support/PackedLauncherFixture.h"
#include "support/ProbeClient.h"
#include "support/QtPrinters.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelto {
namespace {

using testing::TToolRun;

class Probe : public ::testing::TestWithParam<testing::TClientKindCase> {
protected:
    QString ClientFolder() const { return m_folder.filePath(QStringLiteral("client")) + QLatin1Char('/'); }

    QJsonObject Report(const QString &path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    QTemporaryDir m_folder;
};

TEST_P(Probe, InstalledClientIsAcceptedAndReportsWhatItReceived)
{
    const QString executable = testing::InstallProbeClient(ClientFolder(), GetParam().kind);
    EXPECT_EQ(executable, ClientFolder() + ClientLayout(GetParam().kind).executable);
    EXPECT_TRUE(IsGameClientDir(ClientFolder(), GetParam().kind));

    const QJsonObject document { { "channel", 5 }, { "user_name", QStringLiteral(u"玩家") } };
    WriteEncryptedFile(EnvironmentFileName({ ClientFolder(), GetParam().kind }), EnvironmentText(document));
    TLaunchRecord record;
    record.ServerName.SetTextCut(QStringLiteral(u"一区"));
    const QString argument = EncryptLaunchArgument(record.ToBytes());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QLatin1String(probe::kOutputVariable));
    environment.insert(QLatin1String(probe::kExitVariable), QStringLiteral("7"));
    const TToolRun run = testing::RunProgram(executable, { argument }, ClientFolder(), environment);
    EXPECT_EQ(run.status, 7) << run.err.toStdString();

    const QJsonObject report = Report(executable + QStringLiteral(".probe.json")); // next to itself by default
    EXPECT_EQ(report.value("program").toString(), executable);
    EXPECT_EQ(report.value("arguments").toArray(), QJsonArray({ argument }));
    EXPECT_EQ(QDir(report.value("workingDirectory").toString()), QDir(ClientFolder()));
    EXPECT_EQ(report.value("clientKind").toString(), QLatin1String(GetParam().name));
    EXPECT_EQ(report.value("launch").toObject(), LaunchRecordToJson(record));
    EXPECT_EQ(report.value("environment").toObject(), document);
    EXPECT_FALSE(report.contains("launchError"));
    EXPECT_FALSE(report.contains("environmentError"));
}

TEST_P(Probe, BadInputIsReportedNotFatal)
{
    const QString executable = testing::InstallProbeClient(ClientFolder(), GetParam().kind);
    testing::WriteFile(EnvironmentFileName({ ClientFolder(), GetParam().kind }), "not an environment file");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString output = m_folder.filePath(QStringLiteral("report.json"));
    environment.insert(QLatin1String(probe::kOutputVariable), output);
    const TToolRun run = testing::RunProgram(executable, { QStringLiteral("/autoapp"), QStringLiteral("/strict") }, ClientFolder(), environment);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject report = Report(output);
    EXPECT_TRUE(report.value("launchError").toString().contains(QLatin1String("764")));
    EXPECT_TRUE(report.value("environmentError").toString().contains(QLatin1String("marker")));
    EXPECT_FALSE(report.contains("launch"));
    EXPECT_FALSE(report.contains("environment"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, Probe, ::testing::ValuesIn(testing::kClientKinds), testing::ClientKindName);

TEST(ProbeTool, HelpInstallAndErrors)
{
    QTemporaryDir folder;
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment unwritable = system;
    unwritable.insert(QLatin1String(probe::kOutputVariable), folder.filePath(QStringLiteral("missing/report.json")));
    QProcessEnvironment badStatus = system;
    badStatus.insert(QLatin1String(probe::kOutputVariable), folder.filePath(QStringLiteral("report.json")));
    badStatus.insert(QLatin1String(probe::kExitVariable), QStringLiteral("seven"));
    const struct {
        const char *name;
        QStringList arguments;
        QProcessEnvironment environment;
        int status;
        const char *says; // on standard output for status 0, else on standard error
    } cases[] = {
        { "help", { "--help" }, system, 0, "ZELTO_PROBE_OUT" },
        { "install", { "--install", folder.filePath("c"), "--kind", "quorra3d" }, system, 0, "Quorra3D.exe" },
        { "unknown kind", { "--install", folder.filePath("c"), "--kind", "unity" }, system, 2, "unity" },
        { "install without folder", { "--install" }, system, 2, "CLIENT-FOLDER" },
        { "unwritable report", { "x" }, unwritable, 1, "missing/report.json" },
        { "bad exit status", { "x" }, badStatus, 2, "ZELTO_PROBE_EXIT" },
    };
    for (const auto &c : cases) {
        const TToolRun result = testing::RunProgram(testing::ProbeProgram(), c.arguments, folder.path(), c.environment);
        EXPECT_EQ(result.status, c.status) << c.name << ": " << result.err.toStdString();
        EXPECT_TRUE((c.status == 0 ? result.out : result.err).contains(QLatin1String(c.says))) << c.name;
    }
    EXPECT_TRUE(IsGameClientDir(folder.filePath(QStringLiteral("c/")), TClientKind::Quorra3D));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("report.json")))); // written before the bad status was refused
}

} // namespace
} // namespace zelto
