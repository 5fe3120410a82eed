#pragma once

#include "Service.h"
#include "protocol/EDcode.h"

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>

#include <map>
#include <memory>

// The login gates: one loopback port per server entry of the scenario section "gate". After
// each connect a serving gate sends a token challenge, checks the launcher's answer and then
// does what its entry (or a test) says: send gate messages, raw text, garbage, pause, close or
// reset the connection. A gate can also stall, refuse connections, or leave connects
// unanswered. Every connect, answer, launcher frame and close goes to the request log, under
// the endpoint "gate:<name>". The catalogue's documents name a gate's port as "{gate:<name>}".
namespace zelto::opsim {

enum class TGateMode {
    Serve,      // challenge, check the answer, then the entry's actions
    Stall,      // accept and stay silent
    Refuse,     // nothing listens: a connect is refused
    Unanswered, // a connect is never answered: the launcher's deadline runs out
};

struct TGateAction {
    enum class TKind { Send, Pause, Close, Reset };
    TKind Kind = TKind::Send;
    QByteArray Text; // Send: written as it stands, in one write
    int Ms = 0;      // Pause

    static TGateAction Send(QByteArray text) { return {TKind::Send, std::move(text), 0}; }
    static TGateAction Pause(int ms) { return {TKind::Pause, {}, ms}; }
    static TGateAction Close() { return {TKind::Close, {}, 0}; }
    static TGateAction Reset() { return {TKind::Reset, {}, 0}; }

    // Actions from their scenario form (one JSON action can stand for several):
    // {"message": {"ident": 504, "recog": 0, "param": 0, "tag": 0, "series": 0, "body": ""}},
    // {"raw": "text"}, {"garbage": bytes}, {"split": ["#abc!#de", "f!"], "pauseMs": 100},
    // {"pause": ms}, {"close": true}, {"reset": true}.
    // `coder` encodes the messages. Throws TScenarioError, naming `where`.
    static QList<TGateAction> FromJson(const QJsonValue &value, const TMessageCoder &coder, const QString &where);
};

// "#", the encoded header, the body, "!": one gate frame.
QByteArray GateMessageFrame(const TMessageCoder &coder, const TDefaultMessage &msg, QByteArrayView body = {});

class TGateServer;

class TGateService final : public IService {
public:
    // Listens at once, each gate on a free port of 127.0.0.1, so that the ports are known
    // before the catalogue answers. Throws TScenarioError on a mistake in the section.
    TGateService(const QJsonObject &section, TServiceContext &context);
    ~TGateService() override;

    QStringList Names() const;
    // Each throws TScenarioError for a gate the scenario does not name.
    quint16 Port(const QString &name) const;
    TGateMode Mode(const QString &name) const;
    // Applies to connects from now on; open connections stay.
    void SetMode(const QString &name, TGateMode mode);
    // Queues the actions on every open connection of the gate, after what it still has to do;
    // the number of connections.
    int Perform(const QString &name, const QList<TGateAction> &actions);
    int OpenConnections(const QString &name) const;
    // The coder a gate encodes its messages with.
    const TMessageCoder &Coder(const QString &name) const;

    // The administration request {"gate": name, "mode": "...", "do": [actions]}.
    QJsonObject Administer(const QJsonObject &request);

private:
    TGateServer &Server(const QString &name) const;
    // Closes every gate and ends their thread.
    void StopThread();
    // Runs work on the gates' thread and waits for it.
    template <typename Work>
    auto OnGateThread(Work work) const;

    QThread FThread;
    std::unique_ptr<QObject> FContextObject; // lives on FThread
    std::map<QString, TGateServer *> FServers; // owned by FContextObject
};

TGateMode GateModeFromName(const QString &name, const QString &where);

std::unique_ptr<IService> CreateGateService(const QJsonObject &section, TServiceContext &context);

} // namespace zelto::opsim
