#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>

namespace zelto::opsim {

// One request as the simulator received it, and what it answered.
struct TRecordedRequest {
    qint64 TimeMs = 0;           // when it arrived, in ms since the simulator started
    QDateTime Received;          // the same moment, wall clock (UTC)
    QString Endpoint;            // the endpoint's name; empty when no endpoint has the path
    QByteArray Method;
    QString Path;                // decoded
    QString Query;               // the raw query text after "?", as sent
    QList<QPair<QString, QString>> Params; // the query's parameters, decoded, in order
    QList<QPair<QByteArray, QByteArray>> Headers;
    QByteArray Body;
    int Status = 0;              // the status answered; 0 when the connection was dropped
    QString Note;                // the fault applied, or why the request was refused

    QString Param(const QString &name) const;          // first value; empty when absent
    QByteArray Header(const QByteArray &name) const;   // first value, name without letter case
    QJsonObject ToJson() const;
};

// Every request of a run, safe to use from the server's threads and the caller's.
class TRequestLog {
public:
    void Append(TRecordedRequest request);
    QList<TRecordedRequest> Requests() const; // in order of arrival
    void Clear();
    QJsonArray ToJson() const;

private:
    mutable QMutex FMutex;
    QList<TRecordedRequest> FRequests;
};

} // namespace zelto::opsim
