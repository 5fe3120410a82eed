#pragma once

#include "app/StatusLine.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QThread;

// The catalogue pass: the mod list through the gateway (with retries), else from the two
// backup addresses, else the cached server list; then the server list, fetched on a worker
// thread and applied on the user-interface thread. All of it runs on the user-interface
// thread except the server-list request itself.
namespace zelto {

class TServerInfo;
struct THttpResponse;

// What the catalogue pass needs of the application controller.
class ICatalogueHost : public IStatusLine {
public:
    virtual void FillServerTree() = 0;
    virtual void LoadSettings() = 0;        // the player's saved choices over the catalogue's presets
    virtual void SaveServerListCache() = 0; // g_sServerListCache into the cache file
};

// The three catalogue addresses of the launcher configuration.
struct TCatalogueAddresses {
    QString ServerListURL;  // the gateway; empty or "local": the local test servers
    QString ServerListURL2; // backup 1
    QString ServerListURL3; // backup 2
};

// The time line of the gateway retries: a millisecond tick clock and a way to wait on it.
class IRetryClock {
public:
    virtual ~IRetryClock() = default;
    virtual qint64 ElapsedMs() = 0;
    virtual void WaitUntil(qint64 elapsedMs) = 0;
};

class TCatalogueRetrieval : public QObject {
    Q_OBJECT

public:
    // The spacing between gateway attempts is deploy::GatewaySpacingMs(). Without a clock the
    // waits run a nested event loop (user input left out), so the window keeps painting.
    TCatalogueRetrieval(TServerInfo &serverInfo, ICatalogueHost &host, IRetryClock *clock = nullptr);
    ~TCatalogueRetrieval() override; // stops and waits for running server-list requests

    // The whole catalogue pass. True when a fetched mod list names a server-list address, or,
    // when no mod list was fetched (all sources failed, or the local test servers were
    // shown), when the cached server list loaded.
    bool CheckServerInfo(const TCatalogueAddresses &addresses);
    // Starts the server-list request on a worker thread and returns at once; nothing happens
    // for an empty address.
    void DownLoadSrvList(const QString &Url);
    bool ApplyModList(const QString &text);
    bool ApplyServerListText(const QString &text);

    static constexpr int kMaxGatewayAttempts = 4;
    static constexpr qint64 kGatewayOverallLimitMs = 360000;

signals:
    // A server-list request ended: applied, or failed (the reason went to the trace sink).
    void ServerListRequestFinished();

private:
    bool FetchThroughGateway(const QString &serverListUrl);
    int GatewayAttempt(const QString &gatewayAddress);
    int FetchGatewayModList(const QString &address);
    bool FetchBackup(const QString &address);
    void ShowLocalTestServers();
    void ApplyDisplayPresets();
    void FinishServerListRequest(const THttpResponse &answer);

    TServerInfo &FServerInfo;
    ICatalogueHost &FHost;
    std::unique_ptr<IRetryClock> FOwnClock;
    IRetryClock &FClock;
    qint64 FSpacingMs;
    int FFirstListedServer = 0; // servers before this position are not from a server list
    QList<QThread *> FRequests;
};

} // namespace zelto
