#include "GateService.h"
#include "OpSim.h"
#include "app/HttpClient.h"
#include "protocol/GateToken.h"
#include "support/EventWait.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace zelto::opsim {
namespace {

using testing::WaitFor;

QJsonObject GateScenario(const QJsonArray &servers) { return {{"gate", QJsonObject{{"servers", servers}}}}; }

// A bare client of a gate: what the launcher's socket would see, byte for byte.
class TRawClient {
public:
    explicit TRawClient(quint16 port) { socket.connectToHost(QStringLiteral("127.0.0.1"), port); }
    // False when refused, or when still connecting after waitMs.
    bool Connected(int waitMs = 3000)
    {
        WaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState || socket.state() == QAbstractSocket::UnconnectedState; }, waitMs);
        return socket.state() == QAbstractSocket::ConnectedState;
    }
    QByteArray ReadUntil(char last)
    {
        WaitFor([&] { received += socket.readAll(); return received.endsWith(last); }, 3000);
        return std::exchange(received, {});
    }
    QTcpSocket socket;
    QByteArray received;
};

TEST(GateService, ScenarioMistakesAreNamed)
{
    struct Case {
        const char *scenario;
        const char *message;
    };
    const Case cases[] = {
        {R"({"gate": {"server": []}})", "gate: unknown member \"server\""},
        {R"({"gate": {"servers": [{}]}})", "gate.servers[0]: \"name\" must be given"},
        {R"({"gate": {"servers": [{"name": "a"}, {"name": "a"}]}})", "two gates are named \"a\""},
        {R"({"gate": {"servers": [{"name": "a", "mode": "slow"}]}})", "unknown gate mode \"slow\""},
        {R"({"gate": {"servers": [{"name": "a", "challenge": "none"}]}})", "\"challenge\" is one of"},
        {R"({"gate": {"servers": [{"name": "a", "afterAnswer": [{"shout": 1}]}]}})",
            "gate.servers[0].afterAnswer[0]: an action is one of"},
        {R"({"gate": {"servers": [{"name": "a", "afterAnswer": [{"raw": "x", "close": true}]}]}})", "an action does one thing"},
        {R"({"gate": {"servers": [{"name": "a", "afterAnswer": [{"pause": -1}]}]}})", "at least 0"},
        {R"({"gate": {"servers": [{"name": "a", "afterAnswer": [{"message": {"ident": 504, "colour": 1}}]}]}})",
            "afterAnswer[0].message: unknown member \"colour\""},
    };
    for (const Case &c : cases) {
        try {
            OpSim simulator(QJsonDocument::fromJson(c.scenario).object());
            ADD_FAILURE() << c.scenario << ": accepted";
        } catch (const TScenarioError &error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QString::fromUtf8(c.message))) << error.what();
        }
    }
}

TEST(GateService, ChallengesChecksTheAnswerAndRunsTheEntrysActions)
{
    OpSim simulator(GateScenario({QJsonObject{{"name", "s1"}, {"afterAnswer", QJsonArray{
        QJsonObject{{"message", QJsonObject{{"ident", 505}, {"recog", -2}, {"body", "b"}}}},
        QJsonObject{{"split", QJsonArray{"#abc!#de", "f!"}}, {"pauseMs", 50}},
        QJsonObject{{"close", true}}}}}}));
    TGateService &gates = *simulator.Gates();
    TRawClient client(gates.Port("s1"));
    ASSERT_TRUE(client.Connected());
    const QByteArray challenge = client.ReadUntil('!');
    ASSERT_TRUE(challenge.startsWith('#'));
    const QString token = OpenTokenChallenge(challenge.sliced(1).chopped(1));
    client.socket.write("#0" + BuildTokenAnswer(token) + "!");

    TDefaultMessage expected;
    expected.Ident = 505;
    expected.Recog = -2;
    EXPECT_TRUE(WaitFor([&] {
        client.received += client.socket.readAll();
        return client.socket.state() == QAbstractSocket::UnconnectedState;
    }));
    EXPECT_EQ(client.received, GateMessageFrame(gates.Coder("s1"), expected, "b") + "#abc!#def!");

    QStringList events;
    for (const TRecordedRequest &event : simulator.RequestsTo("gate:s1"))
        events << event.Path + u' ' + event.Note;
    EXPECT_EQ(events, (QStringList{"/connect mode serve", "/answer token answer right", "/closed "}));
    EXPECT_EQ(simulator.RequestsTo("gate:s1")[1].Param("digit"), QStringLiteral("0"));
}

TEST(GateService, AWrongAnswerIsRecordedAsWrong)
{
    OpSim simulator(GateScenario({QJsonObject{{"name", "s1"}}}));
    TRawClient client(simulator.Gates()->Port("s1"));
    ASSERT_TRUE(client.Connected());
    client.ReadUntil('!');
    client.socket.write("#5" + BuildTokenAnswer(QStringLiteral("another token")) + "!#6more!");
    ASSERT_TRUE(WaitFor([&] { return simulator.RequestsTo("gate:s1").size() == 3; }));
    const QList<TRecordedRequest> events = simulator.RequestsTo("gate:s1");
    EXPECT_EQ(events[1].Note, QStringLiteral("token answer wrong"));
    EXPECT_EQ(events[1].Status, 403);
    EXPECT_EQ(events[2].Path, QStringLiteral("/frame"));
    EXPECT_EQ(events[2].Param("digit"), QStringLiteral("6"));
    EXPECT_EQ(events[2].Body, QByteArray("more"));
}

TEST(GateService, ModesDecideHowAConnectEnds)
{
    OpSim simulator(GateScenario({QJsonObject{{"name", "s1"}, {"mode", "refuse"}}}));
    TGateService &gates = *simulator.Gates();
    const quint16 port = gates.Port("s1");
    const auto outcome = [&] {
        TRawClient client(port);
        QAbstractSocket::SocketError error = QAbstractSocket::UnknownSocketError;
        QObject::connect(&client.socket, &QTcpSocket::errorOccurred, [&](QAbstractSocket::SocketError e) { error = e; });
        const bool connected = client.Connected(1000);
        return connected ? QStringLiteral("connected") : error == QAbstractSocket::ConnectionRefusedError ? QStringLiteral("refused") : QStringLiteral("pending");
    };
    EXPECT_EQ(outcome(), QStringLiteral("refused"));
    gates.SetMode("s1", TGateMode::Unanswered);
    EXPECT_EQ(outcome(), QStringLiteral("pending"));
    gates.SetMode("s1", TGateMode::Stall);
    EXPECT_EQ(outcome(), QStringLiteral("connected"));
    EXPECT_EQ(gates.Port("s1"), port); // the port stays the gate's through every mode
}

TEST(GateService, TheCatalogueNamesTheGatesPorts)
{
    OpSim simulator(QJsonObject{
        {"gate", QJsonObject{{"servers", QJsonArray{QJsonObject{{"name", "green"}}, QJsonObject{{"name", "down"}, {"mode", "refuse"}}}}}},
        {"catalogue", QJsonObject{{"backups", QJsonArray{QJsonObject{{"path", "/servers"},
            {"document", QJsonObject{{"serverData", QJsonArray{
                QJsonObject{{"srvip", "127.0.0.1"}, {"port", "{gate:green}"}},
                QJsonObject{{"srvip", "127.0.0.1"}, {"port", "{gate:down}"}}}}}}}}}}}});
    simulator.Start();
    const THttpResponse answer = HttpFetch(HttpGet(simulator.BaseUrl() + "/servers", "test"));
    const QJsonArray servers = QJsonDocument::fromJson(answer.Body).object().value("serverData").toArray();
    ASSERT_EQ(servers.size(), 2);
    EXPECT_EQ(servers[0].toObject().value("port").toString(), QString::number(simulator.Gates()->Port("green")));
    EXPECT_EQ(servers[1].toObject().value("port").toString(), QString::number(simulator.Gates()->Port("down")));
}

TEST(GateService, TheAdministrationRequestChangesAGate)
{
    OpSim simulator(GateScenario({QJsonObject{{"name", "s1"}, {"mode", "stall"}}}));
    simulator.Start();
    TRawClient client(simulator.Gates()->Port("s1"));
    ASSERT_TRUE(client.Connected());
    ASSERT_TRUE(WaitFor([&] { return simulator.Gates()->OpenConnections("s1") == 1; }));

    THttpRequest request = HttpGet(simulator.BaseUrl() + "/__opsim/gate", "test");
    request.Method = "POST";
    request.Body = R"({"gate": "s1", "mode": "refuse", "do": [{"raw": "#+keepalive!"}, {"reset": true}]})";
    const THttpResponse answer = HttpFetch(request);
    EXPECT_EQ(answer.Status, 200);
    const QJsonObject result = QJsonDocument::fromJson(answer.Body).object();
    EXPECT_EQ(result.value("mode").toString(), QStringLiteral("refuse"));
    EXPECT_EQ(result.value("connections").toInt(), 1);
    EXPECT_EQ(client.ReadUntil('!'), QByteArray("#+keepalive!"));
    EXPECT_TRUE(WaitFor([&] { return client.socket.state() == QAbstractSocket::UnconnectedState; }));

    request.Body = R"({"gate": "nobody"})";
    EXPECT_EQ(HttpFetch(request).Status, 400);
}

} // namespace
} // namespace zelto::opsim
