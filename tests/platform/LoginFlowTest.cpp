#include "PlatformFixture.h"

#include "app/LocalSettings.h"
#include "platform/FSmallAccount.h"
#include "ui/uCliTypes.h"

#include <QCryptographicHash>
#include <QListWidget>
#include <QPushButton>

namespace zelto::testing {
namespace {

const QString kMissingUserId = QStringLiteral("登录失败，平台未返回用户编号");

QJsonObject TwoSubAccounts(int isReal)
{
    return Account("player1", "secret1", isReal,
        {{"user_id", "501"}, {"token", "tk-501"},
            {"ext", QJsonObject{{"username", "player1_main"}, {"extra_param", "xp-1"}, {"user_birthday", "1990-01-01"},
                        {"user_certification", "1"}, {"uid", "u-9"}}},
            {"small_list", QJsonArray{SmallAccount("s-1", "first", "一号"), SmallAccount("s-2", "second", "二号")}}});
}

class LoginFlow : public PlatformTest {};

TEST_F(LoginFlow, SendsTheMainListSortedAndSignedWithTheExtObject)
{
    Serve({{"accounts", QJsonArray{TwoSubAccounts(0)}}});
    BindGameStart();
    g_nSID = 12;
    PressStart("player1", "secret1");

    const TPlatformRequestSeen login = LastRequest("login");
    EXPECT_EQ(login.Names(), (QStringList{"code_type", "cpgameid", "ext", "password", "platform", "subject", "username",
                                 "yx_extend", "sign"}));
    EXPECT_EQ(login.Field("password"), QStringLiteral("secret1"));
    EXPECT_EQ(login.Field("platform"), QStringLiteral("zelto"));
    EXPECT_EQ(login.ext.value("event").toString(), QStringLiteral("password"));
    EXPECT_EQ(login.ext.value("server_id").toString(), QStringLiteral("12"));
    EXPECT_EQ(login.ext.value("game_id").toString(), QStringLiteral("77"));
    EXPECT_EQ(login.ext.value("model").toString(), QStringLiteral("pc"));
    EXPECT_EQ(login.ext.value("width").toString(), QStringLiteral("1024"));
    EXPECT_EQ(login.ext.value("device_id").toString(), Platform().Client().Context().deviceId);
    EXPECT_FALSE(login.ext.contains("token")); // no phone code was asked for
    const opsim::TRecordedRequest recorded = Requests("login").last();
    EXPECT_EQ(recorded.Header("User-Agent"), QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    EXPECT_EQ(recorded.Header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(g_sAccount, QStringLiteral("player1"));
}

TEST_F(LoginFlow, ChineseValuesAreSignedAsQuestionMarksAndSentAsUtf8)
{
    Serve({{"accounts", QJsonArray{Account("张三", "密码abc", 1, {{"ext", QJsonValue::Null}})}}});
    PressStart("张三", "密码abc");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString(); // the platform accepted the signature
    EXPECT_EQ(PlatformSession().user_id, QStringLiteral("10001"));

    const TPlatformRequestSeen login = LastRequest("login");
    EXPECT_TRUE(login.body.contains("username=%E5%BC%A0%E4%B8%89&")) << login.body.toStdString();
    EXPECT_TRUE(login.body.contains("password=%E5%AF%86%E7%A0%81abc&"));
    QStringList lines;
    for (const auto &[name, value] : login.fields)
        if (name != QLatin1String("sign"))
            lines << name + '=' + value;
    QByteArray signedText = lines.join('&').toUtf8();
    signedText.replace(QStringLiteral("张三").toUtf8(), "??").replace(QStringLiteral("密码").toUtf8(), "??");
    signedText += "Va7kQ2nLw9ZtR4hXc8JmB3yPe6GsD1uFqK5oYi0WbN7xTjH2lMz4CvS9rA3gE8dU";
    EXPECT_EQ(login.Field("sign").toLatin1(), QCryptographicHash::hash(signedText, QCryptographicHash::Md5).toHex());
}

TEST_F(LoginFlow, RealZeroTakesTheFirstSubAccountAndStartsTheGame)
{
    Serve({{"accounts", QJsonArray{TwoSubAccounts(0)}}});
    BindGameStart();
    PressStart("player1", "secret1");
    EXPECT_EQ(dialogsShown, 0);
    ASSERT_EQ(gameStarts.size(), 1);
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("501"));
    EXPECT_EQ(gameStarts[0].small_id, QStringLiteral("s-1"));
    EXPECT_EQ(gameStarts[0].small_user_name, QStringLiteral("first"));
    EXPECT_EQ(gameStarts[0].account, QStringLiteral("player1_main"));
    const TPlatformSession &session = PlatformSession();
    EXPECT_TRUE(session.user_id.isEmpty()); // a failed start needs a new login
    EXPECT_TRUE(session.small_id.isEmpty());
    EXPECT_EQ(session.userid, QStringLiteral("501"));
    EXPECT_EQ(session.ext_token, QStringLiteral("tk-501"));
    EXPECT_EQ(session.password, QStringLiteral("secret1"));
}

TEST_F(LoginFlow, RealOneOpensTheChoiceEvenForAnEmptyList)
{
    Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1, {{"small_list", QJsonArray{}}})}}});
    BindGameStart();
    int lines = -1;
    player = [&](QDialog &dialog) { lines = static_cast<TFrmSmallAccount &>(dialog).List().count(); };
    PressStart("player1", "secret1");
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(lines, 0);
    EXPECT_TRUE(gameStarts.isEmpty());
    EXPECT_FALSE(PlatformSession().LoggedIn());
}

TEST_F(LoginFlow, RealOneStoresTheExtAndLogsTheChosenSubAccountIn)
{
    Serve({{"accounts", QJsonArray{TwoSubAccounts(1)}}});
    BindGameStart();
    QString shownTitle;
    QStringList shown;
    player = [&](QDialog &dialog) {
        auto &choice = static_cast<TFrmSmallAccount &>(dialog);
        shownTitle = choice.windowTitle();
        for (int i = 0; i < choice.List().count(); ++i)
            shown << choice.List().item(i)->text();
        EXPECT_EQ(PlatformSession().small_id, QStringLiteral("s-1")); // the first line is chosen at once
        choice.List().setCurrentRow(1);
        choice.ConfirmButton().click();
    };
    PressStart("player1", "secret1");

    EXPECT_EQ(shownTitle, QStringLiteral("可用账号选择"));
    EXPECT_EQ(shown, (QStringList{"一号", "二号"}));
    ASSERT_EQ(gameStarts.size(), 1);
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("s-2"));
    EXPECT_EQ(gameStarts[0].token, QStringLiteral("gt-s-2"));
    EXPECT_EQ(gameStarts[0].small_user_name, QStringLiteral("second"));
    const TPlatformSession &session = PlatformSession();
    EXPECT_FALSE(session.LoggedIn());
    EXPECT_EQ(session.extra_param, QStringLiteral("xp-1"));
    EXPECT_EQ(session.user_birthday, QStringLiteral("1990-01-01"));
    EXPECT_EQ(session.user_certification, QStringLiteral("1"));
    EXPECT_EQ(session.uid, QStringLiteral("u-9"));
    EXPECT_EQ(session.account, QStringLiteral("player1_main"));

    const TPlatformRequestSeen secLogin = LastRequest("sec_login");
    EXPECT_EQ(secLogin.Field("small_id"), QStringLiteral("s-2"));
    EXPECT_EQ(secLogin.ext.value("xaiohao").toString(), QStringLiteral("s-2"));
    EXPECT_EQ(secLogin.ext.value("extra_param").toString(), QStringLiteral("xp-1"));
    EXPECT_EQ(secLogin.ext.value("birthday").toString(), QStringLiteral("1990-01-01"));
    EXPECT_EQ(secLogin.ext.value("certification").toString(), QStringLiteral("1"));
    EXPECT_EQ(secLogin.ext.value("username").toString(), QStringLiteral("player1_main"));
    EXPECT_EQ(secLogin.ext.value("password").toString(), QStringLiteral("secret1"));
    EXPECT_EQ(secLogin.ext.value("small_user_name").toString(), QStringLiteral("second"));
    EXPECT_FALSE(secLogin.ext.contains("user_token")); // the login carried none
}

TEST_F(LoginFlow, RealOneWithoutExtStaysLoggedInAndTheNextStartGoesToTheGame)
{
    Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1, {{"ext", QJsonValue::Null}, {"user_id", "777"}})}}});
    BindGameStart();
    PressStart("player1", "secret1");
    EXPECT_EQ(dialogsShown, 0);
    EXPECT_TRUE(gameStarts.isEmpty());
    EXPECT_EQ(PlatformSession().user_id, QStringLiteral("777"));

    app->StartGame();
    EXPECT_EQ(Requests("login").size(), 1);
    ASSERT_EQ(gameStarts.size(), 1);
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("777"));
}

TEST_F(LoginFlow, EmptyBoxesAreRefusedBeforeAnythingIsSent)
{
    Serve({{"accounts", QJsonArray{TwoSubAccounts(0)}}});
    struct Case {
        const char *account;
        const char *password;
        const char *message;
    };
    const Case cases[] = {
        {"", "secret1", "用户名不能为空！"},
        {"", "", "用户名不能为空！"},
        {"player1", "", "密码不能为空！"},
    };
    for (const Case &c : cases) {
        notices.messages.clear();
        PressStart(QString::fromUtf8(c.account), QString::fromUtf8(c.password));
        ASSERT_EQ(notices.messages.size(), 1) << c.message;
        EXPECT_EQ(notices.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(notices.messages[0].caption, QStringLiteral("提示"));
        EXPECT_EQ(notices.messages[0].icon, NoticeIcon::Error);
        EXPECT_EQ(g_sAccount, QString::fromUtf8(c.account)); // remembered all the same
    }
    EXPECT_TRUE(Requests("login").isEmpty());
}

TEST_F(LoginFlow, AFailedLoginChangesOnlyTheAccount)
{
    Serve({{"accounts", QJsonArray{TwoSubAccounts(1)}}});
    PlatformSession().token = QStringLiteral("earlier");
    PressStart("player1", "wrong");
    EXPECT_EQ(Messages(), QStringList{"密码错误"});
    EXPECT_EQ(PlatformSession().account, QStringLiteral("player1"));
    EXPECT_EQ(PlatformSession().token, QStringLiteral("earlier"));
    EXPECT_FALSE(PlatformSession().LoggedIn());

    notices.messages.clear();
    PressStart("nobody", "x");
    EXPECT_EQ(Messages(), QStringList{"登录失败，账号不存在"});
}

TEST_F(LoginFlow, AnAnswerWithoutUserIdIsReportedInsteadOfLoggingInAgain)
{
    Serve({{"accounts", QJsonArray{Account("player1", "secret1", 0, {{"user_id", ""}})}}});
    BindGameStart();
    PressStart("player1", "secret1");
    EXPECT_EQ(Requests("login").size(), 1);
    EXPECT_EQ(Messages(), QStringList{kMissingUserId});
    EXPECT_TRUE(gameStarts.isEmpty());
}

TEST_F(LoginFlow, PhoneCodeLoginSendsTheCodeAndTheCodesToken)
{
    Serve({{"accounts", QJsonArray{Account("13800000001", "", 0, {{"user_id", "900"}})}}});
    BindGameStart();
    app->PasswordLogin = false;
    accountBox.setText(QStringLiteral("13800000001"));
    Platform().PhoneLbMouseDown();
    const QString code = Service().LastPhoneCode("13800000001");
    ASSERT_EQ(code.size(), 6);
    EXPECT_TRUE(Requests("phone_code").last().Note.contains(code)); // the request log names the code too
    EXPECT_EQ(PlatformSession().code_type, QStringLiteral("5"));

    PressStart("13800000001", code);
    const TPlatformRequestSeen login = LastRequest("login");
    EXPECT_EQ(login.ext.value("event").toString(), QStringLiteral("phone"));
    EXPECT_EQ(login.Field("password"), code);
    EXPECT_EQ(login.Field("code_type"), QStringLiteral("5"));
    EXPECT_EQ(login.ext.value("token").toString(), PlatformSession().phone_token);
    EXPECT_FALSE(PlatformSession().phone_token.isEmpty());
    ASSERT_EQ(gameStarts.size(), 1) << Messages().join('|').toStdString();
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("900"));
}

TEST_F(LoginFlow, ALoginCredentialSilencesOneRefusalAndIsThenCleared)
{
    Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1, {{"ext", QJsonValue::Null}, {"login_credential", "cred-1"}})}}});
    PressStart("player1", "secret1");
    EXPECT_EQ(PlatformSession().login_credential, QStringLiteral("cred-1"));
    EXPECT_EQ(PlatformSession().credential_account, QStringLiteral("player1"));

    // A password change with a wrong code: refused with a msg of neither word.
    EXPECT_FALSE(app->ChangePasswdParam("player1", "new1", "000000", "new1"));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(PlatformSession().login_credential.isEmpty());
    EXPECT_TRUE(PlatformSession().credential_account.isEmpty());

    EXPECT_FALSE(app->ChangePasswdParam("player1", "new1", "000000", "new1"));
    EXPECT_EQ(Messages(), QStringList{"验证码错误"});
}

} // namespace
} // namespace zelto::testing
