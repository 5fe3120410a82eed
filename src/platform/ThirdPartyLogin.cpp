#include "platform/ThirdPartyLogin.h"

#include "app/LocalSettings.h"
#include "app/Trace.h"
#include "app/uLogin.h"
#include "catalog/JsonRead.h"
#include "os/TickCount.h"
#include "platform/Login.h"
#include "platform/FRealName.h"
#include "platform/ModalDialog.h"
#include "platform/PlatformRequest.h"
#include "platform/PlatformSession.h"
#include "ui/uMainFrm.h"

#include <QUrl>

namespace zelto {

void TThirdPartyLoginFlow::LoginQueryQQandWXUrl(int nType)
{
    const TLauncherConfiguration &config = FClient.Configuration();
    QStringList mainLines;
    if (nType == kThirdLoginWeChat)
        mainLines << QStringLiteral("third_login_type=weixin");
    else if (nType == kThirdLoginQQ)
        mainLines << QStringLiteral("third_login_type=qq");
    mainLines << FClient.IdentityLines() << QStringLiteral("game_id=") + config.sGameId.Text()
              << QStringLiteral("agent_id=") + config.sAgentId.Text() << QStringLiteral("server_id=") + QString::number(g_nSID)
              << QStringLiteral("place_id=") + config.sPlaceId.Text() << QStringLiteral("promote_id=") + config.sPromoteId.Text()
              << QStringLiteral("yx_extend=");
    QString dataText;
    if (!FClient.Send(platformpath::kThirdLoginUrl, QString(), mainLines, FClient.DeviceBlock(), dataText))
        return;
    const QJsonObject data = ParseLenientJson(dataText).value_or(QJsonObject());
    TPlatformSession &session = FClient.Session();
    session.query_key = ReadText(data, QStringLiteral("query_key"));
    const QString url = ReadText(data, QStringLiteral("third_login_url"));
    if (session.query_key.isEmpty() || url.isEmpty())
        return;
    // The address comes from the network: only a web page is handed to the browser.
    const QString scheme = QUrl(url).scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        Trace(QStringLiteral("第三方登录地址无效 %1").arg(url));
        return;
    }
    FApp.FTimerQuyery.start();
    FApp.QueryTickCount = os::TickCount();
    FApp.OpenURL(url);
}

void TThirdPartyLoginFlow::LoginQueryQQandWXQuery()
{
    if (FQueryRunning)
        return;
    FQueryRunning = true;
    const TLauncherConfiguration &config = FClient.Configuration();
    TPlatformSession &session = FClient.Session();
    const QStringList mainLines = QStringList{QStringLiteral("query_key=") + session.query_key} + FClient.IdentityLines()
        + QStringList{QStringLiteral("game_id=") + config.sGameId.Text(), QStringLiteral("agent_id=") + config.sAgentId.Text(),
            QStringLiteral("server_id=") + QString::number(g_nSID), QStringLiteral("yx_extend=")};
    QString dataText;
    const bool answered = FClient.Send(platformpath::kThirdLoginResult, QString(), mainLines, FClient.DeviceBlock(), dataText);
    FQueryRunning = false;
    if (!answered)
        return;

    FApp.FTimerQuyery.stop();
    const QJsonObject data = ParseLenientJson(dataText).value_or(QJsonObject());
    const int isReal = ReadInteger(data, QStringLiteral("is_real"));
    session.user_id = ReadText(data, QStringLiteral("user_id"));
    session.original_user_id = ReadText(data, QStringLiteral("original_user_id"));
    session.userid = session.user_id;
    session.token = ReadText(data, QStringLiteral("token"));
    session.ext_token = session.token;
    const std::optional<QJsonObject> ext = ReadObject(data, QStringLiteral("ext"));
    if (isReal != 0 && ext) {
        session.extra_param = ReadText(*ext, QStringLiteral("extra_param"));
        session.user_birthday = ReadText(*ext, QStringLiteral("user_birthday"));
        session.user_certification = ReadText(*ext, QStringLiteral("user_certification"));
        session.uid = ReadText(*ext, QStringLiteral("uid"));
        session.small_id = ReadText(*ext, QStringLiteral("small_id"));
        const QString username = ReadText(*ext, QStringLiteral("username"));
        if (!username.isEmpty())
            session.account = username;
        StartGameWithUserId(FApp);
    }
    if (isReal == 0) {
        TFrmRealName dialog(FServices, FApp.FMainForm);
        FApp.CentreOverMainForm(dialog);
        RunModal(dialog);
    }
}

} // namespace zelto
