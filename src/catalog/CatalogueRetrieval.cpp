#include "catalog/CatalogueRetrieval.h"

#include "app/Digests.h"
#include "app/HttpClient.h"
#include "app/LocalSettings.h"
#include "app/Trace.h"
#include "catalog/CatalogueSigning.h"
#include "catalog/JsonRead.h"
#include "catalog/ServerListEnvelope.h"
#include "catalog/uServerList.h"
#include "deploy/Deployment.h"
#include "launch/GameType.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <stdexcept>

namespace zelto {
namespace {

const QByteArray kBrowserAgent = QByteArrayLiteral("Mozilla/5.0 (Windows NT 5.1; rv:8.0) Gecko/20100101 Firefox/8.0");
const QByteArray kIndyAgent = QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)");

const QString kMainAddressFailed = QStringLiteral("获取主服务器列表信息失败,正在尝试获取1号备用列表");
const QString kBackup1Failed = QStringLiteral("获取1号备用服务器列表信息失败,正在尝试获取2号备用列表");
const QString kBackup2Failed = QStringLiteral("无法获取服务器列表...");
const QString kNoServerListAddress = QStringLiteral("获取登陆器列表失败...");
const QString kCatalogueUpdated = QStringLiteral("更新登陆器列表完成...");
const QString kServerListRequestStarts = QStringLiteral("开始请求服务器列表信息");
const QString kServerListApplied = QStringLiteral("服务器列表信息获取完毕");
const QString kServerListRequestFailed = QStringLiteral("下载服务器列表信息失败");

// Gateway attempt and gateway mod-list outcomes.
constexpr int kLoaded = 1;
constexpr int kNotLoaded = 0;
constexpr int kRequestFailed = -1;

class TEventLoopClock : public IRetryClock {
public:
    TEventLoopClock() { FTimer.start(); }
    qint64 ElapsedMs() override { return FTimer.elapsed(); }
    void WaitUntil(qint64 elapsedMs) override
    {
        for (qint64 remaining = elapsedMs - ElapsedMs(); remaining > 0; remaining = elapsedMs - ElapsedMs()) {
            QEventLoop loop;
            QTimer::singleShot(std::chrono::milliseconds(remaining), Qt::PreciseTimer, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
    }

private:
    QElapsedTimer FTimer;
};

qint32 RequestTime()
{
    return UnixTimeStamp(QDateTime::currentDateTime());
}

// Gateway and mod-list requests; the signed ones follow redirects on their own host only.
THttpResponse FetchCatalogue(const QString &address, bool isSigned)
{
    THttpRequest request = HttpGet(address, kBrowserAgent, {{QByteArrayLiteral("Pragma"), QByteArrayLiteral("no-cache")}});
    request.SameHostRedirectsOnly = isSigned;
    return HttpFetch(request);
}

} // namespace

TCatalogueRetrieval::TCatalogueRetrieval(TServerInfo &serverInfo, ICatalogueHost &host, IRetryClock *clock)
    : FServerInfo(serverInfo),
      FHost(host),
      FOwnClock(clock ? nullptr : std::make_unique<TEventLoopClock>()),
      FClock(clock ? *clock : *FOwnClock),
      FSpacingMs(deploy::GatewaySpacingMs())
{
}

TCatalogueRetrieval::~TCatalogueRetrieval()
{
    for (QThread *request : FRequests)
        request->requestInterruption();
    for (QThread *request : FRequests)
        request->wait();
}

bool TCatalogueRetrieval::CheckServerInfo(const TCatalogueAddresses &addresses)
{
    bool result = false;
    bool modListFetched = false;
    if (!addresses.ServerListURL.isEmpty() && addresses.ServerListURL != QLatin1String("local")) {
        modListFetched = FetchThroughGateway(addresses.ServerListURL);
        if (!modListFetched) {
            FHost.Print(TMessageType::mtNormal, kMainAddressFailed);
            modListFetched = FetchBackup(addresses.ServerListURL2);
        }
        if (!modListFetched) {
            FHost.Print(TMessageType::mtNormal, kBackup1Failed);
            modListFetched = FetchBackup(addresses.ServerListURL3);
            if (!modListFetched)
                FHost.Print(TMessageType::mtNormal, kBackup2Failed);
        }
        result = !FServerInfo.Modinfo.ServerLstUrl().isEmpty();
        FHost.Print(result ? TMessageType::mtNormal : TMessageType::mtError,
            result ? kCatalogueUpdated : kNoServerListAddress);
    } else {
        ShowLocalTestServers();
        result = true;
    }
    if (!modListFetched) {
        result = ApplyServerListText(g_sServerListCache);
        if (result)
            FHost.Print(TMessageType::mtNormal, kCatalogueUpdated);
    }
    return result;
}

bool TCatalogueRetrieval::FetchThroughGateway(const QString &serverListUrl)
{
    const qint64 start = FClock.ElapsedMs();
    const QString gatewayAddress = SignedGatewayAddress(serverListUrl, RequestTime());
    qint64 previousStart = start;
    int outcome = kRequestFailed;
    for (int attempt = 0; attempt < kMaxGatewayAttempts; ++attempt) {
        if (FClock.ElapsedMs() - start > kGatewayOverallLimitMs)
            return false;
        // A gateway that could not be reached is asked again at once; one that answered
        // without a usable mod list is given time.
        if (attempt > 0 && outcome != kRequestFailed)
            FClock.WaitUntil(previousStart + FSpacingMs + 1);
        previousStart = FClock.ElapsedMs();
        outcome = GatewayAttempt(gatewayAddress);
        if (outcome == kLoaded)
            return true;
    }
    return false;
}

int TCatalogueRetrieval::GatewayAttempt(const QString &gatewayAddress)
{
    const THttpResponse answer = FetchCatalogue(gatewayAddress, true);
    if (!answer.Ok)
        return kRequestFailed;
    const std::optional<QJsonObject> document = ParseLenientJson(answer.Text());
    const std::optional<QJsonArray> addresses = document ? ReadArray(*document, QStringLiteral("data")) : std::nullopt;
    if (!addresses)
        return kNotLoaded;
    int outcome = kNotLoaded;
    for (const QJsonValue &address : *addresses) {
        outcome = FetchGatewayModList(ReadText(address));
        if (outcome == kLoaded)
            break;
    }
    return outcome;
}

int TCatalogueRetrieval::FetchGatewayModList(const QString &address)
{
    const QString signedAddress = SignedDocumentAddress(address, TCatalogueDocument::ModList, RequestTime());
    const THttpResponse answer = FetchCatalogue(signedAddress, true);
    if (!answer.Ok)
        return kRequestFailed;
    return ApplyModList(answer.Text()) ? kLoaded : kNotLoaded;
}

bool TCatalogueRetrieval::FetchBackup(const QString &address)
{
    if (address.isEmpty())
        return false;
    const THttpResponse answer = FetchCatalogue(address, false);
    if (!answer.Ok)
        return false;
    ApplyModList(answer.Text()); // a backup that answered counts as fetched, whatever it sent
    return true;
}

void TCatalogueRetrieval::ShowLocalTestServers()
{
    FServerInfo.SetResFolder(QStringLiteral("ZeltoResource\\"));
    for (const char *host : {"127.0.0.1", "192.168.0.1", "192.168.1.1"}) {
        TServerItem &server = FServerInfo.ServerList.Add();
        server.GroupName = QStringLiteral("本地测试");
        server.DisplayName = QStringLiteral("本地测试(%1:7000)").arg(QLatin1String(host));
        server.Host = QLatin1String(host);
        server.Port = 7000;
        server.ImageIndex = 1;
    }
    FFirstListedServer = FServerInfo.ServerList.Count();
    FHost.LoadSettings();
    FHost.FillServerTree();
}

bool TCatalogueRetrieval::ApplyModList(const QString &text)
{
    FServerInfo.Clear();
    FFirstListedServer = 0;
    const bool loaded = FServerInfo.LoadModInfoFromJSONString(text, GameType);
    if (!FServerInfo.Modinfo.ServerLstUrl().isEmpty())
        DownLoadSrvList(FServerInfo.Modinfo.ServerLstUrl());
    return loaded;
}

void TCatalogueRetrieval::DownLoadSrvList(const QString &Url)
{
    if (Url.isEmpty())
        return;
    THttpRequest request = HttpGet(SignedDocumentAddress(Url, TCatalogueDocument::ServerList, RequestTime()), kIndyAgent);
    request.SameHostRedirectsOnly = true;
    FHost.Print(TMessageType::mtNormal, kServerListRequestStarts);
    QThread *worker = QThread::create([this, request] {
        const THttpResponse answer = HttpFetch(request);
        QMetaObject::invokeMethod(this, [this, answer] { FinishServerListRequest(answer); }, Qt::QueuedConnection);
    });
    worker->setParent(this);
    connect(worker, &QThread::finished, this, [this, worker] {
        FRequests.removeOne(worker);
        worker->deleteLater();
    });
    FRequests.append(worker);
    worker->start();
}

void TCatalogueRetrieval::FinishServerListRequest(const THttpResponse &answer)
{
    QString failure = answer.Error;
    if (answer.Ok) {
        try {
            ApplyServerListText(answer.Text());
            FHost.Print(TMessageType::mtNormal, kServerListApplied);
        } catch (const std::exception &error) {
            failure = QString::fromLocal8Bit(error.what());
        }
    }
    if (!failure.isEmpty())
        Trace(QStringLiteral("%1, 原因:%2").arg(kServerListRequestFailed, failure));
    emit ServerListRequestFinished();
}

bool TCatalogueRetrieval::ApplyServerListText(const QString &text)
{
    QString document = text;
    if (FServerInfo.Modinfo.FisEncrypt) {
        if (const std::optional<QString> opened = OpenServerListEnvelope(text))
            document = *opened;
    }
    // A newer server list replaces the servers of the one before; earlier entries (the local
    // test servers) stay.
    FServerInfo.ServerList.RemoveFrom(FFirstListedServer);
    const bool loaded = FServerInfo.LoadServerListFromJSONString(document);
    ApplyDisplayPresets();
    FHost.LoadSettings();
    if (loaded) {
        g_sServerListCache = document;
        FHost.SaveServerListCache();
    } else {
        FServerInfo.LoadServerListFromJSONString(g_sServerListCache);
    }
    FHost.FillServerTree();
    return loaded;
}

void TCatalogueRetrieval::ApplyDisplayPresets()
{
    g_boFullScreen = FServerInfo.FullScreen;
    g_boWaitVBlank = FServerInfo.VBlank;
    g_bo3D = FServerInfo.Do3D;
    if (FServerInfo.ClassicsUI)
        g_boNewInterface = false;
    switch (FServerInfo.DisplaySize) {
    case TDisplaySize::ds1024:
        g_nScreenWidth = 1024;
        g_nScreenHeight = 768;
        break;
    case TDisplaySize::ds800:
        g_nScreenWidth = 800;
        g_nScreenHeight = 600;
        break;
    case TDisplaySize::dsNormal:
        break;
    }
}

} // namespace zelto
