#pragma once

#include "Fault.h"
#include "RequestLog.h"
#include "Service.h"

#include <QJsonObject>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <map>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The operator simulator: serves, on a loopback port, the operator's side that a scenario
// describes, one section per service (see README.md). Usable as a library: a test builds it
// from a scenario object, starts it, points the launcher at BaseUrl() and reads Requests().
namespace zelto::opsim {

class TGateService;
class TPlatformService;

// Reads a scenario file. Throws TScenarioError when it cannot be read or is not a JSON object.
QJsonObject LoadScenarioFile(const QString &fileName);

class OpSim : private TServiceContext {
public:
    // Builds every service of the scenario. Throws TScenarioError on any mistake in it.
    explicit OpSim(const QJsonObject &scenario);
    ~OpSim() override;
    OpSim(const OpSim &) = delete;
    OpSim &operator=(const OpSim &) = delete;

    // Serves on 127.0.0.1:port (0: a free port). Throws std::runtime_error when it cannot bind.
    void Start(quint16 port = 0);
    void Stop(); // also ends delayed answers at once

    quint16 Port() const { return FPort; }
    QString BaseUrl() const override;
    QString Expand(QString text) const override;

    // The login gates of the scenario; nullptr when it has no "gate" section.
    TGateService *Gates() const;
    // The account platform of the scenario; nullptr when it has no "platform" section.
    TPlatformService *Platform() const;

    QList<TRecordedRequest> Requests() const { return FLog.Requests(); }
    QList<TRecordedRequest> RequestsTo(const QString &endpoint) const;
    void ClearLog() { FLog.Clear(); }
    QJsonArray LogJson() const { return FLog.ToJson(); }

    // Name, method, path and present fault of every endpoint.
    QJsonArray EndpointsJson() const;
    // Throws TScenarioError for an endpoint that does not exist.
    void SetFault(const QString &endpoint, const TFault &fault);

private:
    template <typename Service>
    Service *ServiceOfType() const
    {
        for (const std::unique_ptr<IService> &service : FServices)
            if (auto *found = dynamic_cast<Service *>(service.get()))
                return found;
        return nullptr;
    }
    struct TRegistered {
        TEndpoint endpoint;
        TFault fault;
    };

    void AddEndpoint(TEndpoint endpoint) override;
    void AddPlaceholder(const QString &name, const QString &value) override;
    void RecordEvent(TRecordedRequest event) override;
    void Serve(const httplib::Request &request, httplib::Response &response);
    bool ServeAdministration(const TRecordedRequest &request, httplib::Response &response);
    // The fault to apply to this request (used up by one when it has a count).
    TFault TakeFault(std::size_t endpoint);
    bool Sleep(int ms); // false when the simulator stops meanwhile

    std::vector<std::unique_ptr<IService>> FServices;
    std::vector<TRegistered> FEndpoints;
    std::map<QString, QString> FPlaceholders; // written while the services are built only
    mutable QMutex FFaultMutex;
    TRequestLog FLog;
    std::unique_ptr<httplib::Server> FServer;
    std::thread FListener;
    quint16 FPort = 0;
    qint64 FStartedMs;
    std::mutex FStopMutex;
    std::condition_variable FStopSignal;
    bool FStopping = false;
};

} // namespace zelto::opsim
