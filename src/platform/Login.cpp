#include "platform/Login.h"

#include "app/LocalSettings.h"
#include "app/uLogin.h"
#include "catalog/JsonRead.h"
#include "platform/FSmallAccount.h"
#include "platform/ModalDialog.h"
#include "platform/PlatformRequest.h"
#include "platform/PlatformSession.h"
#include "platform/SecLogin.h"
#include "ui/uMainFrm.h"

namespace zelto {

void StartGameWithUserId(TuClientApp &app)
{
    if (PlatformSession().LoggedIn())
        app.StartGame();
    else
        ShowPlatformError(QStringLiteral("登录失败，平台未返回用户编号"));
}

bool TLoginFlow::LoginBeforeStart()
{
    TPlatformSession &session = FClient.Session();
    if (session.LoggedIn())
        return false;
    const QString account = FApp.EditID ? FApp.EditID->text() : QString();
    const QString password = FApp.EditPW ? FApp.EditPW->text() : QString();
    g_sAccount = account;
    session.password = password;
    if (account.isEmpty())
        ShowPlatformError(QStringLiteral("用户名不能为空！"));
    else if (password.isEmpty())
        ShowPlatformError(QStringLiteral("密码不能为空！"));
    else
        LoginParam(account, password);
    return true;
}

void TLoginFlow::LoginParam(const QString &Account, const QString &Password)
{
    TPlatformSession &session = FClient.Session();
    const TLauncherConfiguration &config = FClient.Configuration();
    session.account = Account;
    const QStringList mainLines = FClient.IdentityLines()
        + QStringList{QStringLiteral("username=") + Account, QStringLiteral("password=") + Password,
            QStringLiteral("code_type=") + session.code_type, QStringLiteral("yx_extend=")};
    QStringList extLines{QStringLiteral("game_id=") + config.sGameId.Text(), QStringLiteral("server_id=") + QString::number(g_nSID),
        QStringLiteral("agent_id=") + config.sAgentId.Text(), QStringLiteral("place_id=") + config.sPlaceId.Text(),
        QStringLiteral("promote_id=") + config.sPromoteId.Text()};
    if (!session.phone_token.isEmpty())
        extLines << QStringLiteral("token=") + session.phone_token;
    extLines << FClient.DeviceBlock()
             << (FApp.PasswordLogin ? QStringLiteral("event=password") : QStringLiteral("event=phone"));
    QString data;
    if (FClient.Send(platformpath::kLogin, QStringLiteral("登录失败"), mainLines, extLines, data))
        LoginParamReturn(Account, data);
}

void TLoginFlow::LoginParamReturn(const QString &Account, const QString &st)
{
    TPlatformSession &session = FClient.Session();
    session.account = Account;
    const QJsonObject data = ParseLenientJson(st).value_or(QJsonObject());
    const int isReal = ReadInteger(data, QStringLiteral("is_real"));
    session.user_id = ReadText(data, QStringLiteral("user_id"));
    session.original_user_id = ReadText(data, QStringLiteral("original_user_id"));
    session.token = ReadText(data, QStringLiteral("token"));
    session.user_token = ReadText(data, QStringLiteral("user_token"));
    session.login_credential = ReadText(data, QStringLiteral("login_credential"));
    session.userid = session.user_id;
    session.ext_token = session.token;
    if (!session.login_credential.isEmpty())
        session.credential_account = Account;
    const std::optional<QJsonObject> ext = ReadObject(data, QStringLiteral("ext"));
    const QString extUsername = ext ? ReadText(*ext, QStringLiteral("username")) : QString();

    if (isReal == 0) {
        const QJsonArray smallList = ext ? ReadArray(*ext, QStringLiteral("small_list")).value_or(QJsonArray()) : QJsonArray();
        if (!smallList.isEmpty()) {
            const QJsonObject first = smallList.first().toObject();
            session.small_id = ReadText(first, QStringLiteral("small_id"));
            session.small_user_name = ReadText(first, QStringLiteral("username"));
        }
        if (!extUsername.isEmpty())
            session.account = extUsername;
        StartGameWithUserId(FApp);
        session.user_id.clear();
        session.small_id.clear();
        return;
    }
    if (!ext)
        return; // logged in without a choice: the next press of start goes on to the game

    session.extra_param = ReadText(*ext, QStringLiteral("extra_param"));
    session.user_birthday = ReadText(*ext, QStringLiteral("user_birthday"));
    session.user_certification = ReadText(*ext, QStringLiteral("user_certification"));
    session.uid = ReadText(*ext, QStringLiteral("uid"));
    if (!extUsername.isEmpty())
        session.account = extUsername;
    if (const std::optional<QJsonArray> smallList = ReadArray(*ext, QStringLiteral("small_list"))) {
        TFrmSmallAccount dialog(FSecLogin, FApp, FApp.FMainForm);
        dialog.SelectSmaillAccount(SmallInfosOf(*smallList));
        FApp.CentreOverMainForm(dialog);
        RunModal(dialog);
    }
    session.user_id.clear();
}

} // namespace zelto
