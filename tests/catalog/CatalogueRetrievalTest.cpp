#include "CatalogueFixture.h"

#include "launch/Xxtea.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonDocument>

namespace zelto::testing {
namespace {

using opsim::TFault;
using opsim::TFaultKind;
using opsim::TRecordedRequest;

const QString kMainFailed = QStringLiteral("获取主服务器列表信息失败,正在尝试获取1号备用列表");
const QString kBackup1Failed = QStringLiteral("获取1号备用服务器列表信息失败,正在尝试获取2号备用列表");
const QString kBackup2Failed = QStringLiteral("无法获取服务器列表...");
const QString kNoAddress = QStringLiteral("获取登陆器列表失败...");
const QString kUpdated = QStringLiteral("更新登陆器列表完成...");
const QString kRequestStarts = QStringLiteral("开始请求服务器列表信息");
const QString kListApplied = QStringLiteral("服务器列表信息获取完毕");
const QByteArray kBrowserAgent = "Mozilla/5.0 (Windows NT 5.1; rv:8.0) Gecko/20100101 Firefox/8.0";

QString Md5Lower(const QString &ascii)
{
    return QString::fromLatin1(QCryptographicHash::hash(ascii.toLatin1(), QCryptographicHash::Md5).toHex());
}

QString Compact(const QJsonObject &document)
{
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Compact));
}

TFault Fault(TFaultKind kind, int status = 503)
{
    TFault fault;
    fault.Kind = kind;
    fault.Status = status;
    return fault;
}

class CatalogueRetrievalTest : public CatalogueTest {
protected:
    static QJsonObject Catalogue(const QJsonObject &modList = ModListDocument("{base}/gsl/main/srv_1001.json"),
        const QJsonObject &serverList = {{"document", ServerListDocument({"青龙", "白虎"})}})
    {
        QJsonObject serverListEntry = serverList;
        serverListEntry.insert("name", "serverlist");
        serverListEntry.insert("path", "/gsl/main/srv_1001.json");
        const QJsonObject backup{{"document", ModListDocument("{base}/gsl/main/srv_1001.json")}};
        QJsonObject backup1 = backup, backup2 = backup;
        backup1.insert("name", "backup1");
        backup1.insert("path", "/backup/1/modlist.json");
        backup2.insert("name", "backup2");
        backup2.insert("path", "/backup/2/modlist.json");
        return {
            {"gateway", QJsonObject{{"path", "/gsl/gateway"},
                            {"data", QJsonArray{"{base}/gsl/main/broken.json", "{base}/gsl/main/mod_1001.json"}}}},
            {"modLists", QJsonArray{
                QJsonObject{{"name", "modlist"}, {"path", "/gsl/main/mod_1001.json"}, {"document", modList}},
                QJsonObject{{"name", "broken"}, {"path", "/gsl/main/broken.json"}, {"text", "<html>"}}}},
            {"serverLists", QJsonArray{serverListEntry}},
            {"backups", QJsonArray{backup1, backup2}},
        };
    }

    void ServeCatalogue(const QJsonObject &catalogue = Catalogue())
    {
        Serve(catalogue);
        // The gateway names the broken mod list first; most tests want the good one only.
        simulator->SetFault("broken", Fault(TFaultKind::Down));
    }

    TCatalogueAddresses Addresses() const
    {
        return {Address("/gsl/gateway"), Address("/backup/1/modlist.json"), Address("/backup/2/modlist.json")};
    }

    void SeedCache(const QJsonObject &serverList)
    {
        g_sServerListCache = Compact(serverList);
        ASSERT_TRUE(host.settings.SaveServerListCache());
        g_sServerListCache.clear();
        host.settings.LoadServerListCache();
        ASSERT_FALSE(g_sServerListCache.isEmpty());
    }

    QList<TRecordedRequest> RequestsTo(const char *endpoint) const { return simulator->RequestsTo(QLatin1String(endpoint)); }
};

TEST_F(CatalogueRetrievalTest, MainPathSignsEveryRequestAndAppliesTheServerList)
{
    ServeCatalogue();
    simulator->SetFault("broken", TFault{}); // answers "<html>": the gateway walk moves on
    TCatalogueRetrieval retrieval(info, host);

    ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
    EXPECT_EQ(host.Messages(), (QStringList{kRequestStarts, kUpdated}));
    ASSERT_TRUE(WaitForServerList(retrieval));
    EXPECT_EQ(host.Messages().last(), kListApplied);
    EXPECT_EQ(ModelServers(), (QStringList{"白虎", "青龙"}));
    EXPECT_EQ(host.treeFills, 1);
    EXPECT_EQ(info.LoginURL, QStringLiteral("http://pages/notice"));

    g_sServerListCache.clear();
    host.settings.LoadServerListCache();
    EXPECT_EQ(QJsonDocument::fromJson(g_sServerListCache.toUtf8()).object(), ServerListDocument({"青龙", "白虎"}));

    const QList<TRecordedRequest> log = simulator->Requests();
    ASSERT_EQ(log.size(), 4);
    EXPECT_EQ(log[0].Endpoint, QStringLiteral("gateway"));
    EXPECT_EQ(log[1].Endpoint, QStringLiteral("broken"));
    EXPECT_EQ(log[2].Endpoint, QStringLiteral("modlist"));
    EXPECT_EQ(log[3].Endpoint, QStringLiteral("serverlist"));
    for (const TRecordedRequest &request : log)
        EXPECT_EQ(request.Status, 200) << request.Note.toStdString();

    const QString gatewayTime = log[0].Param("time");
    EXPECT_EQ(log[0].Query, "time=" + gatewayTime + "&sign=" + Md5Lower("key=Rk7dQm2xLp9vTb4N&time=" + gatewayTime)
            + "&type=getaway");
    QDateTime local = QDateTime::currentDateTime();
    local.setTimeSpec(Qt::UTC);
    EXPECT_NEAR(gatewayTime.toLongLong(), local.toSecsSinceEpoch() - 28800, 30);

    const QString modTime = log[2].Param("time");
    EXPECT_EQ(log[2].Query, "time=" + modTime + "&sign=" + Md5Lower("data=mod_1001.json&key=Rk7dQm2xLp9vTb4N&time=" + modTime));
    const QString listTime = log[3].Param("time");
    EXPECT_EQ(log[3].Query, "time=" + listTime + "&sign=" + Md5Lower("data=srv_1001.json&key=Rk7dQm2xLp9vTb4N&time=" + listTime));

    for (int i : {0, 1, 2}) {
        EXPECT_EQ(log[i].Header("User-Agent"), kBrowserAgent);
        EXPECT_EQ(log[i].Header("Pragma"), QByteArray("no-cache"));
    }
    EXPECT_EQ(log[3].Header("User-Agent"), QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    EXPECT_TRUE(log[3].Header("Pragma").isEmpty());
}

TEST_F(CatalogueRetrievalTest, AFailingFirstAddressLeavesTheSecondToServe)
{
    for (const TFault &fault : {Fault(TFaultKind::Status, 500), Fault(TFaultKind::Garbage), Fault(TFaultKind::Down)}) {
        ServeCatalogue();
        simulator->SetFault("broken", fault);
        TInstantClock clock;
        TCatalogueRetrieval retrieval(info, host, &clock);
        EXPECT_TRUE(retrieval.CheckServerInfo(Addresses()));
        EXPECT_EQ(RequestsTo("gateway").size(), 1);
        EXPECT_EQ(RequestsTo("broken").size(), 1);
        EXPECT_EQ(RequestsTo("modlist").size(), 1);
        EXPECT_TRUE(clock.waits.isEmpty());
        ASSERT_TRUE(WaitForServerList(retrieval));
    }
}

TEST_F(CatalogueRetrievalTest, UnreachableGatewayIsTriedFourTimesWithoutWaiting)
{
    ServeCatalogue();
    simulator->SetFault("gateway", Fault(TFaultKind::Down));
    TInstantClock clock;
    TCatalogueRetrieval retrieval(info, host, &clock);

    EXPECT_FALSE(retrieval.CheckServerInfo({Address("/gsl/gateway"), QString(), QString()}));
    EXPECT_EQ(RequestsTo("gateway").size(), 4);
    EXPECT_TRUE(clock.waits.isEmpty());
    EXPECT_EQ(host.Messages(), (QStringList{kMainFailed, kBackup1Failed, kBackup2Failed, kNoAddress}));
    EXPECT_EQ(host.printed[3].first, TMessageType::mtError);
    EXPECT_EQ(host.treeFills, 1); // the empty cache was applied
}

TEST_F(CatalogueRetrievalTest, GatewayWithoutAUsableListIsTriedFourTimesSpacedApart)
{
    struct Case {
        const char *name;
        TFault gatewayFault;
        TFault modListFault;
    };
    const Case cases[] = {
        {"empty data", Fault(TFaultKind::EmptyData), {}},
        {"no data", Fault(TFaultKind::MissingData), {}},
        {"not JSON", Fault(TFaultKind::Garbage), {}},
        {"mod list not JSON", {}, Fault(TFaultKind::Garbage)},
    };
    for (const Case &c : cases) {
        ServeCatalogue();
        simulator->SetFault("broken", Fault(TFaultKind::Garbage));
        simulator->SetFault("gateway", c.gatewayFault);
        simulator->SetFault("modlist", c.modListFault);
        TInstantClock clock;
        TCatalogueRetrieval retrieval(info, host, &clock);
        retrieval.CheckServerInfo({Address("/gsl/gateway"), QString(), QString()});
        EXPECT_EQ(RequestsTo("gateway").size(), 4) << c.name;
        EXPECT_EQ(clock.waits, (QList<qint64>{101, 202, 303})) << c.name;
    }
}

TEST_F(CatalogueRetrievalTest, AttemptStartsAreMoreThanTheSpacingApartOnTheRealClock)
{
    state.SetEnvironment("ZELTO_GATEWAY_SPACING_MS", "150");
    ServeCatalogue();
    simulator->SetFault("gateway", Fault(TFaultKind::EmptyData));
    TCatalogueRetrieval retrieval(info, host);
    retrieval.CheckServerInfo({Address("/gsl/gateway"), QString(), QString()});
    const QList<TRecordedRequest> attempts = RequestsTo("gateway");
    ASSERT_EQ(attempts.size(), 4);
    for (int i = 1; i < attempts.size(); ++i)
        EXPECT_GE(attempts[i].TimeMs - attempts[i - 1].TimeMs, 150 - 25); // arrival jitter on loopback
}

TEST_F(CatalogueRetrievalTest, RetriesStopAfterTheOverallLimit)
{
    state.SetEnvironment("ZELTO_GATEWAY_SPACING_MS", "200000");
    ServeCatalogue();
    simulator->SetFault("gateway", Fault(TFaultKind::EmptyData));
    TInstantClock clock;
    TCatalogueRetrieval retrieval(info, host, &clock);
    retrieval.CheckServerInfo({Address("/gsl/gateway"), QString(), QString()});
    EXPECT_EQ(RequestsTo("gateway").size(), 3);
    EXPECT_EQ(clock.waits, (QList<qint64>{200001, 400002}));
}

TEST_F(CatalogueRetrievalTest, BackupsServeWhenTheGatewayFails)
{
    struct Case {
        const char *name;
        bool backup1Fails;
        QStringList messages;
    };
    const Case cases[] = {
        {"backup 1", false, {kMainFailed, kRequestStarts, kUpdated}},
        {"backup 2", true, {kMainFailed, kBackup1Failed, kRequestStarts, kUpdated}},
    };
    for (const Case &c : cases) {
        ServeCatalogue();
        host.printed.clear();
        simulator->SetFault("gateway", Fault(TFaultKind::Down));
        if (c.backup1Fails)
            simulator->SetFault("backup1", Fault(TFaultKind::Status, 404));
        TInstantClock clock;
        TCatalogueRetrieval retrieval(info, host, &clock);
        EXPECT_TRUE(retrieval.CheckServerInfo(Addresses())) << c.name;
        EXPECT_EQ(host.Messages(), c.messages) << c.name;
        const QList<TRecordedRequest> backup = RequestsTo(c.backup1Fails ? "backup2" : "backup1");
        ASSERT_EQ(backup.size(), 1) << c.name;
        EXPECT_TRUE(backup[0].Query.isEmpty());
        EXPECT_EQ(backup[0].Header("User-Agent"), kBrowserAgent);
        ASSERT_TRUE(WaitForServerList(retrieval));
        EXPECT_EQ(ModelServers(), (QStringList{"白虎", "青龙"})) << c.name;
    }
}

TEST_F(CatalogueRetrievalTest, CachedListStandsInWhenEverySourceIsDown)
{
    ServeCatalogue();
    for (const char *endpoint : {"gateway", "backup1", "backup2"})
        simulator->SetFault(endpoint, Fault(TFaultKind::Down));
    SeedCache(ServerListDocument({"缓存"}));
    TInstantClock clock;
    TCatalogueRetrieval retrieval(info, host, &clock);

    EXPECT_TRUE(retrieval.CheckServerInfo(Addresses()));
    EXPECT_EQ(host.Messages(), (QStringList{kMainFailed, kBackup1Failed, kBackup2Failed, kNoAddress, kUpdated}));
    EXPECT_EQ(ModelServers(), QStringList{"缓存"});
    EXPECT_EQ(host.treeFills, 1);
}

TEST_F(CatalogueRetrievalTest, LocalOrNoAddressShowsTheLocalTestServers)
{
    for (const char *address : {"local", ""}) {
        TServerInfo model;
        TRecordingHost localHost;
        TCatalogueRetrieval retrieval(model, localHost);
        EXPECT_FALSE(retrieval.CheckServerInfo({QLatin1String(address), QString(), QString()})) << address;
        ASSERT_EQ(model.ServerList.Count(), 3);
        const QStringList hosts{"127.0.0.1", "192.168.0.1", "192.168.1.1"};
        for (int i = 0; i < 3; ++i) {
            const TServerItem &server = model.ServerList.Items(i);
            EXPECT_EQ(server.GroupName, QStringLiteral("本地测试"));
            EXPECT_EQ(server.DisplayName, QStringLiteral("本地测试(%1:7000)").arg(hosts[i]));
            EXPECT_EQ(server.Host, hosts[i]);
            EXPECT_EQ(server.Port, 7000);
            EXPECT_EQ(server.ImageIndex, 1);
            EXPECT_TRUE(server.Srvid.isEmpty());
        }
        EXPECT_EQ(model.ResFolder(), QStringLiteral("ZeltoResource\\"));
        EXPECT_TRUE(localHost.Messages().isEmpty());
        EXPECT_EQ(localHost.treeFills, 2); // the local servers, then the (empty) cache
    }
}

TEST_F(CatalogueRetrievalTest, LocalServersComeFirstWithACachedList)
{
    SeedCache(ServerListDocument({"缓存"}));
    TCatalogueRetrieval retrieval(info, host);
    EXPECT_TRUE(retrieval.CheckServerInfo({QStringLiteral("local"), QString(), QString()}));
    EXPECT_EQ(ModelServers(), (QStringList{"本地测试(127.0.0.1:7000)", "本地测试(192.168.0.1:7000)",
                                  "本地测试(192.168.1.1:7000)", "缓存"}));
    EXPECT_EQ(host.Messages(), QStringList{kUpdated});
}

TEST_F(CatalogueRetrievalTest, CapitalisedLocalIsAnAddress)
{
    TInstantClock clock;
    TCatalogueRetrieval retrieval(info, host, &clock);
    EXPECT_FALSE(retrieval.CheckServerInfo({QStringLiteral("Local"), QString(), QString()}));
    EXPECT_EQ(info.ServerList.Count(), 0);
    EXPECT_EQ(host.Messages().first(), kMainFailed);
}

TEST_F(CatalogueRetrievalTest, ModListWithoutServerListAddressFailsThePass)
{
    ServeCatalogue(Catalogue(ModListDocument(QString())));
    TCatalogueRetrieval retrieval(info, host);
    EXPECT_FALSE(retrieval.CheckServerInfo(Addresses()));
    EXPECT_EQ(host.Messages(), QStringList{kNoAddress});
    EXPECT_EQ(host.printed.last().first, TMessageType::mtError);
    EXPECT_TRUE(RequestsTo("serverlist").isEmpty());
    EXPECT_EQ(host.treeFills, 0);
}

TEST_F(CatalogueRetrievalTest, BackupAnsweringGarbageCountsAsFetched)
{
    ServeCatalogue();
    simulator->SetFault("gateway", Fault(TFaultKind::Down));
    simulator->SetFault("backup1", Fault(TFaultKind::Garbage));
    SeedCache(ServerListDocument({"缓存"}));
    TInstantClock clock;
    TCatalogueRetrieval retrieval(info, host, &clock);
    EXPECT_FALSE(retrieval.CheckServerInfo(Addresses()));
    EXPECT_EQ(host.Messages(), (QStringList{kMainFailed, kNoAddress}));
    EXPECT_TRUE(RequestsTo("backup2").isEmpty());
    EXPECT_EQ(info.ServerList.Count(), 0); // the cache was not applied
}

TEST_F(CatalogueRetrievalTest, EncipheredServerListIsOpened)
{
    ServeCatalogue(Catalogue(ModListDocument("{base}/gsl/main/srv_1001.json", true),
        {{"document", ServerListDocument({"青龙"})}, {"sealed", true}}));
    TCatalogueRetrieval retrieval(info, host);
    ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
    ASSERT_TRUE(WaitForServerList(retrieval));
    EXPECT_EQ(ModelServers(), QStringList{"青龙"});
    EXPECT_EQ(QJsonDocument::fromJson(g_sServerListCache.toUtf8()).object(), ServerListDocument({"青龙"}));
}

TEST_F(CatalogueRetrievalTest, EncipheredListWithAnotherMarkerLetsTheCacheStandIn)
{
    const QByteArray otherMarker = "Zq5tZw2k" + XXTEAEncrypt(Compact(ServerListDocument({"青龙"})).toUtf8(), kEnvironmentKey);
    ServeCatalogue(Catalogue(ModListDocument("{base}/gsl/main/srv_1001.json", true),
        {{"text", QString::fromLatin1(otherMarker.toBase64())}}));
    SeedCache(ServerListDocument({"缓存"}));
    const QString cached = g_sServerListCache;
    TCatalogueRetrieval retrieval(info, host);
    ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
    ASSERT_TRUE(WaitForServerList(retrieval));
    EXPECT_EQ(ModelServers(), QStringList{"缓存"});
    EXPECT_EQ(g_sServerListCache, cached);
}

TEST_F(CatalogueRetrievalTest, BadListAfterAGoodOneKeepsTheGoodOne)
{
    ServeCatalogue();
    TCatalogueRetrieval retrieval(info, host);
    ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
    ASSERT_TRUE(WaitForServerList(retrieval));
    const QString good = g_sServerListCache;

    EXPECT_FALSE(retrieval.ApplyServerListText(QStringLiteral("<html>")));
    EXPECT_EQ(ModelServers(), (QStringList{"白虎", "青龙"}));
    EXPECT_EQ(g_sServerListCache, good);
    g_sServerListCache.clear();
    host.settings.LoadServerListCache();
    EXPECT_EQ(g_sServerListCache, good);
}

TEST_F(CatalogueRetrievalTest, FailedServerListRequestChangesNothing)
{
    ServeCatalogue();
    simulator->SetFault("serverlist", Fault(TFaultKind::Status, 500));
    TCatalogueRetrieval retrieval(info, host);
    ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
    ASSERT_TRUE(WaitForServerList(retrieval));
    EXPECT_EQ(host.Messages(), (QStringList{kRequestStarts, kUpdated}));
    EXPECT_EQ(host.treeFills, 0);
    EXPECT_FALSE(QFile::exists(host.settings.ServerListCacheFileName()));
}

TEST_F(CatalogueRetrievalTest, SubstitutedModListIsReadOverTheWire)
{
    QJsonObject catalogue = Catalogue();
    QJsonArray modLists = catalogue["modLists"].toArray();
    QJsonObject modList = modLists[0].toObject();
    modList.insert("substituted", true);
    modLists[0] = modList;
    catalogue["modLists"] = modLists;
    ServeCatalogue(catalogue);
    TCatalogueRetrieval retrieval(info, host);
    ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
    ASSERT_TRUE(WaitForServerList(retrieval));
    EXPECT_EQ(ModelServers(), (QStringList{"白虎", "青龙"}));
}

TEST_F(CatalogueRetrievalTest, ServerListPresetsDisplayAndSavedSettingsWin)
{
    for (const bool settingsSaved : {false, true}) {
        ServeCatalogue();
        if (settingsSaved) {
            g_boFullScreen = true;
            g_boWaitVBlank = false;
            g_nResolutionIndex = 3;
            ASSERT_TRUE(host.settings.SaveSettings());
        }
        g_boFullScreen = g_boWaitVBlank = true;
        g_nResolutionIndex = 8;
        g_bo3D = false;
        g_nScreenWidth = 800;
        g_boNewInterface = true;
        TCatalogueRetrieval retrieval(info, host);
        ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
        ASSERT_TRUE(WaitForServerList(retrieval));
        EXPECT_EQ(g_boFullScreen, settingsSaved);
        EXPECT_EQ(g_boWaitVBlank, !settingsSaved);
        EXPECT_EQ(g_nResolutionIndex, settingsSaved ? 3 : 8);
        EXPECT_TRUE(g_bo3D);
        EXPECT_EQ(g_nScreenWidth, 1024);
        EXPECT_EQ(g_nScreenHeight, 768);
        EXPECT_FALSE(g_boNewInterface);
    }
}

TEST_F(CatalogueRetrievalTest, ClosingDuringAServerListRequestStopsIt)
{
    ServeCatalogue();
    TFault slow;
    slow.DelayMs = 60000;
    simulator->SetFault("serverlist", slow);
    {
        TCatalogueRetrieval retrieval(info, host);
        ASSERT_TRUE(retrieval.CheckServerInfo(Addresses()));
    } // waits for the worker, which gives up on its request
    EXPECT_EQ(host.treeFills, 0);
}

} // namespace
} // namespace zelto::testing
