#include "OpSim.h"
#include "app/HttpClient.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

namespace zelto::opsim {
namespace {

QJsonObject Scenario()
{
    return QJsonObject{{"catalogue", QJsonObject{
        {"gateway", QJsonObject{{"path", "/gw"}, {"data", QJsonArray{"{base}/gsl/main/m.json"}}}},
        {"backups", QJsonArray{QJsonObject{{"name", "b"}, {"path", "/b"}, {"document", QJsonObject{{"x", 1}}}}}},
    }}};
}

THttpResponse Get(const QString &url)
{
    return HttpFetch(HttpGet(url, "test"));
}

TEST(OpSim, ScenarioMistakesAreNamed)
{
    struct Case {
        const char *name;
        const char *scenario;
        const char *message;
    };
    const Case cases[] = {
        {"unknown section", R"({"catalog": {}})", "unknown section \"catalog\" (known: catalogue, gate, platform)"},
        {"section not an object", R"({"catalogue": []})", "section \"catalogue\" must be an object"},
        {"unknown member", R"({"catalogue": {"gateways": {}}})", "catalogue: unknown member \"gateways\""},
        {"path missing", R"({"catalogue": {"backups": [{"text": "x"}]}})", "catalogue.backups[0]: \"path\" must be given"},
        {"document and text", R"({"catalogue": {"backups": [{"path": "/b", "text": "x", "document": {}}]}})", "either"},
        {"bad fault kind", R"({"catalogue": {"backups": [{"path": "/b", "text": "x", "fault": {"kind": "slow"}}]}})",
            "catalogue.backups[0].fault: unknown fault kind \"slow\""},
        {"redirect without location", R"({"catalogue": {"backups": [{"path": "/b", "text": "x", "fault": {"kind": "redirect"}}]}})",
            "needs a \"location\""},
        {"same path twice", R"({"catalogue": {"backups": [{"path": "/b", "text": "x"}, {"name": "c", "path": "/b", "text": "y"}]}})",
            "two endpoints answer GET /b"},
        {"unpublishable", R"({"catalogue": {"modLists": [{"path": "/m", "text": "<html>", "substituted": true}]}})",
            "not a JSON object"},
        {"sealed text outside code page 936", R"({"catalogue": {"serverLists": [{"path": "/s", "text": "\u0e01", "sealed": true}]}})",
            "code page 936"},
    };
    for (const Case &c : cases) {
        try {
            OpSim simulator(QJsonDocument::fromJson(c.scenario).object());
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const TScenarioError &error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QString::fromUtf8(c.message))) << c.name << ": " << error.what();
        }
    }
}

TEST(OpSim, RecordsEveryRequest)
{
    OpSim simulator(Scenario());
    simulator.Start();
    THttpRequest request = HttpFormPost(simulator.BaseUrl() + "/b?a=1&b=%E4%B8%AD", "agent", {{"k", "v"}});
    HttpFetch(request);
    Get(simulator.BaseUrl() + "/b");
    Get(simulator.BaseUrl() + "/nothing");

    const QList<TRecordedRequest> log = simulator.Requests();
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[0].Method, QByteArray("POST"));
    EXPECT_EQ(log[0].Path, QStringLiteral("/b"));
    EXPECT_EQ(log[0].Query, QStringLiteral("a=1&b=%E4%B8%AD"));
    EXPECT_EQ(log[0].Param("b"), QStringLiteral("中"));
    EXPECT_EQ(log[0].Body, QByteArray("k=v"));
    EXPECT_EQ(log[0].Header("user-agent"), QByteArray("agent"));
    EXPECT_EQ(log[0].Status, 404); // the backup answers GET only
    EXPECT_EQ(log[1].Endpoint, QStringLiteral("b"));
    EXPECT_EQ(log[1].Status, 200);
    EXPECT_LE(log[0].TimeMs, log[1].TimeMs);
    EXPECT_TRUE(log[2].Endpoint.isEmpty());
    EXPECT_TRUE(log[2].Note.contains(QStringLiteral("no endpoint answers GET /nothing")));

    const QJsonArray json = QJsonDocument::fromJson(Get(simulator.BaseUrl() + "/__opsim/log").Body).array();
    ASSERT_EQ(json.size(), 3); // administration requests are not logged
    EXPECT_EQ(json[1].toObject()["endpoint"].toString(), QStringLiteral("b"));
    EXPECT_EQ(json[0].toObject()["params"].toObject()["b"].toString(), QStringLiteral("中"));
}

TEST(OpSim, FaultsChangeAtRunTimeAndCanBeCounted)
{
    OpSim simulator(Scenario());
    simulator.Start();
    TFault twice;
    twice.Kind = TFaultKind::Status;
    twice.Status = 502;
    twice.Count = 2;
    simulator.SetFault("b", twice);
    EXPECT_EQ(Get(simulator.BaseUrl() + "/b").Status, 502);
    EXPECT_EQ(Get(simulator.BaseUrl() + "/b").Status, 502);
    EXPECT_EQ(Get(simulator.BaseUrl() + "/b").Status, 200);
    EXPECT_THROW(simulator.SetFault("nothing", twice), TScenarioError);

    THttpRequest change = HttpGet(simulator.BaseUrl() + "/__opsim/fault", "test",
        {{"Content-Type", "application/json"}});
    change.Method = "POST";
    change.Body = R"({"endpoint": "gw", "fault": {"kind": "missingData"}})";
    EXPECT_EQ(HttpFetch(change).Status, 400); // the gateway is named "gateway"
    change.Body = R"({"endpoint": "gateway", "fault": {"kind": "missingData"}})";
    EXPECT_TRUE(HttpFetch(change).Ok);
    const THttpResponse answer = Get(simulator.BaseUrl() + "/gw");
    EXPECT_TRUE(answer.Ok);
    EXPECT_FALSE(QJsonDocument::fromJson(answer.Body).object().contains("data"));
}

TEST(OpSim, GatewayRefusesUnsignedRequests)
{
    OpSim simulator(Scenario());
    simulator.Start();
    const THttpResponse answer = Get(simulator.BaseUrl() + "/gw?time=1&sign=0&type=getaway");
    EXPECT_EQ(answer.Status, 403);
    EXPECT_EQ(Get(simulator.BaseUrl() + "/gw?time=1&sign=0").Status, 400);
    EXPECT_TRUE(simulator.Requests().first().Note.contains("sign mismatch"));
}

class OpSimProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile file(folder.filePath("scenario.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(Scenario()).toJson());
    }
    QString Program() const { return QStringLiteral(ZELTO_BIN_DIR "/tools/zelto-opsim"); }

    QTemporaryDir folder;
};

TEST_F(OpSimProgramTest, ServesReportsItsAddressAndWritesTheLogWhenStopped)
{
    QProcess process;
    process.start(Program(), {"--scenario", folder.filePath("scenario.json"), "--port-file", folder.filePath("port"),
                                 "--log", folder.filePath("log.json")});
    while (!process.canReadLine() && process.waitForReadyRead(10000)) {
    }
    const QString line = QString::fromLatin1(process.readLine()).trimmed();
    ASSERT_TRUE(line.startsWith("ZELTO_OPSIM_BASE=http://127.0.0.1:")) << line.toStdString();
    const QString base = line.mid(line.indexOf('=') + 1);
    QFile portFile(folder.filePath("port"));
    ASSERT_TRUE(portFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(base.endsWith(":" + QString::fromLatin1(portFile.readAll()).trimmed()));
    EXPECT_TRUE(Get(base + "/b").Ok);

    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    QFile log(folder.filePath("log.json"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QJsonArray requests = QJsonDocument::fromJson(log.readAll()).array();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].toObject()["path"].toString(), QStringLiteral("/b"));
}

TEST_F(OpSimProgramTest, UsageAndScenarioErrorsExitWithTwo)
{
    QFile broken(folder.filePath("broken.json"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{\"catalogue\": ");
    broken.close();
    struct Case {
        QStringList arguments;
        int status;
        const char *output;
    };
    const Case cases[] = {
        {{"--help"}, 0, "--scenario"},
        {{"--check", "--scenario", folder.filePath("scenario.json")}, 0, "\"gateway\""},
        {{}, 2, "usage"},
        {{"--scenario", folder.filePath("none.json")}, 2, "cannot read the scenario"},
        {{"--scenario", folder.filePath("broken.json")}, 2, "not JSON"},
        {{"--scenario", folder.filePath("scenario.json"), "--port", "70000"}, 2, "--port"},
        {{"--frobnicate"}, 2, "frobnicate"},
    };
    for (const Case &c : cases) {
        QProcess process;
        process.start(Program(), c.arguments);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), c.status) << c.arguments.join(' ').toStdString();
        const QString output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        EXPECT_TRUE(output.contains(QLatin1String(c.output))) << output.toStdString();
    }
}

} // namespace
} // namespace zelto::opsim
