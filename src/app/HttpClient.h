#pragma once

#include "deploy/Deployment.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>

// The launcher's HTTP client (http and https). A request is synchronous for its caller: on
// the user-interface thread it waits in a nested event loop that leaves user input out, so
// timers and painting go on but a second click cannot re-enter; on a worker thread it waits
// in that thread's own loop and ends early when the thread is asked to stop
// (QThread::requestInterruption). Every request ends after deploy::HttpTimeoutMs without data,
// and after TotalTimeoutMs in all when a request sets it.
namespace zelto {

using THttpHeaders = QList<QPair<QByteArray, QByteArray>>;

struct THttpResponse {
    bool Ok = false;    // a complete answer with a 2xx status
    int Status = 0;     // 0 when no answer arrived
    QString Error;      // why the request failed; empty when Ok
    QUrl FinalUrl;      // after redirects
    THttpHeaders Headers;
    QByteArray Body;    // empty when the request streamed its body (OnData)

    QByteArray Header(const QByteArray &name) const; // first value, name without letter case
    QString Text() const { return QString::fromUtf8(Body); }
};

struct THttpRequest {
    QString Url;
    QByteArray Method = "GET";
    QByteArray UserAgent;
    THttpHeaders Headers;            // sent as given, after the user agent (e.g. "Range")
    QByteArray Body;                 // sent with POST and PUT
    // Signed requests: a redirect to another host fails the request instead of being followed.
    bool SameHostRedirectsOnly = false;
    int TransferTimeoutMs = deploy::HttpTimeoutMs();
    // Small answers that must come whole (the account platform's): a server trickling data
    // cannot hold the request longer than this. 0: no limit beyond the transfer time-out.
    int TotalTimeoutMs = 0;
    qint64 MaxBodyBytes = 64 * 1024 * 1024; // a longer answer held in memory fails the request

    // Streaming (downloads): when OnData is set the body is handed over in pieces instead of
    // being kept. OnHead sees status and headers before the first piece; returning false from
    // either ends the request as failed.
    std::function<bool(const THttpResponse &head)> OnHead;
    std::function<bool(const QByteArray &piece)> OnData;
    std::function<void(qint64 received, qint64 total)> OnProgress; // total -1 when unknown
};

THttpResponse HttpFetch(const THttpRequest &request);

// A GET with the given user agent and extra headers.
THttpRequest HttpGet(const QString &url, const QByteArray &userAgent, THttpHeaders headers = {});

// A form POST: each field percent-encoded from UTF-8 as name=value, joined with "&".
THttpRequest HttpFormPost(const QString &url, const QByteArray &userAgent,
    const QList<QPair<QString, QString>> &fields);

} // namespace zelto
