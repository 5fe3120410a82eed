#pragma once

#include "os/TcpConnectionProbe.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

// The login-gate socket: a non-blocking client connection whose events reach the session as
// four handlers, with the Winsock error codes the session tells apart. A connect has a
// deadline of its own. Every handler runs on the thread's event loop, never in the middle of
// another one, except the disconnect that Close raises for an open or opening connection.
namespace zelto {

namespace winsock {
inline constexpr int kNoAddress = 1110;           // opened without an address
inline constexpr int kNotSocket = 10038;          // WSAENOTSOCK
inline constexpr int kAccessDenied = 10013;       // WSAEACCES
inline constexpr int kMessageTooLong = 10040;     // WSAEMSGSIZE
inline constexpr int kNotSupported = 10045;       // WSAEOPNOTSUPP
inline constexpr int kAddressInUse = 10048;       // WSAEADDRINUSE
inline constexpr int kAddressNotAvailable = 10049; // WSAEADDRNOTAVAIL
inline constexpr int kNetworkUnreachable = 10051; // WSAENETUNREACH
inline constexpr int kConnectionAborted = 10053;  // WSAECONNABORTED: reset or aborted
inline constexpr int kNoBufferSpace = 10055;      // WSAENOBUFS
inline constexpr int kTimedOut = 10060;           // WSAETIMEDOUT
inline constexpr int kConnectionRefused = 10061;  // WSAECONNREFUSED
inline constexpr int kHostNotFound = 11001;       // WSAHOST_NOT_FOUND

// The Winsock code of a Qt socket error; a remote close counts as a reset here.
int CodeOf(QAbstractSocket::SocketError error);
} // namespace winsock

class TuClientSocket final : public QObject {
    Q_OBJECT
public:
    // Most bytes held between two reads; the gate's frames are a few hundred bytes.
    static constexpr qint64 kReadBufferBytes = 64 * 1024;

    explicit TuClientSocket(int connectDeadlineMs);
    // Ends an open connection without raising anything: the handlers' owner is going away.
    ~TuClientSocket() override { EndConnection(); }

    QString Address; // dotted IPv4 text (a host name is resolved by the connect itself)
    int Port = 0;

    // Starts connecting; does nothing while a connection is open or opening. Without an
    // address the error 1110 and a disconnect are raised at once.
    void Open();
    // Ends the connection; for an open or opening one the disconnect handler runs inside.
    void Close();
    // A connection is open or opening.
    bool Active() const { return m_open; }
    // The connection is established.
    bool Connected() const;

    void SendText(const QByteArray &text);
    // All bytes received and not read yet.
    QByteArray ReceiveText();

    std::function<void()> OnConnect;
    std::function<void()> OnDisconnect;
    std::function<void()> OnRead;
    std::function<void(int errorCode)> OnError;

private:
    void HandleConnected();
    void HandleError(QAbstractSocket::SocketError error);
    void HandleDisconnected();
    void HandleDeadline();
    // Forgets the connection without raising anything.
    void EndConnection();
    void RaiseError(int code);
    void RaiseDisconnect();

    QTcpSocket m_socket;
    QTimer m_deadline;
    os::TTcpConnectionProbe m_probe;
    bool m_open = false;
};

} // namespace zelto
