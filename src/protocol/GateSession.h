#pragma once

#include "app/StatusLine.h"
#include "app/Subsystems.h"
#include "protocol/GateAddress.h"
#include "protocol/GateFrames.h"
#include "protocol/uSocket.h"

#include <QObject>

// The login-gate session: one connection to the chosen server's gate, kept while the launcher
// runs. It tells the player whether the server is reachable, keeps the buttons that need a
// live server in step with the connection, answers the gate's token challenge and shows the
// gate's answers to the classic account requests.
namespace zelto {

class TServerInfo;
class TServerItem;
class TuTreeView;

// What the session needs of the application controller.
class IGateHost {
public:
    virtual ~IGateHost() = default;
    // The start, register, change-password and recovery buttons.
    virtual void SetButtonsEnabled(bool enabled) = 0;
    virtual TuTreeView *ServerTree() const = 0;
    // The start-up pass is running; the choice box may not switch servers meanwhile.
    virtual bool AtCheckVer() const = 0;
    virtual IClassicAccountDialogs *AccountDialogs() const = 0;
    // The catalogue the tree's nodes and the choice box's items stand for.
    virtual TServerInfo &ServerInfo() = 0;
};

class TGateSession final : public QObject, public IGateSession {
    Q_OBJECT
public:
    // The connect deadline also bounds the resolution of a host name.
    TGateSession(IStatusLine &statusLine, IGateHost &host, int connectDeadlineMs);

    // IGateSession
    void ConnectServer(QTreeWidgetItem *node) override;
    void TreeMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position) override;
    void TreeChangeNode(QTreeWidgetItem *node) override;
    void ServerComboboxChange(QComboBox *sender) override;
    bool Connected() const override { return FConnected; }
    void CloseSocket() override { FClientSocket.Close(); }

    // Sends one launcher frame while the socket is open.
    void SendFrame(QByteArrayView payload);

    bool TryConnecting() const { return FTryConnecting; }
    bool NeedTokenID() const { return FNeedTokenID; }
    const QByteArray &BufferStr() const { return FBufferStr.Text(); }
    const TuClientSocket &Socket() const { return FClientSocket; }
    TServerConnectList &ConnectList() { return FConnectList; }

private:
    void SocketConnect();
    void SocketDisconnect();
    void SocketError(int errorCode);
    void SocketRead();
    // Answers a complete challenge; false when it could not be opened.
    bool AnswerTokenChallenge(QByteArrayView challenge);
    void HandleGateMessage(QByteArrayView frame);

    // An entry without host or port is no server to connect to.
    bool RefuseIncompleteServer(const TServerItem *server);
    // The selected-server values and the message coder's key for a chosen server.
    void SelectServer(TServerItem &server, const QString &address);
    // Closes any connection and opens one to address and port.
    void OpenConnection(const QString &address, int port);

    IStatusLine &m_statusLine;
    IGateHost &m_host;
    int m_connectDeadlineMs;
    TuClientSocket FClientSocket;
    TServerConnectList FConnectList;
    bool FConnected = false;
    bool FTryConnecting = false;
    bool FNeedTokenID = true;
    TFrameCounter FCode;
    QByteArray FChallengeText; // the challenge read so far
    TGateReceiveBuffer FBufferStr;
    QString FNewAccount; // the account the "already taken" answer names; nothing sets it
};

} // namespace zelto
