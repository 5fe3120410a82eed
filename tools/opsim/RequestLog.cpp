#include "RequestLog.h"

#include <QJsonObject>

#include <algorithm>

namespace zelto::opsim {

QString TRecordedRequest::Param(const QString &name) const
{
    for (const auto &[key, value] : Params)
        if (key == name)
            return value;
    return QString();
}

QByteArray TRecordedRequest::Header(const QByteArray &name) const
{
    for (const auto &[key, value] : Headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return QByteArray();
}

QJsonObject TRecordedRequest::ToJson() const
{
    QJsonObject params;
    for (const auto &[key, value] : Params)
        if (!params.contains(key))
            params.insert(key, value);
    QJsonArray headers;
    for (const auto &[key, value] : Headers)
        headers.append(QJsonArray{QString::fromLatin1(key), QString::fromLatin1(value)});
    QJsonObject object{
        {QStringLiteral("timeMs"), TimeMs},
        {QStringLiteral("received"), Received.toString(Qt::ISODateWithMs)},
        {QStringLiteral("endpoint"), Endpoint},
        {QStringLiteral("method"), QString::fromLatin1(Method)},
        {QStringLiteral("path"), Path},
        {QStringLiteral("query"), Query},
        {QStringLiteral("params"), params},
        {QStringLiteral("headers"), headers},
        {QStringLiteral("status"), Status},
        {QStringLiteral("note"), Note},
    };
    const QString body = QString::fromUtf8(Body);
    if (body.toUtf8() == Body)
        object.insert(QStringLiteral("body"), body);
    else
        object.insert(QStringLiteral("bodyBase64"), QString::fromLatin1(Body.toBase64()));
    return object;
}

void TRequestLog::Append(TRecordedRequest request)
{
    QMutexLocker lock(&FMutex);
    // Requests are logged when answered; a delayed one goes back to its place of arrival.
    const auto later = std::upper_bound(FRequests.begin(), FRequests.end(), request.TimeMs,
        [](qint64 time, const TRecordedRequest &logged) { return time < logged.TimeMs; });
    FRequests.insert(later, std::move(request));
}

QList<TRecordedRequest> TRequestLog::Requests() const
{
    QMutexLocker lock(&FMutex);
    return FRequests;
}

void TRequestLog::Clear()
{
    QMutexLocker lock(&FMutex);
    FRequests.clear();
}

QJsonArray TRequestLog::ToJson() const
{
    QJsonArray requests;
    for (const TRecordedRequest &request : Requests())
        requests.append(request.ToJson());
    return requests;
}

} // namespace zelto::opsim
