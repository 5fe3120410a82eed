#include "PlatformFixture.h"

#include "app/HttpClient.h"
#include "os/TickCount.h"
#include "platform/FRealName.h"

#include <QDesktopServices>
#include <QUrl>

namespace zelto::testing {
namespace {

// Stands in for the browser: records the addresses the launcher opens.
class TBrowser : public QObject {
    Q_OBJECT
public:
    TBrowser() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open"); }
    ~TBrowser() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    Q_INVOKABLE void Open(const QUrl &url) { opened << url.toString(); }

    QStringList opened;
};

class ThirdPartyLogin : public PlatformTest {
protected:
    void ServeKinds(QJsonObject qq, int qqAccountIsReal = 1)
    {
        qq.insert("account", "qquser");
        Serve({{"accounts", QJsonArray{Account("qquser", "", qqAccountIsReal, {{"user_id", "8001"},
                                {"ext", QJsonObject{{"username", "QQ玩家"}, {"small_id", "qs-1"}, {"uid", "u-8"}}}}),
                   Account("wxuser", "", 1)}},
            {"thirdLogin", QJsonObject{{"qq", qq}, {"weixin", QJsonObject{{"account", "wxuser"}}}}}});
        BindGameStart();
    }
    static void Tick(QTimer &timer) { QMetaObject::invokeMethod(&timer, "timeout"); }

    TBrowser browser;
};

TEST_F(ThirdPartyLogin, EachKindAsksForItsAddressAndPollingStarts)
{
    ServeKinds({});
    app->LoginQueryQQandWXUrl(2);
    const TPlatformRequestSeen qq = LastRequest("third_login_url");
    EXPECT_EQ(qq.Field("third_login_type"), QStringLiteral("qq"));
    for (const char *name : {"platform", "cpgameid", "subject", "game_id", "agent_id", "server_id", "place_id", "promote_id", "yx_extend"})
        EXPECT_TRUE(qq.Has(name)) << name;
    EXPECT_FALSE(qq.ext.contains("event"));
    EXPECT_TRUE(qq.ext.contains("device_id"));
    EXPECT_TRUE(app->FTimerQuyery.isActive());
    EXPECT_LE(os::TickCount() - app->QueryTickCount, 1000u);
    const QString key = PlatformSession().query_key;
    EXPECT_FALSE(key.isEmpty());
    EXPECT_EQ(browser.opened, QStringList{simulator->BaseUrl() + "/third/authorize?query_key=" + key});

    app->LoginQueryQQandWXUrl(1);
    EXPECT_EQ(LastRequest("third_login_url").Field("third_login_type"), QStringLiteral("weixin"));
    app->LoginQueryQQandWXUrl(7);
    EXPECT_FALSE(LastRequest("third_login_url").Has("third_login_type"));
    EXPECT_TRUE(Messages().isEmpty()); // its refusal has neither word and no caption
    EXPECT_EQ(browser.opened.size(), 2);
}

TEST_F(ThirdPartyLogin, AnAnswerWithoutKeyOrWebAddressStartsNoPolling)
{
    for (const QJsonObject &qq : {QJsonObject{{"queryKey", ""}}, QJsonObject{{"url", ""}}, QJsonObject{{"url", "file:///etc/passwd"}}}) {
        ServeKinds(qq);
        app->LoginQueryQQandWXUrl(2);
        EXPECT_FALSE(app->FTimerQuyery.isActive());
        EXPECT_TRUE(browser.opened.isEmpty());
    }
}

TEST_F(ThirdPartyLogin, AResultAfterPendingPollsStartsTheGameAndEndsPolling)
{
    ServeKinds({{"pendingPolls", 1}});
    app->LoginQueryQQandWXUrl(2);
    Tick(app->FTimerQuyery);
    EXPECT_TRUE(gameStarts.isEmpty());
    EXPECT_TRUE(app->FTimerQuyery.isActive());
    Tick(app->FTimerQuyery);
    ASSERT_EQ(gameStarts.size(), 1);
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("8001"));
    EXPECT_EQ(gameStarts[0].account, QStringLiteral("QQ玩家"));
    EXPECT_EQ(gameStarts[0].small_id, QStringLiteral("qs-1"));
    EXPECT_EQ(PlatformSession().uid, QStringLiteral("u-8"));
    EXPECT_EQ(PlatformSession().userid, QStringLiteral("8001"));
    EXPECT_FALSE(app->FTimerQuyery.isActive());
    EXPECT_EQ(LastRequest("third_login_result").Field("query_key"), PlatformSession().query_key);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(ThirdPartyLogin, OpeningTheAddressCompletesTheLogin)
{
    ServeKinds({{"pendingPolls", 100}});
    app->LoginQueryQQandWXUrl(2);
    ASSERT_EQ(browser.opened.size(), 1);
    ASSERT_TRUE(HttpFetch(HttpGet(browser.opened[0], "browser")).Ok);
    Tick(app->FTimerQuyery);
    EXPECT_EQ(gameStarts.size(), 1);
}

TEST_F(ThirdPartyLogin, AnUnverifiedAccountBindsItsRealNameFirst)
{
    ServeKinds({}, 0);
    QString title;
    player = [&](QDialog &dialog) { title = dialog.windowTitle(); };
    app->LoginQueryQQandWXUrl(2);
    Tick(app->FTimerQuyery);
    EXPECT_EQ(title, QStringLiteral("实名认证"));
    EXPECT_TRUE(gameStarts.isEmpty());
    EXPECT_FALSE(PlatformSession().LoggedIn()); // the dialog logs out when it goes
}

TEST_F(ThirdPartyLogin, PollingEndsAMinuteAfterItBegan)
{
    ServeKinds({{"pendingPolls", 100}});
    app->LoginQueryQQandWXUrl(2);
    app->QueryTickCount = os::TickCount() - 60000;
    Tick(app->FTimerQuyery);
    EXPECT_FALSE(app->FTimerQuyery.isActive());
    EXPECT_TRUE(Requests("third_login_result").isEmpty());
}

TEST_F(ThirdPartyLogin, AResultThatIsNotJsonIsReportedOnEveryTick)
{
    ServeKinds({});
    simulator->SetFault("third_login_result", opsim::TFault::FromJson(QJsonObject{{"kind", "garbage"}}, "test"));
    app->LoginQueryQQandWXUrl(2);
    Tick(app->FTimerQuyery);
    Tick(app->FTimerQuyery);
    EXPECT_EQ(Messages(), (QStringList{"连接服务器失败.", "连接服务器失败."}));
    EXPECT_TRUE(app->FTimerQuyery.isActive());
}

} // namespace
} // namespace zelto::testing

#include "ThirdPartyLoginTest.moc"
