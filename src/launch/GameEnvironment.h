#pragma once

#include "launch/GameClient.h"

#include <QJsonObject>
#include <QString>

// The environment file the launcher hands to the game client: the full document written
// just before the client starts, and the short StartInOne document the package downloader
// writes when a client update has finished. Both are compact JSON in the XXTEA envelope
// (WriteEncryptedFile).
namespace zelto {

struct TLauncherConfiguration;
struct TPlatformSession;

// Session values the document carries when they are set. No flow of this launcher sets them,
// so their keys are normally absent.
struct TClientSessionExtras {
    QString closeGameId;
    QString baseUrl;
    QString params[5]; // "param1" to "param5"
    QString qqGameAppId;
    QString qqGameAppKey;
    QString qqGameOpenId;
    QString qqGameOpenKey;
    QString yxExtend;
};

// "1024*768" for an empty resolution; every "*" becomes "x".
QString EnvironmentResolution(const QString &resolution);

QJsonObject GameEnvironmentDocument(const TLauncherConfiguration &configuration, const QString &resolution,
                                    int serverId, const TPlatformSession &session,
                                    const TClientSessionExtras &extras = {});
QJsonObject StartInOneDocument(const TLauncherConfiguration &configuration);

// No indentation, no line breaks, characters outside ASCII as themselves.
QString EnvironmentText(const QJsonObject &document);

// The full document from g_sResolution and the platform session, into the current client's
// environment file. User-interface thread. Throws std::runtime_error when the file cannot
// be written.
void WriteGameEnvironment(const TLauncherConfiguration &configuration, int serverId);

// Replaces an existing environment file with the StartInOne document; writes nothing when
// there is no file yet. Safe on a worker thread: it reads only its arguments. Throws
// std::runtime_error when the file cannot be written.
void WriteStartInOneEnvironment(const TLauncherConfiguration &configuration, const TGameClient &client);

} // namespace zelto
