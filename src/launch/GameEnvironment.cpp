#include "launch/GameEnvironment.h"

#include "app/LauncherConfiguration.h"
#include "app/LocalSettings.h"
#include "app/Trace.h"
#include "launch/Xxtea.h"
#include "platform/PlatformSession.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace zelto {
namespace {

void InsertWhenSet(QJsonObject &document, const QString &key, const QString &value)
{
    if (!value.isEmpty())
        document.insert(key, value);
}

void InsertQQGame(QJsonObject &document, const TClientSessionExtras &extras)
{
    const QString values[] = { extras.qqGameAppId, extras.qqGameAppKey, extras.qqGameOpenId, extras.qqGameOpenKey };
    for (const QString &value : values) {
        if (value.isEmpty())
            return;
    }
    for (const char *flag : { "IsTTQQ", "loadCancleClose", "pc_close_secoend_tips" })
        document.insert(QLatin1String(flag), 1);
    const char *keys[] = { "qqgame_appid", "qqgame_appkey", "qqgame_openid", "qqgame_openkey" };
    for (int i = 0; i < 4; ++i)
        document.insert(QLatin1String(keys[i]), values[i]);
}

} // namespace

QString EnvironmentResolution(const QString &resolution)
{
    QString text = resolution.isEmpty() ? QStringLiteral("1024*768") : resolution;
    return text.replace(QLatin1Char('*'), QLatin1Char('x'));
}

QJsonObject GameEnvironmentDocument(const TLauncherConfiguration &configuration, const QString &resolution,
                                    int serverId, const TPlatformSession &session,
                                    const TClientSessionExtras &extras)
{
    const QString placeId = configuration.sPlaceId.Text();
    QJsonObject document;
    document.insert(QLatin1String("channel"), qint32(configuration.nGMChannel));
    document.insert(QLatin1String("gm"), qint32(configuration.nGMNum));
    document.insert(QLatin1String("resolution"), EnvironmentResolution(resolution));
    document.insert(QLatin1String("serverId"), serverId);
    document.insert(QLatin1String("oper_mode"), 1);
    document.insert(QLatin1String("modlist"), configuration.sGameAddress.Text());
    document.insert(QLatin1String("signkey"), configuration.sSignKey.Text());
    document.insert(QLatin1String("user_name"), session.account);
    document.insert(QLatin1String("small_user_name"), session.small_user_name);
    document.insert(QLatin1String("user_id"), session.user_id);
    document.insert(QLatin1String("original_user_id"), session.original_user_id);
    document.insert(QLatin1String("token"), session.token);
    document.insert(QLatin1String("juhe_small_id"), session.small_id);
    document.insert(QLatin1String("ext_uid"), session.userid);
    document.insert(QLatin1String("juhe_subject"), configuration.sSubject.Text());
    document.insert(QLatin1String("juhe_game_id"), configuration.sGameId.Text());
    document.insert(QLatin1String("juhe_agent_id"), configuration.sAgentId.Text());
    document.insert(QLatin1String("juhe_place_id"), placeId);
    document.insert(QLatin1String("juhe_game_name"), QStringLiteral("Hello"));
    document.insert(QLatin1String("modID"), QString()); // mod id and sub-mod id: never assigned
    document.insert(QLatin1String("subModID"), QString());
    document.insert(QLatin1String("PCPlatform"), QStringLiteral("1"));
    InsertWhenSet(document, QStringLiteral("ext_uid"), session.uid); // the extra uid wins
    document.insert(QLatin1String("place_id"), placeId);
    document.insert(QLatin1String("promote_id"), configuration.sPromoteId.Text());
    document.insert(QLatin1String("ext_token"), session.ext_token);
    InsertWhenSet(document, QStringLiteral("sdkAppid"), configuration.sSdkAppId.Text());
    InsertWhenSet(document, QStringLiteral("sdkAppkey"), configuration.sSdkAppKey.Text());
    InsertWhenSet(document, QStringLiteral("sdkChannel"), configuration.sSdkChannel.Text());
    InsertWhenSet(document, QStringLiteral("CloseGameID"), extras.closeGameId);
    InsertWhenSet(document, QStringLiteral("baseUrl"), extras.baseUrl);
    for (int i = 0; i < 5; ++i)
        InsertWhenSet(document, QStringLiteral("param%1").arg(i + 1), extras.params[i]);
    InsertQQGame(document, extras);
    InsertWhenSet(document, QStringLiteral("yx_extend"), extras.yxExtend);
    return document;
}

QJsonObject StartInOneDocument(const TLauncherConfiguration &configuration)
{
    return { { QLatin1String("channel"), qint32(configuration.nGMChannel) },
             { QLatin1String("gm"), qint32(configuration.nGMNum) },
             { QLatin1String("oper_mode"), 1 } };
}

QString EnvironmentText(const QJsonObject &document)
{
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Compact));
}

void WriteGameEnvironment(const TLauncherConfiguration &configuration, int serverId)
{
    const QString resolution = EnvironmentResolution(g_sResolution);
    const QString path = EnvironmentFileName();
    Trace(QStringLiteral("初始化游戏 ") + resolution);
    Trace(QStringLiteral("文件 ") + path);
    Trace(QStringLiteral(" Resolution ") + resolution);
    Trace(QStringLiteral(" jsfn ") + path);
    WriteEncryptedFile(path, EnvironmentText(GameEnvironmentDocument(configuration, g_sResolution, serverId, PlatformSession())));
}

void WriteStartInOneEnvironment(const TLauncherConfiguration &configuration, const TGameClient &client)
{
    const QString path = EnvironmentFileName(client);
    Trace(QStringLiteral(" StartInOne channel %1").arg(qint32(configuration.nGMChannel)));
    Trace(QStringLiteral(" StartInOne gm %1").arg(qint32(configuration.nGMNum)));
    Trace(QStringLiteral(" signkey ") + configuration.sSignKey.Text());
    if (QFileInfo(path).isFile())
        WriteEncryptedFile(path, EnvironmentText(StartInOneDocument(configuration)));
}

} // namespace zelto
