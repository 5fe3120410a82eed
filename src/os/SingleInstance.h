#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

// One launcher per title: a lock file plus a local server, both named after the instance
// name, in the temporary folder. The first instance holds the lock and listens; a later one
// finds the lock held (or the server answering), asks the first to come to the front and
// ends. A lock left by a crashed process is taken over, and its stale socket removed.
namespace zelto::os {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &instanceName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another live process holds the name; it has then been asked to raise its
    // window (best effort: it may still be starting up and not listening yet).
    bool AskRunningInstanceToRaise();
    // Takes the name for this process. False when another process took it meanwhile.
    bool Claim();

    // The local server name used for an instance name: the name itself where the system
    // can hold it, otherwise a digest of it.
    static QString ServerNameFor(const QString &instanceName);

signals:
    void RaiseRequested();

private:
    void OnNewConnection();

    QString m_serverName;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace zelto::os
