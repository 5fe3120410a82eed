#include "protocol/uSocket.h"

#include <QSignalBlocker>

#include <limits>

namespace zelto {

int winsock::CodeOf(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return kConnectionRefused;
    case QAbstractSocket::HostNotFoundError: return kHostNotFound;
    case QAbstractSocket::SocketTimeoutError: return kTimedOut;
    case QAbstractSocket::SocketAccessError: return kAccessDenied;
    case QAbstractSocket::SocketResourceError: return kNoBufferSpace;
    case QAbstractSocket::DatagramTooLargeError: return kMessageTooLong;
    case QAbstractSocket::NetworkError: return kNetworkUnreachable;
    case QAbstractSocket::AddressInUseError: return kAddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError: return kAddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError: return kNotSupported;
    default: return kConnectionAborted;
    }
}

TuClientSocket::TuClientSocket(int connectDeadlineMs)
{
    m_socket.setReadBufferSize(kReadBufferBytes);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(connectDeadlineMs);
    connect(&m_deadline, &QTimer::timeout, this, &TuClientSocket::HandleDeadline);
    connect(&m_socket, &QTcpSocket::connected, this, &TuClientSocket::HandleConnected);
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] {
        if (m_open && OnRead)
            OnRead();
    });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TuClientSocket::HandleError);
    connect(&m_socket, &QTcpSocket::disconnected, this, &TuClientSocket::HandleDisconnected);
}

void TuClientSocket::Open()
{
    if (m_open)
        return;
    if (Address.isEmpty()) {
        RaiseError(winsock::kNoAddress);
        RaiseDisconnect();
        return;
    }
    if (Port <= 0 || Port > std::numeric_limits<quint16>::max()) {
        RaiseError(winsock::kAddressNotAvailable);
        return;
    }
    EndConnection(); // whatever Qt still holds of an earlier connection
    m_open = true;
    m_deadline.start();
    m_socket.connectToHost(Address, quint16(Port));
}

void TuClientSocket::Close()
{
    const bool wasOpen = m_open;
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.flush(); // what was sent reaches the gate, as with a plain close
    EndConnection();
    if (wasOpen)
        RaiseDisconnect();
}

bool TuClientSocket::Connected() const
{
    return m_open && m_socket.state() == QAbstractSocket::ConnectedState;
}

void TuClientSocket::SendText(const QByteArray &text)
{
    if (Connected())
        m_socket.write(text);
}

QByteArray TuClientSocket::ReceiveText() { return m_open ? m_socket.readAll() : QByteArray(); }

void TuClientSocket::HandleConnected()
{
    if (!m_open)
        return;
    m_deadline.stop();
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_probe.Watch(m_socket.socketDescriptor());
    if (OnConnect)
        OnConnect();
}

void TuClientSocket::HandleError(QAbstractSocket::SocketError error)
{
    if (!m_open)
        return;
    if (error == QAbstractSocket::RemoteHostClosedError && !m_probe.ResetByPeer()) {
        EndConnection();
        RaiseDisconnect();
        return;
    }
    EndConnection();
    RaiseError(winsock::CodeOf(error));
}

void TuClientSocket::HandleDisconnected()
{
    if (!m_open)
        return;
    EndConnection();
    RaiseDisconnect();
}

void TuClientSocket::HandleDeadline()
{
    if (!m_open || Connected())
        return;
    EndConnection();
    RaiseError(winsock::kTimedOut);
}

void TuClientSocket::EndConnection()
{
    m_open = false;
    m_deadline.stop();
    m_probe.Release();
    const QSignalBlocker quiet(m_socket);
    m_socket.abort();
}

void TuClientSocket::RaiseError(int code)
{
    if (OnError)
        OnError(code);
}

void TuClientSocket::RaiseDisconnect()
{
    if (OnDisconnect)
        OnDisconnect();
}

} // namespace zelto
