#include "app/HttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

namespace zelto {
namespace {

constexpr int kMaxRedirects = 10;
constexpr int kInterruptionPollMs = 50;

bool IsHttpScheme(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

// Why a redirect may not be followed; empty when it may.
QString RedirectRefusal(const QUrl &from, const QUrl &to, const QUrl &original, bool sameHostOnly)
{
    if (!IsHttpScheme(to))
        return QStringLiteral("redirect to a non-HTTP address refused: ") + to.toDisplayString();
    if (from.scheme() == QLatin1String("https") && to.scheme() == QLatin1String("http"))
        return QStringLiteral("redirect from https to http refused: ") + to.toDisplayString();
    if (sameHostOnly && to.host().compare(original.host(), Qt::CaseInsensitive) != 0)
        return QStringLiteral("redirect of a signed request to another host refused: ") + to.toDisplayString();
    return QString();
}

// One request in flight: collects the answer, or hands it to the request's stream handlers.
class TTransfer {
public:
    TTransfer(const THttpRequest &request, QNetworkReply *reply) : FRequest(request), FReply(reply) {}

    void Connect()
    {
        QObject::connect(FReply, &QNetworkReply::redirected, [this](const QUrl &to) { OnRedirected(to); });
        QObject::connect(FReply, &QNetworkReply::readyRead, [this] { Drain(); });
        if (FRequest.OnProgress)
            QObject::connect(FReply, &QNetworkReply::downloadProgress, FRequest.OnProgress);
    }

    void Fail(const QString &why)
    {
        if (FFailure.isEmpty())
            FFailure = why;
        FReply->abort();
    }

    THttpResponse Finish()
    {
        if (FFailure.isEmpty())
            Drain();
        FillHead();
        if (!FFailure.isEmpty())
            FResponse.Error = FFailure;
        else if (FReply->error() == QNetworkReply::OperationCanceledError)
            FResponse.Error = QStringLiteral("the server sent nothing for %1 ms").arg(FRequest.TransferTimeoutMs);
        else if (FReply->error() != QNetworkReply::NoError)
            FResponse.Error = FReply->errorString();
        else if (FResponse.Status < 200 || FResponse.Status > 299)
            FResponse.Error = QStringLiteral("HTTP status %1").arg(FResponse.Status);
        else
            FResponse.Ok = true;
        return std::move(FResponse);
    }

private:
    void OnRedirected(const QUrl &to)
    {
        const QString refusal = RedirectRefusal(FCurrentUrl, to, QUrl(FRequest.Url), FRequest.SameHostRedirectsOnly);
        if (!refusal.isEmpty())
            return Fail(refusal);
        FCurrentUrl = to;
        FReply->redirectAllowed();
    }

    void FillHead()
    {
        FResponse.Status = FReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        FResponse.FinalUrl = FReply->url();
        FResponse.Headers = FReply->rawHeaderPairs();
    }

    void Drain()
    {
        if (!FHeadSeen) {
            FHeadSeen = true;
            FillHead();
            if (FRequest.OnHead && !FRequest.OnHead(FResponse))
                return Fail(QStringLiteral("the answer was refused"));
        }
        const QByteArray piece = FReply->isOpen() ? FReply->readAll() : QByteArray();
        if (piece.isEmpty())
            return;
        if (FRequest.OnData) {
            if (!FRequest.OnData(piece))
                Fail(QStringLiteral("the answer could not be stored"));
            return;
        }
        if (FResponse.Body.size() + piece.size() > FRequest.MaxBodyBytes)
            return Fail(QStringLiteral("the answer is longer than %1 bytes").arg(FRequest.MaxBodyBytes));
        FResponse.Body += piece;
    }

    const THttpRequest &FRequest;
    QNetworkReply *FReply;
    QUrl FCurrentUrl{FRequest.Url};
    THttpResponse FResponse;
    QString FFailure;
    bool FHeadSeen = false;
};

} // namespace

QByteArray THttpResponse::Header(const QByteArray &name) const
{
    for (const auto &[key, value] : Headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return QByteArray();
}

THttpResponse HttpFetch(const THttpRequest &request)
{
    const QUrl url(request.Url);
    if (!url.isValid() || !IsHttpScheme(url) || url.host().isEmpty()) {
        THttpResponse invalid;
        invalid.Error = QStringLiteral("not an http or https address: ") + request.Url;
        return invalid;
    }

    QNetworkAccessManager manager;
    QNetworkRequest networkRequest(url);
    networkRequest.setTransferTimeout(request.TransferTimeoutMs);
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    networkRequest.setMaximumRedirectsAllowed(kMaxRedirects);
    if (!request.UserAgent.isEmpty())
        networkRequest.setHeader(QNetworkRequest::UserAgentHeader, request.UserAgent);
    for (const auto &[name, value] : request.Headers)
        networkRequest.setRawHeader(name, value);

    QNetworkReply *reply = manager.sendCustomRequest(networkRequest, request.Method, request.Body);
    TTransfer transfer(request, reply);
    transfer.Connect();

    QTimer interruptionPoll;
    QObject::connect(&interruptionPoll, &QTimer::timeout, [&transfer] {
        if (QThread::currentThread()->isInterruptionRequested())
            transfer.Fail(QStringLiteral("the request was stopped"));
    });
    interruptionPoll.start(kInterruptionPollMs);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&transfer, &request] {
        transfer.Fail(QStringLiteral("no complete answer within %1 ms").arg(request.TotalTimeoutMs));
    });
    if (request.TotalTimeoutMs > 0)
        deadline.start(request.TotalTimeoutMs);

    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return transfer.Finish();
}

THttpRequest HttpGet(const QString &url, const QByteArray &userAgent, THttpHeaders headers)
{
    THttpRequest request;
    request.Url = url;
    request.UserAgent = userAgent;
    request.Headers = std::move(headers);
    return request;
}

THttpRequest HttpFormPost(const QString &url, const QByteArray &userAgent,
    const QList<QPair<QString, QString>> &fields)
{
    THttpRequest request = HttpGet(url, userAgent,
        {{QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/x-www-form-urlencoded")}});
    request.Method = "POST";
    for (const auto &[name, value] : fields) {
        if (!request.Body.isEmpty())
            request.Body += '&';
        request.Body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return request;
}

} // namespace zelto
