// The start button's road through the real controller and its bound subsystems, with
// zelto-probe as the client.
#include "app/LocalSettings.h"
#include "app/RunningClients.h"
#include "app/Termination.h"
#include "app/uLogin.h"
#include "launch/BrelPath.h"
#include "platform/PlatformSession.h"
#include "protocol/SelectedServer.h"

#include "support/LocalState.h"
#include "support/PackedLauncherFixture.h"
#include "support/ProbeClient.h"
#include "support/QtPrinters.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

namespace zelto {
namespace {

// Ends the test program's event loops for good (the launcher ends): this test runs last in
// its process, as ctest runs every test in a process of its own.
TEST(ControllerGameStart, LoggedInPlayerStartsTheClientAndTheLauncherEnds)
{
    testing::ScopedLocalState state;
    testing::RecordingNotifier notifier;
    const QString report = state.Path() + QStringLiteral("/report.json");
    state.SetEnvironment("ZELTO_PROBE_OUT", report.toLocal8Bit());
    g_sBrelPath = state.Path() + QStringLiteral("/client/");
    testing::InstallProbeClient(g_sBrelPath, TClientKind::Cocos);

    TuClientApp app(testing::SampleConfiguration());
    app.ServerInfo().SetResFolder(QStringLiteral("Res"));
    // What the login-gate session keeps when the player picks a server.
    g_sServerName = QStringLiteral(u"三区");
    g_sServerKey = "a2V5";
    g_sServerAddr = QStringLiteral("127.0.0.1");
    g_nServerPort = 7200;
    g_nServerID = 33;
    g_nScreenWidth = 1280;
    g_nScreenHeight = 720;
    PlatformSession().account = QStringLiteral("player");
    PlatformSession().user_id = QStringLiteral("u-7");

    app.StartGame();
    EXPECT_TRUE(notifier.messages.isEmpty());
    EXPECT_TRUE(ApplicationTerminationRequested());
    EXPECT_EQ(RunningClients().size(), 1);

    const QJsonObject received = testing::WaitForProbeReport(report);
    const QJsonObject launch = received.value("launch").toObject();
    EXPECT_EQ(launch.value("serverName"), QJsonValue(QStringLiteral(u"三区")));
    EXPECT_EQ(launch.value("serverAddr"), QJsonValue("127.0.0.1"));
    EXPECT_EQ(launch.value("port"), QJsonValue(7200));
    EXPECT_EQ(launch.value("resFolder"), QJsonValue("Res\\"));
    EXPECT_EQ(launch.value("width"), QJsonValue(1280));
    const QJsonObject environment = received.value("environment").toObject();
    EXPECT_EQ(environment.value("serverId"), QJsonValue(33));
    EXPECT_EQ(environment.value("user_id"), QJsonValue("u-7"));
    EXPECT_EQ(environment.value("channel"), QJsonValue(1201));
}

} // namespace
} // namespace zelto
