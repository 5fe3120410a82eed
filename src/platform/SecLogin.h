#pragma once

#include <QJsonArray>
#include <QList>
#include <QString>

// Sub-accounts: the game accounts ("small" accounts) a platform account owns, and the login
// of the one the player chose.
namespace zelto {

class TPlatformClient;

struct TSmallInfo {
    QString nickname; // what the list shows
    QString username;
    QString smallId;
    QString stk;
};

// One entry per element of the login answer's "small_list", in order.
QList<TSmallInfo> SmallInfosOf(const QJsonArray &smallList);

class TSecLoginFlow {
public:
    explicit TSecLoginFlow(TPlatformClient &client) : FClient(client) {}

    // Logs the sub-account in; true when the session then holds its user id. The session is
    // logged out while the request runs, and stays so when it fails.
    bool SecLoginParam(const QString &SecAccountId);

private:
    TPlatformClient &FClient;
};

} // namespace zelto
