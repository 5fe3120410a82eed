#include "platform/SecLogin.h"

#include "app/LocalSettings.h"
#include "catalog/JsonRead.h"
#include "platform/PlatformRequest.h"
#include "platform/PlatformSession.h"

namespace zelto {

QList<TSmallInfo> SmallInfosOf(const QJsonArray &smallList)
{
    QList<TSmallInfo> entries;
    for (const QJsonValue &element : smallList) {
        const QJsonObject small = element.toObject();
        TSmallInfo entry;
        entry.nickname = ReadText(small, QStringLiteral("nickname"));
        entry.username = ReadText(small, QStringLiteral("username"));
        entry.smallId = ReadText(small, QStringLiteral("small_id"));
        if (entry.smallId.isEmpty())
            entry.smallId = ReadText(small, QStringLiteral("userid"));
        entry.stk = ReadText(small, QStringLiteral("small_token"));
        if (entry.stk.isEmpty())
            entry.stk = ReadText(small, QStringLiteral("token"));
        const QJsonValue nickname = small.value(QStringLiteral("nickname"));
        if ((nickname.isUndefined() || nickname.isNull()) && !entry.username.isEmpty())
            entry.nickname = entry.username;
        entries.append(entry);
    }
    return entries;
}

bool TSecLoginFlow::SecLoginParam(const QString &SecAccountId)
{
    TPlatformSession &session = FClient.Session();
    const TLauncherConfiguration &config = FClient.Configuration();
    const QStringList mainLines = FClient.IdentityLines()
        + QStringList{QStringLiteral("small_id=") + SecAccountId, QStringLiteral("game_id=") + config.sGameId.Text(),
            QStringLiteral("yx_extend=")};
    QStringList extLines{QStringLiteral("server_id=") + QString::number(g_nSID),
        QStringLiteral("extra_param=") + session.extra_param, QStringLiteral("token=") + session.token};
    if (!session.user_token.isEmpty())
        extLines << QStringLiteral("user_token=") + session.user_token;
    // The login's user id: user_id itself is cleared by every attempt, and a second choice
    // after a failed one must still name the player.
    extLines << QStringLiteral("birthday=") + session.user_birthday
             << QStringLiteral("certification=") + session.user_certification
             << QStringLiteral("userid=") + session.userid << QStringLiteral("username=") + session.account
             << QStringLiteral("xaiohao=") + SecAccountId << QStringLiteral("small_user_name=") + session.small_user_name
             << QStringLiteral("password=") + session.password << QStringLiteral("agent_id=") + config.sAgentId.Text()
             << QStringLiteral("place_id=") + config.sPlaceId.Text() << QStringLiteral("promote_id=") + config.sPromoteId.Text()
             << FClient.DeviceBlock();
    session.user_id.clear();

    QString dataText;
    if (!FClient.Send(platformpath::kSecLogin, QStringLiteral("小号登录失败"), mainLines, extLines, dataText))
        return false;
    const QJsonObject data = ParseLenientJson(dataText).value_or(QJsonObject());
    if (data.contains(QStringLiteral("ext"))) {
        session.user_id = ReadText(ReadObject(data, QStringLiteral("ext")).value_or(QJsonObject()), QStringLiteral("small_id"));
        const QString token = ReadText(data, QStringLiteral("token"));
        if (!session.user_id.isEmpty() && !token.isEmpty())
            session.token = token;
        return session.LoggedIn();
    }
    if (data.contains(QStringLiteral("user_id"))) {
        session.user_id = ReadText(data, QStringLiteral("user_id"));
        if (session.LoggedIn()) {
            const QString token = ReadText(data, QStringLiteral("token"));
            const QString gameToken = ReadText(data, QStringLiteral("game_token"));
            if (!token.isEmpty())
                session.token = token;
            else if (!gameToken.isEmpty())
                session.token = gameToken;
        }
        return session.LoggedIn();
    }
    ShowPlatformError(QStringLiteral("小号登录失败，错误1001！"));
    return false;
}

} // namespace zelto
