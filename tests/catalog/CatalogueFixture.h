#pragma once

#include "OpSim.h"
#include "app/LocalSettings.h"
#include "catalog/CatalogueRetrieval.h"
#include "catalog/uServerList.h"
#include "support/LocalState.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QEventLoop>
#include <QTimer>

namespace zelto::testing {

inline const QString kTitle = QStringLiteral("测试登陆器");

// The controller's side of the catalogue pass: the status line and the tree fills are
// recorded, the settings and the cache are the real files in the test's temporary folder.
class TRecordingHost : public ICatalogueHost {
public:
    void Print(TMessageType type, const QString &message) override { printed.append({type, message}); }
    void FillServerTree() override { ++treeFills; }
    void LoadSettings() override { settings.LoadSettings(); }
    void SaveServerListCache() override { settings.SaveServerListCache(); }

    QStringList Messages() const
    {
        QStringList messages;
        for (const auto &[type, message] : printed)
            messages << message;
        return messages;
    }

    TLocalSettings settings{kTitle};
    QList<QPair<TMessageType, QString>> printed;
    int treeFills = 0;
};

// A clock whose waits pass at once; it records the moments waited for.
class TInstantClock : public IRetryClock {
public:
    qint64 ElapsedMs() override { return now; }
    void WaitUntil(qint64 elapsedMs) override
    {
        waits.append(elapsedMs);
        now = std::max(now, elapsedMs);
    }

    qint64 now = 0;
    QList<qint64> waits;
};

// Scenario pieces: a mod list naming a server list, and a server list of one group.
inline QJsonObject ModListDocument(const QString &serverListAddress, bool encrypted = false)
{
    return {{"gameType", "brel"},
        {"customData", QJsonObject{{"isEncrypt", encrypted ? 1 : 0}}},
        {"modData", QJsonArray{QJsonObject{{"id", "1001"}, {"srvlist", serverListAddress},
                        {"noticeURL", "http://pages/notice"}, {"homeURL", "http://pages/home"}}}}};
}

inline QJsonObject ServerListDocument(const QStringList &names)
{
    QJsonArray entries;
    for (int i = 0; i < names.size(); ++i)
        entries.append(QJsonObject{{"tag", 1}, {"srvid", 11 + i}, {"srvname", names[i]}, {"port", 7100 + i},
            {"srvip", QStringLiteral("10.0.0.%1").arg(i + 1)}, {"state", 2}});
    return {{"srvRoot", "gate"}, {"serverGroup", QJsonArray{QJsonObject{{"name", "一区"}, {"tag", 1}}}},
        {"serverData", entries}};
}

class CatalogueTest : public ::testing::Test {
protected:
    void Serve(const QJsonObject &catalogue)
    {
        simulator = std::make_unique<opsim::OpSim>(QJsonObject{{"catalogue", catalogue}});
        simulator->Start();
    }
    QString Address(const char *path) const { return simulator->BaseUrl() + QLatin1String(path); }

    QStringList ModelServers() const
    {
        QStringList names;
        for (int i = 0; i < info.ServerList.Count(); ++i)
            names << info.ServerList.Items(i).DisplayName;
        return names;
    }

    // Runs the event loop until the server-list request has been applied (or has failed).
    static bool WaitForServerList(TCatalogueRetrieval &retrieval)
    {
        QEventLoop loop;
        bool finished = false;
        QObject::connect(&retrieval, &TCatalogueRetrieval::ServerListRequestFinished, &loop, [&] {
            finished = true;
            loop.quit();
        });
        QTimer::singleShot(15000, &loop, &QEventLoop::quit);
        loop.exec();
        return finished;
    }

    ScopedLocalState state;
    std::unique_ptr<opsim::OpSim> simulator;
    TServerInfo info;
    TRecordingHost host;
};

} // namespace zelto::testing
