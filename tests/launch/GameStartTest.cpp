#include "launch/GameStart.h"

#include "app/LocalSettings.h"
#include "app/PasswordCodec.h"
#include "app/RunningClients.h"
#include "catalog/uServerList.h"
#include "launch/BrelPath.h"
#include "launch/GameEnvironment.h"
#include "launch/GameType.h"
#include "launch/LaunchInspection.h"
#include "platform/PlatformSession.h"

#include "support/ClientKinds.h"
#include "support/LocalState.h"
#include "support/PackedLauncherFixture.h"
#include "support/ProbeClient.h"
#include "support/QtPrinters.h"
#include "support/RecordingNotifier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

#include <gtest/gtest.h>

namespace zelto {
namespace {

// The controller's side of the game start, recorded.
class RecordingHost final : public IGameStartHost {
public:
    const TLauncherConfiguration &Configuration() const override { return configuration; }
    const TServerInfo &ServerInfo() const override { return serverInfo; }
    TSelectedServer SelectedServer() const override { return server; }
    void OpenFirstAidRun() override { ++firstAidRuns; }
    void EndLauncher() override { ++ends; }
    void Print(TMessageType type, const QString &message) override { statuses.append({ type, message }); }

    struct Status {
        TMessageType type;
        QString message;
    };

    TLauncherConfiguration configuration = testing::SampleConfiguration();
    TServerInfo serverInfo;
    TSelectedServer server { QStringLiteral(u"一区 龙腾"), "c2VydmVyLWtleQ==", QStringLiteral("10.1.2.3"), 7000, 21 };
    int firstAidRuns = 0;
    int ends = 0;
    QList<Status> statuses;
};

class GameStart : public ::testing::TestWithParam<testing::TClientKindCase> {
protected:
    void SetUp() override
    {
        GameType = QLatin1String(GetParam().gameType);
        // A folder with a space: the client must still be the program started.
        g_sBrelPath = m_state.Path() + QStringLiteral("/My Client/");
        m_state.SetEnvironment("ZELTO_PROBE_OUT", ReportPath().toLocal8Bit());
        m_host.serverInfo.SetResFolder(QStringLiteral("Res"));
        m_host.serverInfo.ClientType = 2;
        TPlatformSession &session = PlatformSession();
        session.account = QStringLiteral("player");
        session.user_id = session.userid = QStringLiteral("u-1");
        session.token = session.ext_token = QStringLiteral("t-1");
        g_sResolution = QStringLiteral("1280*720");
        g_boFullScreen = false;
        g_boWaitVBlank = false;
        g_nScreenWidth = 1600;
        g_nScreenHeight = 900;
    }

    QString ReportPath() const { return m_state.Path() + QStringLiteral("/probe.json"); }
    QString Executable() const { return g_sBrelPath + ClientLayout(GetParam().kind).executable; }
    QString EnvironmentFile() const { return EnvironmentFilePath(CurrentGameClient()); }
    void InstallClient() { ASSERT_FALSE(testing::InstallProbeClient(g_sBrelPath, GetParam().kind).isEmpty()); }

    void ExpectRefusal(const QString &message)
    {
        ASSERT_EQ(m_notifier.messages.size(), 1);
        EXPECT_EQ(m_notifier.messages.first().text, message);
        EXPECT_EQ(m_notifier.messages.first().caption, QStringLiteral(u"提示"));
        EXPECT_EQ(m_notifier.messages.first().icon, NoticeIcon::Error);
        EXPECT_EQ(m_host.ends, 0);
    }

    void ExpectErrorStatus(const QString &message)
    {
        ASSERT_EQ(m_host.statuses.size(), 1);
        EXPECT_EQ(m_host.statuses.first().type, TMessageType::mtError);
        EXPECT_EQ(m_host.statuses.first().message, message);
        EXPECT_EQ(m_host.ends, 0);
    }

    testing::ScopedLocalState m_state;
    testing::RecordingNotifier m_notifier;
    RecordingHost m_host;
    TGameStart m_start { m_host };
};

TEST_P(GameStart, NoServerChosen)
{
    InstallClient();
    m_host.server.id = 0;
    m_start.StartGame();
    ExpectRefusal(QStringLiteral(u"请先选择游戏区！"));
    EXPECT_FALSE(QFileInfo::exists(EnvironmentFile()));
    EXPECT_TRUE(PlatformSession().LoggedIn());
}

TEST_P(GameStart, MissingExecutableIsReportedOnTheStatusLine)
{
    InstallClient();
    ASSERT_TRUE(QFile::remove(Executable()));
    m_start.StartGame();
    ExpectErrorStatus(QStringLiteral(u"客户端文件“%1”不存在，无法启动游戏").arg(ClientLayout(GetParam().kind).executable));
    EXPECT_FALSE(QFileInfo::exists(EnvironmentFile()));
}

TEST_P(GameStart, RunningClientsAreLimitedByTheCatalogue)
{
    InstallClient();
    const struct {
        quint8 maxClient;
        int running;
    } cases[] = { { 0, 0 }, { 2, 2 } };
    for (const auto &c : cases) {
        m_notifier.messages.clear();
        m_host.serverInfo.MaxClient = c.maxClient;
        RunningClients() = QStringList(c.running, QStringLiteral("1"));
        m_start.StartGame();
        ExpectRefusal(QStringLiteral(u"不可打开更多的客户端！"));
    }
    EXPECT_FALSE(QFileInfo::exists(EnvironmentFile()));
}

// The next press of start logs in again: the controller sees no user id.
TEST_P(GameStart, FailedStartIsReportedAndTheUserIdIsGone)
{
    InstallClient();
    ASSERT_TRUE(QFile::setPermissions(Executable(), QFile::ReadOwner | QFile::WriteOwner));
    m_start.StartGame();
    ExpectErrorStatus(QStringLiteral(u"游戏启动失败.Error:13")); // EACCES
    EXPECT_TRUE(QFileInfo::exists(EnvironmentFile()));
    EXPECT_TRUE(RunningClients().isEmpty());
    EXPECT_FALSE(PlatformSession().LoggedIn());
}

TEST_P(GameStart, UnwritableEnvironmentStartsNothing)
{
    InstallClient();
    ASSERT_TRUE(QDir().mkpath(EnvironmentFile()));
    m_start.StartGame();
    ExpectRefusal(QStringLiteral(u"无法写入游戏环境文件“%1”，游戏未启动").arg(EnvironmentFile()));
    EXPECT_TRUE(RunningClients().isEmpty());
    EXPECT_TRUE(PlatformSession().LoggedIn());
}

TEST_P(GameStart, ClientReceivesExactlyWhatWasBuiltAndTheLauncherEnds)
{
    InstallClient();
    const QJsonObject environment = GameEnvironmentDocument(m_host.configuration, g_sResolution, 21, PlatformSession());
    const QJsonObject launch = LaunchRecordToJson(BuildLaunchRecord(m_host.server, m_host.serverInfo, CurrentDisplaySettings()));
    m_start.StartGame();
    EXPECT_TRUE(m_host.statuses.isEmpty());
    EXPECT_TRUE(m_notifier.messages.isEmpty());
    EXPECT_EQ(m_host.ends, 1);
    ASSERT_EQ(RunningClients().size(), 1);
    EXPECT_GT(RunningClients().first().toLongLong(), 0);
    EXPECT_FALSE(PlatformSession().LoggedIn());

    const QJsonObject report = testing::WaitForProbeReport(ReportPath());
    EXPECT_EQ(report.value("program").toString(), Executable());
    EXPECT_EQ(report.value("arguments").toArray().size(), 1);
    EXPECT_EQ(QDir(report.value("workingDirectory").toString()), QDir(g_sBrelPath));
    EXPECT_FALSE(report.contains("launchError")) << report.value("launchError").toString().toStdString();
    EXPECT_EQ(report.value("launch").toObject(), launch);
    EXPECT_FALSE(report.contains("environmentError")) << report.value("environmentError").toString().toStdString();
    EXPECT_EQ(report.value("environment").toObject(), environment);
    // What was built carries the choices, not defaults.
    EXPECT_EQ(launch.value("serverName"), QJsonValue(QStringLiteral(u"一区 龙腾")));
    EXPECT_EQ(launch.value("width"), QJsonValue(1600));
    EXPECT_EQ(launch.value("waitVBlank"), QJsonValue(0));
    EXPECT_EQ(environment.value("user_id"), QJsonValue("u-1"));
    EXPECT_EQ(environment.value("resolution"), QJsonValue("1280x720"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, GameStart, ::testing::ValuesIn(testing::kClientKinds), testing::ClientKindName);

// A Windows client on this system runs through wine.
class WindowsClient : public GameStart {
protected:
    void SetUp() override
    {
        GameStart::SetUp();
        InstallClient();
        testing::WriteFile(Executable(), testing::MakePe32Image());
        QDir(m_state.Path()).mkpath(QStringLiteral("bin"));
        m_state.SetEnvironment("PATH", (m_state.Path() + QStringLiteral("/bin")).toLocal8Bit());
    }

    QString WineLog() const { return m_state.Path() + QStringLiteral("/wine.log"); }

    void InstallFakeWine()
    {
        const QString wine = m_state.Path() + QStringLiteral("/bin/wine");
        testing::WriteFile(wine, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$@\" > '%1.part'\n/bin/mv '%1.part' '%1'\n")
                                     .arg(WineLog()).toLocal8Bit());
        ASSERT_TRUE(QFile::setPermissions(wine, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
};

TEST_P(WindowsClient, StartsThroughWineWhenInstalled)
{
    InstallFakeWine();
    m_start.StartGame();
    EXPECT_TRUE(m_host.statuses.isEmpty());
    EXPECT_EQ(m_host.ends, 1);
    const QStringList lines = QString::fromLocal8Bit(testing::WaitForFile(WineLog())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(QDir(lines[0]), QDir(g_sBrelPath));
    EXPECT_EQ(lines[1], Executable());
    EXPECT_TRUE(DecodeLaunchArgument(lines[2]).Ok());
}

TEST_P(WindowsClient, WithoutWineThePlayerIsTold)
{
    m_start.StartGame();
    ExpectErrorStatus(QStringLiteral(u"“%1”是Windows程序，需要先安装wine才能运行").arg(ClientLayout(GetParam().kind).executable));
    EXPECT_TRUE(RunningClients().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, WindowsClient, ::testing::ValuesIn(testing::kClientKinds), testing::ClientKindName);

} // namespace
} // namespace zelto
