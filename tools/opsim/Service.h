#pragma once

#include "Fault.h"
#include "RequestLog.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <memory>
#include <span>

// What a simulated service is made of: HTTP endpoints, registered with the simulator when
// the service is built from its section of the scenario. The simulator records every
// request, applies the endpoint's fault and otherwise lets the service answer.
namespace zelto::opsim {

struct TReply {
    int Status = 200;
    QByteArray ContentType = "application/json; charset=utf-8";
    QByteArray Body;
    QList<QPair<QByteArray, QByteArray>> Headers;
    QString Note; // for the request log: why the request was refused

    static TReply Json(const QJsonObject &object);
    static TReply Refusal(int status, const QString &why); // {"msg": why}
};

using THandler = std::function<TReply(const TRecordedRequest &request)>;

struct TEndpoint {
    QString Name;     // unique within the scenario; faults are set by it
    QByteArray Method;
    QString Path;     // matched exactly
    THandler Handler;
    TFault Fault;     // the fault it starts with
};

class TServiceContext {
public:
    virtual ~TServiceContext() = default;
    // Throws TScenarioError when the name, or the method and path, are already taken.
    virtual void AddEndpoint(TEndpoint endpoint) = 0;
    // "http://127.0.0.1:<port>"; known once the simulator has started, so read it when answering.
    virtual QString BaseUrl() const = 0;
    // Replaces "{base}" by BaseUrl() and every placeholder a service published by its value.
    virtual QString Expand(QString text) const = 0;
    // Publishes "{name}" for Expand. Throws TScenarioError when the name is taken.
    virtual void AddPlaceholder(const QString &name, const QString &value) = 0;
    // Adds an event that is not an HTTP request (a gate connection, a frame) to the request
    // log; its time is filled in. Safe from any thread.
    virtual void RecordEvent(TRecordedRequest event) = 0;
};

class IService {
public:
    virtual ~IService() = default;
};

// One kind of service: the scenario section it reads and how it is built.
struct TServiceKind {
    const char *Section;
    const char *Summary;
    std::unique_ptr<IService> (*Create)(const QJsonObject &section, TServiceContext &context);
};

std::span<const TServiceKind> ServiceKinds();

} // namespace zelto::opsim
