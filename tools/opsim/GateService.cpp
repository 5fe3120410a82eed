#include "GateService.h"

#include "SectionReader.h"
#include "app/Guid.h"
#include "deploy/Deployment.h"
#include "os/AnsiCodePage.h"
#include "protocol/GateFrames.h"
#include "protocol/GateToken.h"
#include "protocol/WireText.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <deque>
#include <limits>

namespace zelto::opsim {
namespace {

constexpr std::array<std::pair<TGateMode, const char *>, 4> kModeNames{{
    {TGateMode::Serve, "serve"},
    {TGateMode::Stall, "stall"},
    {TGateMode::Refuse, "refuse"},
    {TGateMode::Unanswered, "unanswered"},
}};

// How the challenge goes out: whole, in two writes, or as text that holds no token.
enum class TChallenge { Token, Split, Garbage };

constexpr int kSplitChallengePauseMs = 100;
constexpr int kDefaultSplitPauseMs = 100;

const char *NameOf(TGateMode mode)
{
    for (const auto &[known, name] : kModeNames)
        if (known == mode)
            return name;
    return "serve";
}

QString KnownModes()
{
    QStringList names;
    for (const auto &[mode, name] : kModeNames)
        names << QLatin1String(name);
    return names.join(QStringLiteral(", "));
}

struct TGateEntry {
    QString Name;
    TGateMode Mode = TGateMode::Serve;
    TChallenge Challenge = TChallenge::Token;
    TMessageCoder Coder;
    QList<TGateAction> AfterAnswer;
};

// Text of the given length without a frame end, so that it never completes a frame.
QByteArray Garbage(int bytes)
{
    static const QByteArray pattern = "garbage-from-the-gate;";
    QByteArray text;
    text.reserve(bytes);
    while (text.size() < bytes)
        text.append(pattern.first(std::min<qsizetype>(pattern.size(), bytes - text.size())));
    return text;
}

QList<TGateAction> SplitActions(const TSectionReader &reader)
{
    const QJsonArray parts = reader.Array(QStringLiteral("split"));
    const int pauseMs = reader.Integer(QStringLiteral("pauseMs"), kDefaultSplitPauseMs, 0);
    QList<TGateAction> actions;
    for (const QJsonValue &part : parts) {
        if (!part.isString())
            reader.Fail(QStringLiteral("\"split\" holds the pieces as strings"));
        if (!actions.isEmpty())
            actions << TGateAction::Pause(pauseMs);
        actions << TGateAction::Send(os::ToAnsi(part.toString()));
    }
    return actions;
}

TDefaultMessage MessageFromJson(const TSectionReader &reader)
{
    reader.AllowOnly({"ident", "recog", "param", "tag", "series", "body"});
    TDefaultMessage msg;
    msg.Ident = quint16(reader.Integer(QStringLiteral("ident"), 0, 0));
    msg.Recog = reader.Integer(QStringLiteral("recog"), 0, std::numeric_limits<int>::min());
    msg.Param = quint16(reader.Integer(QStringLiteral("param"), 0, 0));
    msg.Tag = quint16(reader.Integer(QStringLiteral("tag"), 0, 0));
    msg.Series = quint16(reader.Integer(QStringLiteral("series"), 0, 0));
    return msg;
}

// A socket bound to a port of 127.0.0.1, kept so that the port stays ours while the gate
// does not serve on it. Listening with no room at all, one connection of its own filling
// the queue, it leaves every further connect unanswered.
class TPortHolder {
public:
    TPortHolder(quint16 port, bool unanswered)
    {
        m_socket = Bound(port);
        if (m_socket < 0 || !unanswered)
            return;
        if (::listen(m_socket, 0) != 0)
            return;
        m_filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_in address = Loopback(port);
        ::connect(m_filler, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    }
    ~TPortHolder()
    {
        for (int socket : {m_filler, m_socket})
            if (socket >= 0)
                ::close(socket);
    }
    TPortHolder(const TPortHolder &) = delete;
    TPortHolder &operator=(const TPortHolder &) = delete;

    bool Holds() const { return m_socket >= 0; }

private:
    static sockaddr_in Loopback(quint16 port)
    {
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }
    static int Bound(quint16 port)
    {
        const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int reuse = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
        const sockaddr_in address = Loopback(port);
        if (socket >= 0 && ::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
            return socket;
        if (socket >= 0)
            ::close(socket);
        return -1;
    }

    int m_socket = -1;
    int m_filler = -1;
};

} // namespace

TGateMode GateModeFromName(const QString &name, const QString &where)
{
    for (const auto &[mode, known] : kModeNames)
        if (name == QLatin1String(known))
            return mode;
    throw TScenarioError(QStringLiteral("%1: unknown gate mode \"%2\" (known: %3)").arg(where, name, KnownModes()).toStdString());
}

QByteArray GateMessageFrame(const TMessageCoder &coder, const TDefaultMessage &msg, QByteArrayView body)
{
    return kFrameStart + coder.EncodeMessage(msg) + body.toByteArray() + kFrameEnd;
}

QList<TGateAction> TGateAction::FromJson(const QJsonValue &value, const TMessageCoder &coder, const QString &where)
{
    const TSectionReader reader(value.toObject(), where);
    if (!value.isObject())
        reader.Fail(QStringLiteral("an action is an object"));
    const QStringList kinds{"message", "raw", "garbage", "split", "pause", "close", "reset"};
    QString kind;
    for (const QString &key : value.toObject().keys()) {
        if (!kinds.contains(key))
            continue;
        if (!kind.isEmpty())
            reader.Fail(QStringLiteral("an action does one thing: \"%1\" or \"%2\"").arg(kind, key));
        kind = key;
    }
    if (kind.isEmpty())
        reader.Fail(QStringLiteral("an action is one of: %1").arg(kinds.join(QStringLiteral(", "))));
    reader.AllowOnly(kind == QLatin1String("split") ? QStringList{kind, QStringLiteral("pauseMs")} : QStringList{kind});
    if (kind == QLatin1String("message")) {
        const TSectionReader message(value[kind].toObject(), where + QStringLiteral(".message"));
        const QString body = message.Text(QStringLiteral("body"), QString());
        return {Send(GateMessageFrame(coder, MessageFromJson(message), os::ToAnsi(body)))};
    }
    if (kind == QLatin1String("raw"))
        return {Send(os::ToAnsi(reader.Text(kind, QString())))};
    if (kind == QLatin1String("garbage"))
        return {Send(Garbage(reader.Integer(kind, 0, 1)))};
    if (kind == QLatin1String("split"))
        return SplitActions(reader);
    if (kind == QLatin1String("pause"))
        return {Pause(reader.Integer(kind, 0, 0))};
    if (!reader.Flag(kind))
        reader.Fail(QStringLiteral("\"%1\" takes true").arg(kind));
    return {kind == QLatin1String("close") ? Close() : Reset()};
}

// One accepted connection: the challenge, the answer check, then the queued actions one
// after another (a pause holds the rest back without holding the thread).
class TGateConnection final : public QObject {
public:
    TGateConnection(QTcpSocket *socket, const TGateEntry &entry, TGateMode mode, int number, TServiceContext &context,
        QObject *parent)
        : QObject(parent)
        , FSocket(socket)
        , FEntry(entry)
        , FNumber(number)
        , FContext(context)
    {
        FSocket->setParent(this);
        FSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(FSocket, &QTcpSocket::readyRead, this, &TGateConnection::Read);
        connect(FSocket, &QTcpSocket::disconnected, this, &TGateConnection::Ended);
        Log(QStringLiteral("/connect"), {}, QStringLiteral("mode %1").arg(QLatin1String(NameOf(mode))));
        if (mode == TGateMode::Serve)
            SendChallenge();
    }

    void Perform(const QList<TGateAction> &actions)
    {
        FQueue.insert(FQueue.end(), actions.begin(), actions.end());
        if (!FPausing)
            RunQueue();
    }

    bool Open() const { return FSocket->state() == QAbstractSocket::ConnectedState; }

private:
    void SendChallenge()
    {
        FToken = NewGuidHex();
        const QByteArray challenge = kFrameStart + TokenChallengePayload(FToken) + kFrameEnd;
        switch (FEntry.Challenge) {
        case TChallenge::Token: Perform({TGateAction::Send(challenge)}); break;
        case TChallenge::Split: {
            const qsizetype half = challenge.size() / 2;
            Perform({TGateAction::Send(challenge.first(half)), TGateAction::Pause(kSplitChallengePauseMs),
                TGateAction::Send(challenge.sliced(half))});
            break;
        }
        case TChallenge::Garbage:
            Perform({TGateAction::Send(kFrameStart + BytesToWireText("no token here") + kFrameEnd)});
            break;
        }
        FAwaitingAnswer = true;
    }

    void Read()
    {
        FReceived.Append(FSocket->readAll());
        while (const std::optional<QByteArray> frame = FReceived.TakeFrame()) {
            const QString digit = QString::fromLatin1(frame->first(1));
            const QByteArray payload = frame->sliced(1);
            if (!FAwaitingAnswer) {
                Log(QStringLiteral("/frame"), {{QStringLiteral("digit"), digit}}, QString(), payload);
                continue;
            }
            FAwaitingAnswer = false;
            const bool right = IsTokenAnswer(payload, FToken);
            Log(QStringLiteral("/answer"), {{QStringLiteral("digit"), digit}},
                right ? QStringLiteral("token answer right") : QStringLiteral("token answer wrong"), payload,
                right ? 200 : 403);
            Perform(FEntry.AfterAnswer);
        }
    }

    void RunQueue()
    {
        while (!FQueue.empty()) {
            const TGateAction action = FQueue.front();
            FQueue.pop_front();
            switch (action.Kind) {
            case TGateAction::TKind::Send:
                FSocket->write(action.Text);
                FSocket->flush();
                break;
            case TGateAction::TKind::Pause:
                FPausing = true;
                QTimer::singleShot(action.Ms, this, [this] {
                    FPausing = false;
                    RunQueue();
                });
                return;
            case TGateAction::TKind::Close:
                FQueue.clear();
                FSocket->disconnectFromHost();
                return;
            case TGateAction::TKind::Reset: {
                FQueue.clear();
                const linger abortive{1, 0}; // closing now sends a reset instead of an orderly end
                ::setsockopt(int(FSocket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
                FSocket->disconnect(this);
                FSocket->abort();
                Log(QStringLiteral("/closed"), {}, QStringLiteral("reset by the gate"));
                deleteLater();
                return;
            }
            }
        }
    }

    void Ended()
    {
        Log(QStringLiteral("/closed"), {}, QString());
        FQueue.clear();
        deleteLater();
    }

    void Log(const QString &event, QList<QPair<QString, QString>> params, const QString &note,
        const QByteArray &body = {}, int status = 0)
    {
        TRecordedRequest record;
        record.Endpoint = QStringLiteral("gate:") + FEntry.Name;
        record.Method = "GATE";
        record.Path = event;
        params.prepend({QStringLiteral("connection"), QString::number(FNumber)});
        record.Params = std::move(params);
        record.Body = body;
        record.Status = status;
        record.Note = note;
        FContext.RecordEvent(std::move(record));
    }

    QTcpSocket *FSocket;
    const TGateEntry &FEntry;
    int FNumber;
    TServiceContext &FContext;
    QString FToken;
    bool FAwaitingAnswer = false;
    bool FPausing = false;
    std::deque<TGateAction> FQueue;
    TGateReceiveBuffer FReceived;
};

// One gate: its port, whatever holds the port while the gate does not serve on it, and the
// open connections.
class TGateServer final : public QObject {
public:
    TGateServer(TGateEntry entry, TServiceContext &context, QObject *parent)
        : QObject(parent)
        , FEntry(std::move(entry))
        , FContext(context)
    {
        connect(&FServer, &QTcpServer::newConnection, this, &TGateServer::Accept);
        if (!FServer.listen(QHostAddress::LocalHost, 0))
            throw TScenarioError(QStringLiteral("gate \"%1\": cannot listen on 127.0.0.1: %2")
                                     .arg(FEntry.Name, FServer.errorString()).toStdString());
        FPort = FServer.serverPort();
        const TGateMode initial = FEntry.Mode;
        FEntry.Mode = TGateMode::Serve;
        SetMode(initial);
    }

    quint16 Port() const { return FPort; }
    TGateMode Mode() const { return FEntry.Mode; }
    const TMessageCoder &Coder() const { return FEntry.Coder; }

    void SetMode(TGateMode mode)
    {
        if (mode == FEntry.Mode)
            return;
        const bool listening = mode == TGateMode::Serve || mode == TGateMode::Stall;
        if (listening != FServer.isListening()) {
            FHolder.reset();
            FServer.close();
            if (listening)
                FServer.listen(QHostAddress::LocalHost, FPort);
        }
        if (!listening)
            FHolder = std::make_unique<TPortHolder>(FPort, mode == TGateMode::Unanswered);
        FEntry.Mode = mode;
    }

    int Perform(const QList<TGateAction> &actions)
    {
        const QList<TGateConnection *> open = OpenConnections();
        for (TGateConnection *connection : open)
            connection->Perform(actions);
        return int(open.size());
    }

    QList<TGateConnection *> OpenConnections() const
    {
        QList<TGateConnection *> open;
        for (TGateConnection *connection : findChildren<TGateConnection *>(Qt::FindDirectChildrenOnly))
            if (connection->Open())
                open << connection;
        return open;
    }

private:
    void Accept()
    {
        // The connections are children of this server: they go with it.
        while (QTcpSocket *socket = FServer.nextPendingConnection())
            new TGateConnection(socket, FEntry, FEntry.Mode, ++FConnections, FContext, this);
    }

    TGateEntry FEntry;
    TServiceContext &FContext;
    QTcpServer FServer;
    std::unique_ptr<TPortHolder> FHolder;
    quint16 FPort = 0;
    int FConnections = 0;
};

template <typename Work>
auto TGateService::OnGateThread(Work work) const
{
    using TResult = decltype(work());
    if constexpr (std::is_void_v<TResult>) {
        QMetaObject::invokeMethod(FContextObject.get(), work, Qt::BlockingQueuedConnection);
    } else {
        TResult result {};
        QMetaObject::invokeMethod(FContextObject.get(), [&] { result = work(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

TGateService::TGateService(const QJsonObject &section, TServiceContext &context)
{
    const TSectionReader reader(section, QStringLiteral("gate"));
    reader.AllowOnly({"servers"});
    std::vector<TGateEntry> entries;
    const QJsonArray servers = reader.Array(QStringLiteral("servers"));
    for (qsizetype i = 0; i < servers.size(); ++i) {
        const QString where = QStringLiteral("gate.servers[%1]").arg(i);
        const TSectionReader server(servers[i].toObject(), where);
        if (!servers[i].isObject())
            server.Fail(QStringLiteral("each entry is an object"));
        server.AllowOnly({"name", "mode", "password", "challenge", "afterAnswer"});
        TGateEntry entry;
        entry.Name = server.Text(QStringLiteral("name"), QString());
        if (entry.Name.isEmpty())
            server.Fail(QStringLiteral("\"name\" must be given"));
        for (const TGateEntry &earlier : entries)
            if (earlier.Name == entry.Name)
                server.Fail(QStringLiteral("two gates are named \"%1\"").arg(entry.Name));
        entry.Mode = GateModeFromName(server.Text(QStringLiteral("mode"), QStringLiteral("serve")), where);
        const QString challenge = server.Text(QStringLiteral("challenge"), QStringLiteral("token"));
        const QStringList challenges{"token", "split", "garbage"};
        if (!challenges.contains(challenge))
            server.Fail(QStringLiteral("\"challenge\" is one of: token, split, garbage"));
        entry.Challenge = TChallenge(challenges.indexOf(challenge));
        entry.Coder.SetPassWord(os::ToAnsi(server.Text(QStringLiteral("password"), deploy::MessageCoderPassword())));
        const QJsonArray actions = server.Array(QStringLiteral("afterAnswer"));
        for (qsizetype a = 0; a < actions.size(); ++a)
            entry.AfterAnswer << TGateAction::FromJson(actions[a], entry.Coder, where + QStringLiteral(".afterAnswer[%1]").arg(a));
        entries.push_back(std::move(entry));
    }

    FThread.setObjectName(QStringLiteral("opsim-gates"));
    FContextObject = std::make_unique<QObject>();
    FContextObject->moveToThread(&FThread);
    FThread.start();
    QString failure;
    OnGateThread([&] {
        try {
            for (TGateEntry &entry : entries) {
                const QString name = entry.Name;
                FServers[name] = new TGateServer(std::move(entry), context, FContextObject.get());
            }
        } catch (const TScenarioError &error) {
            failure = QString::fromUtf8(error.what());
        }
    });
    if (!failure.isEmpty()) {
        StopThread();
        throw TScenarioError(failure.toStdString());
    }
    for (const auto &[name, server] : FServers)
        context.AddPlaceholder(QStringLiteral("gate:") + name, QString::number(server->Port()));
}

TGateService::~TGateService() { StopThread(); }

void TGateService::StopThread()
{
    if (!FThread.isRunning())
        return;
    OnGateThread([this] {
        qDeleteAll(FContextObject->children());
        FServers.clear();
    });
    FThread.quit();
    FThread.wait();
}

TGateServer &TGateService::Server(const QString &name) const
{
    const auto found = FServers.find(name);
    if (found == FServers.end())
        throw TScenarioError(QStringLiteral("no gate is named \"%1\"").arg(name).toStdString());
    return *found->second;
}

QStringList TGateService::Names() const
{
    QStringList names;
    for (const auto &[name, server] : FServers)
        names << name;
    return names;
}

quint16 TGateService::Port(const QString &name) const { return Server(name).Port(); }

TGateMode TGateService::Mode(const QString &name) const
{
    TGateServer &server = Server(name);
    return OnGateThread([&] { return server.Mode(); });
}

void TGateService::SetMode(const QString &name, TGateMode mode)
{
    TGateServer &server = Server(name);
    OnGateThread([&] { server.SetMode(mode); });
}

int TGateService::Perform(const QString &name, const QList<TGateAction> &actions)
{
    TGateServer &server = Server(name);
    return OnGateThread([&] { return server.Perform(actions); });
}

int TGateService::OpenConnections(const QString &name) const
{
    TGateServer &server = Server(name);
    return OnGateThread([&] { return int(server.OpenConnections().size()); });
}

const TMessageCoder &TGateService::Coder(const QString &name) const { return Server(name).Coder(); }

QJsonObject TGateService::Administer(const QJsonObject &request)
{
    const TSectionReader reader(request, QStringLiteral("gate request"));
    reader.AllowOnly({"gate", "mode", "do"});
    const QString name = reader.Text(QStringLiteral("gate"), QString());
    Server(name);
    QJsonObject answer{{QStringLiteral("gate"), name}};
    if (request.contains(QStringLiteral("mode"))) {
        SetMode(name, GateModeFromName(reader.Text(QStringLiteral("mode"), QString()), QStringLiteral("gate request")));
        answer.insert(QStringLiteral("mode"), QLatin1String(NameOf(Mode(name))));
    }
    QList<TGateAction> actions;
    const QJsonArray list = reader.Array(QStringLiteral("do"));
    for (qsizetype i = 0; i < list.size(); ++i)
        actions << TGateAction::FromJson(list[i], Coder(name), QStringLiteral("gate request.do[%1]").arg(i));
    if (!actions.isEmpty())
        answer.insert(QStringLiteral("connections"), Perform(name, actions));
    return answer;
}

std::unique_ptr<IService> CreateGateService(const QJsonObject &section, TServiceContext &context)
{
    return std::make_unique<TGateService>(section, context);
}

} // namespace zelto::opsim
