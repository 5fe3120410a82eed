#include "PlatformFixture.h"

#include "app/LocalSettings.h"
#include "app/Termination.h"
#include "launch/BrelPath.h"
#include "platform/FSmallAccount.h"
#include "protocol/SelectedServer.h"
#include "support/EventWait.h"
#include "support/ProbeClient.h"
#include "SkinFiles.h"
#include "ui/SkinBuilder.h"
#include "ui/uCliTypes.h"
#include "ui/uMainFrm.h"
#include "ui/uSplashFrm.h"

#include <QFile>
#include <QKeyEvent>
#include <QListWidget>

namespace zelto::testing {
namespace {

// The launcher's default skin: boxes, login switch on password login, start button, status line.
TComponentNode DefaultSkin()
{
    return pack::ReadSkinTextFile(QStringLiteral(ZELTO_SOURCE_DIR "/skins/default/skin.txt"));
}

// Types text into a box key by key, as a player would.
void Type(QWidget &box, const QString &text)
{
    box.setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(&box, &press);
    }
}

class LoginWindow : public PlatformTest {
protected:
    void OpenWindow()
    {
        Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1,
                   {{"user_id", "501"},
                       {"small_list", QJsonArray{SmallAccount("s-1", "first", "一号"), SmallAccount("s-2", "second", "二号")}}})}}});
        shadow = std::make_unique<TSplashForm_Login_ZeltoPrime>(app.get());
        window = new TMainForm(*shadow, app.get());
        shadow->SetMainForm(window);
        const TComponentNode skin = DefaultSkin();
        window->FormCreate([&skin](TuCustomForm &form) { ReadComponentTree(form, skin); });
        app->SetButtonsEnabled(true); // as the login gate does once it is connected
        // The player picks the second sub-account with the keyboard and presses Enter.
        player = [](QDialog &dialog) {
            auto &choice = static_cast<TFrmSmallAccount &>(dialog);
            choice.List().setFocus();
            for (int key : {Qt::Key_Down, Qt::Key_Return}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QCoreApplication::sendEvent(key == Qt::Key_Down ? static_cast<QWidget *>(&choice.List()) : &dialog, &press);
            }
        };
    }

    void PressStartAsThePlayer()
    {
        ASSERT_TRUE(app->EditID && app->EditPW);
        Type(*app->EditID, QStringLiteral("player1"));
        Type(*app->EditPW, QStringLiteral("secret1"));
        auto *start = window->findChild<QAbstractButton *>(QStringLiteral("Start"));
        ASSERT_TRUE(start && start->isEnabled());
        start->click();
        EXPECT_TRUE(start->isEnabled()); // disabled only while the press runs
    }

    QString StatusLine() const { return window->findChild<QLabel *>(QStringLiteral("Status"))->text(); }

    void TearDown() override
    {
        delete window;
        shadow.reset();
        PlatformTest::TearDown();
    }

    std::unique_ptr<TSplashForm_Login_ZeltoPrime> shadow;
    QPointer<TMainForm> window;
};

TEST_F(LoginWindow, APlayerLogsInChoosesASubAccountAndReachesTheGameStart)
{
    OpenWindow();
    BindGameStart();
    PressStartAsThePlayer();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_EQ(dialogsShown, 1);
    ASSERT_EQ(gameStarts.size(), 1);
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("s-2"));
    EXPECT_EQ(gameStarts[0].token, QStringLiteral("gt-s-2"));
    EXPECT_EQ(gameStarts[0].small_user_name, QStringLiteral("second"));
    EXPECT_EQ(gameStarts[0].account, QStringLiteral("player1"));
    EXPECT_EQ(LastRequest("login").Field("username"), QStringLiteral("player1"));
    EXPECT_EQ(LastRequest("login").ext.value("event").toString(), QStringLiteral("password"));
}

// The client the player's press ends in: zelto-probe installed in the client folder, and the
// server the login-gate session keeps once the player picked one.
class LoginToClient : public LoginWindow {
protected:
    void SetUp() override
    {
        LoginWindow::SetUp();
        state.SetEnvironment("ZELTO_PROBE_OUT", Report().toLocal8Bit());
        g_sBrelPath = state.Path() + QStringLiteral("/client/");
        ASSERT_FALSE(InstallProbeClient(g_sBrelPath, TClientKind::Cocos).isEmpty());
        g_sServerName = QStringLiteral(u"二区 烈焰");
        g_sServerKey = "a2V5LTI=";
        g_sServerAddr = QStringLiteral("127.0.0.1");
        g_nServerPort = 7200;
        g_nServerID = 12;
    }

    // The start-up pass applies the catalogue's display presets; the player's choices in the
    // settings come after it.
    void OpenWindowWithSettings()
    {
        OpenWindow();
        ASSERT_TRUE(WaitFor([this] { return !app->FAtCheckVer; }));
        app->SetButtonsEnabled(true); // the pass filled the tree; the gate is taken as connected again
        g_sResolution = QStringLiteral("1280x720");
        g_nScreenWidth = 1280;
        g_nScreenHeight = 720;
    }

    QString Report() const { return state.Path() + QStringLiteral("/report.json"); }
};

TEST_F(LoginToClient, APlayerLogsInChoosesASubAccountAndTheClientStarts)
{
    OpenWindowWithSettings();
    PressStartAsThePlayer();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_TRUE(ApplicationTerminationRequested());

    const QJsonObject received = WaitForProbeReport(Report());
    const QJsonObject launch = received.value("launch").toObject();
    EXPECT_EQ(launch.value("serverName"), QJsonValue(QStringLiteral(u"二区 烈焰")));
    EXPECT_EQ(launch.value("serverKey"), QJsonValue("a2V5LTI="));
    EXPECT_EQ(launch.value("port"), QJsonValue(7200));
    EXPECT_EQ(launch.value("width"), QJsonValue(1280));
    const QJsonObject environment = received.value("environment").toObject();
    EXPECT_EQ(environment.value("serverId"), QJsonValue(12));
    EXPECT_EQ(environment.value("user_name"), QJsonValue("player1"));
    EXPECT_EQ(environment.value("user_id"), QJsonValue("s-2"));
    EXPECT_EQ(environment.value("token"), QJsonValue("gt-s-2"));
    EXPECT_EQ(environment.value("small_user_name"), QJsonValue("second"));
    EXPECT_EQ(environment.value("juhe_small_id"), QJsonValue("s-2"));
    EXPECT_EQ(environment.value("ext_uid"), QJsonValue("501"));
    EXPECT_EQ(environment.value("resolution"), QJsonValue("1280x720"));
    EXPECT_EQ(environment.value("sdkAppid"), QJsonValue("app-1"));
}

TEST_F(LoginToClient, AClientThatDoesNotStartSendsTheNextPressToTheLogin)
{
    ASSERT_TRUE(QFile::setPermissions(g_sBrelPath + QStringLiteral("Game.exe"), QFile::ReadOwner | QFile::WriteOwner));
    OpenWindow();
    PressStartAsThePlayer();
    EXPECT_EQ(StatusLine(), QStringLiteral(u"游戏启动失败.Error:13"));
    EXPECT_FALSE(ApplicationTerminationRequested());
    auto *start = window->findChild<QAbstractButton *>(QStringLiteral("Start"));
    ASSERT_TRUE(start);
    start->click();
    EXPECT_EQ(Requests("login").size(), 2);
}

TEST_F(LoginToClient, WithoutAServerTheLoginEndsAtTheServerChoice)
{
    g_nServerID = 0;
    OpenWindow();
    PressStartAsThePlayer();
    EXPECT_EQ(Messages(), QStringList { QStringLiteral(u"请先选择游戏区！") });
    EXPECT_EQ(Requests("sec_login").size(), 1);
    EXPECT_FALSE(ApplicationTerminationRequested());
}

} // namespace
} // namespace zelto::testing
