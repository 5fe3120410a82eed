#include "OpSim.h"

#include "GateService.h"
#include "PlatformService.h"

#include <httplib.h>

#include <QFile>
#include <QJsonDocument>
#include <QUrlQuery>

#include <chrono>

namespace zelto::opsim {
namespace {

const QString kAdministration = QStringLiteral("/__opsim/");

qint64 MonotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Answer(httplib::Response &response, const TReply &reply)
{
    response.status = reply.Status;
    for (const auto &[name, value] : reply.Headers)
        response.set_header(name.toStdString(), value.toStdString());
    response.set_content(reply.Body.toStdString(), reply.ContentType.toStdString());
}

TRecordedRequest Record(const httplib::Request &request, qint64 timeMs)
{
    TRecordedRequest recorded;
    recorded.TimeMs = timeMs;
    recorded.Received = QDateTime::currentDateTimeUtc();
    recorded.Method = QByteArray::fromStdString(request.method);
    recorded.Path = QString::fromStdString(request.path);
    const std::size_t question = request.target.find('?');
    if (question != std::string::npos)
        recorded.Query = QString::fromStdString(request.target.substr(question + 1));
    for (const auto &[name, value] : QUrlQuery(recorded.Query).queryItems(QUrl::FullyDecoded))
        recorded.Params.append({name, value});
    for (const auto &[name, value] : request.headers) {
        // cpp-httplib files the connection's addresses among the headers; they were not sent.
        if (name == "LOCAL_ADDR" || name == "LOCAL_PORT" || name == "REMOTE_ADDR" || name == "REMOTE_PORT")
            continue;
        recorded.Headers.append({QByteArray::fromStdString(name), QByteArray::fromStdString(value)});
    }
    recorded.Body = QByteArray::fromStdString(request.body);
    return recorded;
}

QString KnownSections()
{
    QStringList sections;
    for (const TServiceKind &kind : ServiceKinds())
        sections << QLatin1String(kind.Section);
    return sections.join(QStringLiteral(", "));
}

} // namespace

QJsonObject LoadScenarioFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TScenarioError(QStringLiteral("cannot read the scenario %1: %2").arg(fileName, file.errorString()).toStdString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw TScenarioError(QStringLiteral("%1: not JSON: %2 at byte %3").arg(fileName, error.errorString()).arg(error.offset).toStdString());
    if (!document.isObject())
        throw TScenarioError(QStringLiteral("%1: a scenario is a JSON object with one section per service").arg(fileName).toStdString());
    return document.object();
}

OpSim::OpSim(const QJsonObject &scenario)
    : FStartedMs(MonotonicMs())
{
    for (auto member = scenario.begin(); member != scenario.end(); ++member) {
        if (member.key() == QLatin1String("description"))
            continue;
        const TServiceKind *kind = nullptr;
        for (const TServiceKind &candidate : ServiceKinds())
            if (member.key() == QLatin1String(candidate.Section))
                kind = &candidate;
        if (!kind)
            throw TScenarioError(QStringLiteral("unknown section \"%1\" (known: %2)").arg(member.key(), KnownSections()).toStdString());
        if (!member.value().isObject())
            throw TScenarioError(QStringLiteral("section \"%1\" must be an object").arg(member.key()).toStdString());
        FServices.push_back(kind->Create(member.value().toObject(), *this));
    }
}

OpSim::~OpSim()
{
    Stop();
    FServices.clear(); // services with threads of their own still log until they end
}

void OpSim::AddEndpoint(TEndpoint endpoint)
{
    for (const TRegistered &registered : FEndpoints) {
        if (registered.endpoint.Name == endpoint.Name)
            throw TScenarioError(QStringLiteral("two endpoints are named \"%1\"").arg(endpoint.Name).toStdString());
        if (registered.endpoint.Method == endpoint.Method && registered.endpoint.Path == endpoint.Path)
            throw TScenarioError(QStringLiteral("two endpoints answer %1 %2").arg(QString::fromLatin1(endpoint.Method), endpoint.Path).toStdString());
    }
    if (!endpoint.Path.startsWith(u'/') || endpoint.Path.startsWith(kAdministration))
        throw TScenarioError(QStringLiteral("endpoint \"%1\": the path must start with \"/\" and not with %2")
                                 .arg(endpoint.Name, kAdministration).toStdString());
    const TFault fault = endpoint.Fault;
    FEndpoints.push_back({std::move(endpoint), fault});
}

void OpSim::AddPlaceholder(const QString &name, const QString &value)
{
    if (name == QLatin1String("base") || !FPlaceholders.emplace(name, value).second)
        throw TScenarioError(QStringLiteral("two services publish \"{%1}\"").arg(name).toStdString());
}

QString OpSim::Expand(QString text) const
{
    text.replace(QStringLiteral("{base}"), BaseUrl());
    for (const auto &[name, value] : FPlaceholders)
        text.replace(u'{' + name + u'}', value);
    return text;
}

void OpSim::RecordEvent(TRecordedRequest event)
{
    event.TimeMs = MonotonicMs() - FStartedMs;
    event.Received = QDateTime::currentDateTimeUtc();
    FLog.Append(std::move(event));
}

TGateService *OpSim::Gates() const { return ServiceOfType<TGateService>(); }

TPlatformService *OpSim::Platform() const { return ServiceOfType<TPlatformService>(); }

void OpSim::Start(quint16 port)
{
    if (FServer)
        return;
    FServer = std::make_unique<httplib::Server>();
    const auto serve = [this](const httplib::Request &request, httplib::Response &response) { Serve(request, response); };
    FServer->Get(".*", serve).Post(".*", serve).Put(".*", serve).Delete(".*", serve);
    FServer->set_keep_alive_timeout(1);
    const int bound = port == 0 ? FServer->bind_to_any_port("127.0.0.1")
                                : (FServer->bind_to_port("127.0.0.1", port) ? int(port) : -1);
    if (bound <= 0) {
        FServer.reset();
        throw std::runtime_error(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port).toStdString());
    }
    FPort = quint16(bound);
    FStartedMs = MonotonicMs();
    FStopping = false;
    FListener = std::thread([this] { FServer->listen_after_bind(); });
    // cpp-httplib's stop() is lost on a server that has not begun to listen.
    for (int waited = 0; !FServer->is_running() && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void OpSim::Stop()
{
    if (!FServer)
        return;
    {
        std::lock_guard lock(FStopMutex);
        FStopping = true;
    }
    FStopSignal.notify_all();
    FServer->stop();
    FListener.join();
    FServer.reset();
}

QString OpSim::BaseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(FPort);
}

QList<TRecordedRequest> OpSim::RequestsTo(const QString &endpoint) const
{
    QList<TRecordedRequest> found;
    for (const TRecordedRequest &request : FLog.Requests())
        if (request.Endpoint == endpoint)
            found.append(request);
    return found;
}

QJsonArray OpSim::EndpointsJson() const
{
    QMutexLocker lock(&FFaultMutex);
    QJsonArray endpoints;
    for (const TRegistered &registered : FEndpoints) {
        endpoints.append(QJsonObject{
            {QStringLiteral("name"), registered.endpoint.Name},
            {QStringLiteral("method"), QString::fromLatin1(registered.endpoint.Method)},
            {QStringLiteral("path"), registered.endpoint.Path},
            {QStringLiteral("fault"), registered.fault.ToJson()},
        });
    }
    return endpoints;
}

void OpSim::SetFault(const QString &endpoint, const TFault &fault)
{
    QMutexLocker lock(&FFaultMutex);
    for (TRegistered &registered : FEndpoints) {
        if (registered.endpoint.Name == endpoint) {
            registered.fault = fault;
            return;
        }
    }
    throw TScenarioError(QStringLiteral("no endpoint is named \"%1\"").arg(endpoint).toStdString());
}

TFault OpSim::TakeFault(std::size_t endpoint)
{
    QMutexLocker lock(&FFaultMutex);
    TFault &fault = FEndpoints[endpoint].fault;
    const TFault taken = fault;
    if (fault.Count > 0 && --fault.Count == 0)
        fault = TFault{};
    return taken.Count == 0 ? TFault{} : taken;
}

bool OpSim::Sleep(int ms)
{
    std::unique_lock lock(FStopMutex);
    return !FStopSignal.wait_for(lock, std::chrono::milliseconds(ms), [this] { return FStopping; });
}

void OpSim::Serve(const httplib::Request &request, httplib::Response &response)
{
    // cpp-httplib would cut every answer to a requested range (keeping a 200 status); a part
    // is the answering service's business, from the Range header it sees in the request.
    const_cast<httplib::Request &>(request).ranges.clear();
    TRecordedRequest recorded = Record(request, MonotonicMs() - FStartedMs);
    if (recorded.Path.startsWith(kAdministration)) {
        if (!ServeAdministration(recorded, response))
            Answer(response, TReply::Refusal(404, QStringLiteral("no such administration request")));
        return;
    }
    std::size_t index = 0;
    while (index < FEndpoints.size()
        && (FEndpoints[index].endpoint.Method != recorded.Method || FEndpoints[index].endpoint.Path != recorded.Path))
        ++index;
    if (index == FEndpoints.size()) {
        const TReply reply = TReply::Refusal(404, QStringLiteral("no endpoint answers %1 %2").arg(QString::fromLatin1(recorded.Method), recorded.Path));
        Answer(response, reply);
        recorded.Status = reply.Status;
        recorded.Note = reply.Note;
        FLog.Append(std::move(recorded));
        return;
    }
    const TEndpoint &endpoint = FEndpoints[index].endpoint;
    recorded.Endpoint = endpoint.Name;
    const TFault fault = TakeFault(index);
    if (fault.Kind != TFaultKind::None)
        recorded.Note = QStringLiteral("fault ") + QString::fromUtf8(QJsonDocument(fault.ToJson()).toJson(QJsonDocument::Compact));
    if (fault.DelayMs > 0 && !Sleep(fault.DelayMs))
        return; // stopping: the connection goes without an answer, and unlogged

    TReply reply;
    switch (fault.Kind) {
    case TFaultKind::Down:
        // Headers promise a body that never comes; the client sees the connection drop.
        response.set_content_provider(1, "text/plain", [](std::size_t, std::size_t, httplib::DataSink &) { return false; });
        FLog.Append(std::move(recorded));
        return;
    case TFaultKind::Status:
        reply = TReply::Refusal(fault.Status, QStringLiteral("opsim: fault status %1").arg(fault.Status));
        break;
    case TFaultKind::Garbage:
        reply.ContentType = "text/html";
        reply.Body = "<html><body>opsim: this is not the document you asked for</body></html>";
        break;
    case TFaultKind::EmptyData:
        reply = TReply::Json({{QStringLiteral("data"), QJsonArray()}});
        break;
    case TFaultKind::MissingData:
        reply = TReply::Json({{QStringLiteral("msg"), QStringLiteral("opsim: data left out")}});
        break;
    case TFaultKind::EmptyBody:
        reply.ContentType = "text/plain";
        break;
    case TFaultKind::Message:
        reply = TReply::Json({{QStringLiteral("msg"), fault.Message}});
        break;
    case TFaultKind::Redirect:
        reply.Status = 302;
        reply.Headers.append({"Location", Expand(fault.Location).toUtf8()});
        break;
    case TFaultKind::None:
        try {
            reply = endpoint.Handler(recorded);
        } catch (const std::exception &error) {
            reply = TReply::Refusal(500, QStringLiteral("opsim: the service failed: ") + QString::fromLocal8Bit(error.what()));
        }
        break;
    }
    Answer(response, reply);
    recorded.Status = reply.Status;
    if (!reply.Note.isEmpty())
        recorded.Note = reply.Note;
    FLog.Append(std::move(recorded));
}

bool OpSim::ServeAdministration(const TRecordedRequest &request, httplib::Response &response)
{
    const QString what = request.Path.mid(kAdministration.size());
    if (what == QLatin1String("log") && request.Method == "GET") {
        TReply reply;
        reply.Body = QJsonDocument(LogJson()).toJson(QJsonDocument::Indented);
        Answer(response, reply);
    } else if (what == QLatin1String("log") && request.Method == "DELETE") {
        ClearLog();
        Answer(response, TReply::Json({{QStringLiteral("msg"), QStringLiteral("log cleared")}}));
    } else if (what == QLatin1String("endpoints") && request.Method == "GET") {
        TReply reply;
        reply.Body = QJsonDocument(EndpointsJson()).toJson(QJsonDocument::Indented);
        Answer(response, reply);
    } else if (what == QLatin1String("gate") && request.Method == "POST" && Gates()) {
        try {
            Answer(response, TReply::Json(Gates()->Administer(QJsonDocument::fromJson(request.Body).object())));
        } catch (const TScenarioError &error) {
            Answer(response, TReply::Refusal(400, QString::fromUtf8(error.what())));
        }
    } else if (what == QLatin1String("fault") && request.Method == "POST") {
        try {
            const QJsonObject change = QJsonDocument::fromJson(request.Body).object();
            SetFault(change.value(QStringLiteral("endpoint")).toString(),
                TFault::FromJson(change.value(QStringLiteral("fault")), QStringLiteral("fault")));
            Answer(response, TReply::Json({{QStringLiteral("msg"), QStringLiteral("fault set")}}));
        } catch (const TScenarioError &error) {
            Answer(response, TReply::Refusal(400, QString::fromUtf8(error.what())));
        }
    } else {
        return false;
    }
    return true;
}

} // namespace zelto::opsim
