#include "OpSim.h"
#include "app/HttpClient.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTcpServer>
#include <QThread>
#include <QTimer>

namespace zelto {
namespace {

using opsim::TFault;
using opsim::TFaultKind;

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        simulator.Start();
    }

    QString Url(const char *path) const { return simulator.BaseUrl() + QLatin1String(path); }

    static TFault Redirect(const QString &location)
    {
        TFault fault;
        fault.Kind = TFaultKind::Redirect;
        fault.Location = location;
        return fault;
    }

    opsim::OpSim simulator{QJsonObject{{"catalogue", QJsonObject{{"backups", QJsonArray{
        QJsonObject{{"name", "text"}, {"path", "/text"}, {"document", QJsonObject{{"name", "神话"}}}},
        QJsonObject{{"name", "moved"}, {"path", "/moved"}, {"text", "moved"}},
        QJsonObject{{"name", "large"}, {"path", "/large"}, {"text", QString(200000, QChar(u'x'))}},
    }}}}}};
};

TEST_F(HttpClientTest, SendsTheUserAgentAndHeadersAndReadsUtf8)
{
    const THttpResponse answer = HttpFetch(HttpGet(Url("/text"), "Agent/1.0", {{"Pragma", "no-cache"}, {"Range", "bytes=3-"}}));
    ASSERT_TRUE(answer.Ok) << answer.Error.toStdString();
    EXPECT_EQ(answer.Status, 200); // the catalogue answers whole documents
    EXPECT_EQ(answer.Text(), QStringLiteral("{\"name\":\"神话\"}"));
    EXPECT_TRUE(answer.Header("content-type").startsWith("application/json"));
    const opsim::TRecordedRequest request = simulator.Requests().first();
    EXPECT_EQ(request.Method, QByteArray("GET"));
    EXPECT_EQ(request.Header("User-Agent"), QByteArray("Agent/1.0"));
    EXPECT_EQ(request.Header("Pragma"), QByteArray("no-cache"));
    EXPECT_EQ(request.Header("Range"), QByteArray("bytes=3-"));
}

TEST_F(HttpClientTest, FailuresSayWhy)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString closedUrl = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();
    TFault status;
    status.Kind = TFaultKind::Status;
    status.Status = 404;
    TFault down;
    down.Kind = TFaultKind::Down;
    struct Case {
        const char *name;
        QString url;
        TFault fault;
        int status;
    };
    const Case cases[] = {
        {"error status", Url("/text"), status, 404},
        {"connection dropped", Url("/text"), down, 200},
        {"refused", closedUrl, {}, 0},
        {"no such path", Url("/nothing"), {}, 404},
        {"not an address", QStringLiteral("local"), {}, 0},
        {"another scheme", QStringLiteral("ftp://127.0.0.1/x"), {}, 0},
    };
    for (const Case &c : cases) {
        simulator.SetFault("text", c.fault);
        const THttpResponse answer = HttpFetch(HttpGet(c.url, "A"));
        EXPECT_FALSE(answer.Ok) << c.name;
        EXPECT_FALSE(answer.Error.isEmpty()) << c.name;
        if (c.status != 200) {
            EXPECT_EQ(answer.Status, c.status) << c.name;
        }
    }
}

TEST_F(HttpClientTest, NoDataForTheTransferTimeOutEndsTheRequest)
{
    TFault slow;
    slow.DelayMs = 20000;
    simulator.SetFault("text", slow);
    THttpRequest request = HttpGet(Url("/text"), "A");
    request.TransferTimeoutMs = 200;
    const THttpResponse answer = HttpFetch(request);
    EXPECT_FALSE(answer.Ok);
    EXPECT_EQ(answer.Status, 0);
    EXPECT_EQ(answer.Error, QStringLiteral("the server sent nothing for 200 ms"));
}

TEST_F(HttpClientTest, TheTotalTimeOutEndsARequestThatTheTransferTimeOutWouldLetRun)
{
    TFault slow;
    slow.DelayMs = 20000;
    simulator.SetFault("text", slow);
    THttpRequest request = HttpGet(Url("/text"), "A");
    request.TransferTimeoutMs = 10000;
    request.TotalTimeoutMs = 200;
    const THttpResponse answer = HttpFetch(request);
    EXPECT_FALSE(answer.Ok);
    EXPECT_EQ(answer.Error, QStringLiteral("no complete answer within 200 ms"));
}

TEST_F(HttpClientTest, RedirectsAreFollowedButSignedOnesStayOnTheirHost)
{
    const QString otherHost = QStringLiteral("http://localhost:%1/text").arg(simulator.Port());
    struct Case {
        const char *name;
        QString location;
        bool sameHostOnly;
        bool followed;
    };
    const Case cases[] = {
        {"same host", QStringLiteral("{base}/text"), false, true},
        {"same host, signed", QStringLiteral("{base}/text"), true, true},
        {"other host", otherHost, false, true},
        {"other host, signed", otherHost, true, false},
        {"other scheme", QStringLiteral("ftp://127.0.0.1/text"), false, false},
    };
    for (const Case &c : cases) {
        simulator.SetFault("moved", Redirect(c.location));
        THttpRequest request = HttpGet(Url("/moved"), "A");
        request.SameHostRedirectsOnly = c.sameHostOnly;
        const THttpResponse answer = HttpFetch(request);
        EXPECT_EQ(answer.Ok, c.followed) << c.name << ": " << answer.Error.toStdString();
        if (c.followed) {
            EXPECT_EQ(answer.Text(), QStringLiteral("{\"name\":\"神话\"}")) << c.name;
        }
    }
}

TEST_F(HttpClientTest, StreamsTheBodyWithProgress)
{
    THttpRequest request = HttpGet(Url("/large"), "A");
    int headStatus = 0;
    QByteArray received;
    qint64 lastProgress = 0;
    qint64 lastTotal = 0;
    request.OnHead = [&](const THttpResponse &head) {
        headStatus = head.Status;
        return true;
    };
    request.OnData = [&](const QByteArray &piece) {
        received += piece;
        return true;
    };
    request.OnProgress = [&](qint64 done, qint64 total) {
        lastProgress = done;
        lastTotal = total;
    };
    const THttpResponse answer = HttpFetch(request);
    ASSERT_TRUE(answer.Ok) << answer.Error.toStdString();
    EXPECT_EQ(headStatus, 200);
    EXPECT_TRUE(answer.Body.isEmpty());
    EXPECT_EQ(received, QByteArray(200000, 'x'));
    EXPECT_EQ(lastProgress, 200000);
    EXPECT_EQ(lastTotal, 200000);

    request.OnData = [](const QByteArray &) { return false; };
    EXPECT_FALSE(HttpFetch(request).Ok);
    THttpRequest limited = HttpGet(Url("/large"), "A");
    limited.MaxBodyBytes = 1000;
    EXPECT_FALSE(HttpFetch(limited).Ok);
}

TEST_F(HttpClientTest, FormPostIsPercentEncodedUtf8)
{
    HttpFetch(HttpFormPost(Url("/form"), "Mozilla/3.0 (compatible; Indy Library)",
        {{"account", "张三"}, {"os", "Windows 10"}, {"x", "a&b=c"}}));
    const opsim::TRecordedRequest request = simulator.Requests().first();
    EXPECT_EQ(request.Method, QByteArray("POST"));
    EXPECT_EQ(request.Header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(request.Body, QByteArray("account=%E5%BC%A0%E4%B8%89&os=Windows%2010&x=a%26b%3Dc"));
}

TEST_F(HttpClientTest, TimersGoOnWhileARequestWaits)
{
    TFault slow;
    slow.DelayMs = 300;
    simulator.SetFault("text", slow);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    EXPECT_TRUE(HttpFetch(HttpGet(Url("/text"), "A")).Ok);
    EXPECT_GT(ticks, 0);
}

TEST_F(HttpClientTest, WorkerThreadRequestsEndWhenTheThreadIsStopped)
{
    THttpResponse answer;
    QThread *worker = QThread::create([&] { answer = HttpFetch(HttpGet(Url("/text"), "A")); });
    worker->start();
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_TRUE(answer.Ok);
    delete worker;

    TFault slow;
    slow.DelayMs = 20000;
    simulator.SetFault("text", slow);
    worker = QThread::create([&] { answer = HttpFetch(HttpGet(Url("/text"), "A")); });
    worker->start();
    QThread::msleep(200);
    worker->requestInterruption();
    ASSERT_TRUE(worker->wait(5000));
    EXPECT_FALSE(answer.Ok);
    delete worker;
}

} // namespace
} // namespace zelto
