#include "protocol/GateSession.h"

#include "app/LocalSettings.h"
#include "app/Notifier.h"
#include "app/Trace.h"
#include "catalog/uServerList.h"
#include "os/TickCount.h"
#include "protocol/EDcode.h"
#include "protocol/GateReplies.h"
#include "protocol/GateToken.h"
#include "protocol/SelectedServer.h"
#include "ui/ServerItemData.h"
#include "ui/ServerTree.h"

#include <QComboBox>

namespace zelto {
namespace {

const QString kChooseServer = QStringLiteral(u"请选择服务器...");
const QString kConnecting = QStringLiteral(u"正在连接服务器");
const QString kServerGood = QStringLiteral(u"服务器状态良好");
const QString kConnectionLost = QStringLiteral(u"服务器连接断开");
const QString kServerClosed = QStringLiteral(u"服务器已关闭");
const QString kCannotConnect = QStringLiteral(u"无法连接服务器");
const QString kConnectionFault = QStringLiteral(u"服务器连接异常");

} // namespace

TGateSession::TGateSession(IStatusLine &statusLine, IGateHost &host, int connectDeadlineMs)
    : m_statusLine(statusLine)
    , m_host(host)
    , m_connectDeadlineMs(connectDeadlineMs)
    , FClientSocket(connectDeadlineMs)
{
    FClientSocket.OnConnect = [this] { SocketConnect(); };
    FClientSocket.OnDisconnect = [this] { SocketDisconnect(); };
    FClientSocket.OnError = [this](int errorCode) { SocketError(errorCode); };
    FClientSocket.OnRead = [this] { SocketRead(); };
}

void TGateSession::ConnectServer(QTreeWidgetItem *node)
{
    Trace(QStringLiteral("TreeMouseDown 2 "));
    Trace(QStringLiteral("TreeMouseDown 3 "));
    Trace(QStringLiteral("TreeMouseDown 4 "));
    m_host.SetButtonsEnabled(false);
    TServerItem *server = node ? ServerItemOf(m_host.ServerInfo().ServerList, node->data(0, kServerRole)) : nullptr;
    if (RefuseIncompleteServer(server))
        return;
    if (FTryConnecting)
        FClientSocket.Close();

    TServerConnectInfo *entry = FConnectList.GetServer(server->Host);
    if (!entry) {
        entry = &FConnectList.AddDomain(server->Host);
        entry->FPort = server->Port;
    }
    if (entry->FIP.isEmpty()) {
        Trace(QStringLiteral(u"开始解析服务器IP %1").arg(server->Host));
        entry->FIP = ResolveHostAddress(server->Host, m_connectDeadlineMs);
        entry->FConnect = true;
        entry->FLastConnect = os::TickCount();
        server->IP = server->Host;
        Trace(QStringLiteral(u"成功解析服务器IP %1").arg(entry->FIP));
    }
    if (FConnected && !FClientSocket.Address.isEmpty() && FClientSocket.Address == entry->FIP
        && FClientSocket.Port == server->Port) {
        Trace(QStringLiteral(u"无需重复连接服务器 %1:%2").arg(entry->FIP).arg(server->Port));
        m_host.SetButtonsEnabled(true);
        return;
    }
    Trace(QStringLiteral("TreeMouseDown 9 %1").arg(server->Host));
    SelectServer(*server, entry->FIP);
    OpenConnection(entry->FIP, server->Port);
    Trace(QStringLiteral("TreeMouseDown SrvID=%1").arg(g_nServerID));
}

void TGateSession::TreeMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPoint position)
{
    Trace(QStringLiteral("TreeMouseDown 1 "));
    TuTreeView *tree = m_host.ServerTree();
    if (!tree) {
        Trace(QStringLiteral("TreeMouseDown TreeView = nil"));
        return;
    }
    if (QTreeWidgetItem *node = tree->itemAt(position))
        ConnectServer(node);
}

void TGateSession::TreeChangeNode(QTreeWidgetItem *) {}

void TGateSession::ServerComboboxChange(QComboBox *sender)
{
    if (m_host.AtCheckVer())
        return;
    m_host.SetButtonsEnabled(false);
    TServerItem *server = sender ? ServerItemOf(m_host.ServerInfo().ServerList, sender->currentData(kServerRole)) : nullptr;
    if (RefuseIncompleteServer(server))
        return;
    if (FTryConnecting)
        FClientSocket.Close();
    const QString address = IsIPv4Address(server->Host) ? server->Host
                                                         : ResolveHostAddress(server->Host, m_connectDeadlineMs);
    SelectServer(*server, address);
    OpenConnection(address, server->Port);
    Trace(QStringLiteral("ServerComboboxChange %1").arg(g_nServerID));
}

bool TGateSession::RefuseIncompleteServer(const TServerItem *server)
{
    if (server && !server->Host.isEmpty() && server->Port > 0)
        return false;
    m_statusLine.Print(TMessageType::mtWaringin, kChooseServer);
    return true;
}

void TGateSession::SelectServer(TServerItem &server, const QString &address)
{
    server.Active = true;
    g_sServerName = server.DisplayName;
    g_sServerKey = server.Key;
    try {
        ApplyServerKey(QString::fromLatin1(server.Key));
    } catch (const std::exception &error) {
        // A key that cannot be deciphered leaves the coder's password as it was.
        Trace(QStringLiteral(u"服务器密钥无法解开 %1").arg(QString::fromLocal8Bit(error.what())));
    }
    g_sServerAddr = address;
    g_nServerPort = server.Port;
    Trace(QStringLiteral("TreeMouseDown 12 "));
    g_nServerID = server.Srvid.toInt();
    g_nSID = g_nServerID;
}

void TGateSession::OpenConnection(const QString &address, int port)
{
    Trace(QStringLiteral(u"开始连接服务器 %1:%2").arg(address).arg(port));
    FConnected = false;
    FClientSocket.Close(); // reports the switch: the old connection ends as "closed"
    FTryConnecting = true;
    FClientSocket.Address = address;
    FClientSocket.Port = port;
    FNeedTokenID = true;
    FChallengeText.clear();
    FBufferStr.Clear();
    Trace(QStringLiteral("TreeMouseDown 13 "));
    m_statusLine.Print(TMessageType::mtWaringin, kConnecting);
    Trace(QStringLiteral(u"正在连接服务器 %1:%2").arg(address).arg(port));
    Trace(QStringLiteral("TreeMouseDown 14 "));
    FClientSocket.Open();
    Trace(QStringLiteral("TreeMouseDown 15 "));
}

void TGateSession::SocketConnect()
{
    if (!FClientSocket.Connected())
        return;
    FConnected = true;
    FTryConnecting = false;
    m_statusLine.Print(TMessageType::mtNormal, kServerGood);
    m_host.SetButtonsEnabled(true);
}

void TGateSession::SocketDisconnect()
{
    m_statusLine.Print(TMessageType::mtError, FConnected ? kConnectionLost : kServerClosed);
    FConnected = false;
    FTryConnecting = false;
    FNeedTokenID = true;
    FChallengeText.clear();
    FBufferStr.Clear();
    m_host.SetButtonsEnabled(false);
}

void TGateSession::SocketError(int errorCode)
{
    // The connection is gone as well: nothing may count it as connected any more.
    FConnected = false;
    FTryConnecting = false;
    FNeedTokenID = true;
    if (errorCode != winsock::kNotSocket) {
        const bool unreachable = errorCode == winsock::kTimedOut || errorCode == winsock::kConnectionRefused;
        m_statusLine.Print(TMessageType::mtError, unreachable ? kCannotConnect : kConnectionFault);
    }
    m_host.SetButtonsEnabled(false);
}

void TGateSession::SocketRead()
{
    QByteArray text = FClientSocket.ReceiveText();
    if (FNeedTokenID) {
        // The challenge is the first frame; it may come in pieces, and frames may follow it.
        FChallengeText.append(text);
        const qsizetype end = FChallengeText.indexOf(kFrameEnd);
        if (end < 0) {
            if (FChallengeText.size() > TGateReceiveBuffer::kMaxBufferedBytes)
                FChallengeText.clear();
            return;
        }
        const QByteArray challenge = FChallengeText.first(end + 1);
        text = FChallengeText.sliced(end + 1);
        FChallengeText.clear();
        if (!AnswerTokenChallenge(challenge))
            return;
    }
    FBufferStr.Append(text);
    while (const std::optional<QByteArray> frame = FBufferStr.TakeFrame())
        HandleGateMessage(*frame);
}

bool TGateSession::AnswerTokenChallenge(QByteArrayView challenge)
{
    try {
        // One leading and one trailing character enclose the payload.
        const QByteArrayView payload = challenge.size() >= 2 ? challenge.sliced(1, challenge.size() - 2) : QByteArrayView();
        const QString token = OpenTokenChallenge(payload);
        SendFrame(BuildTokenAnswer(token));
        FNeedTokenID = false;
        return true;
    } catch (const std::exception &error) {
        // The next read is taken as the challenge again.
        Trace(QStringLiteral(u"令牌无法解开 %1").arg(QString::fromLocal8Bit(error.what())));
        return false;
    }
}

void TGateSession::HandleGateMessage(QByteArrayView frame)
{
    if (frame.startsWith('+') || frame.size() < kEncodedMessageLength)
        return;
    const std::optional<TGateReply> reply = GateReplyFor(DecodeMessage(frame.first(kEncodedMessageLength)), FNewAccount);
    if (!reply)
        return;
    IClassicAccountDialogs *dialogs = m_host.AccountDialogs();
    const auto changeDialog = [&] {
        if (!dialogs)
            return;
        if (reply->Effect == TDialogEffect::Close)
            dialogs->CloseDialog(reply->Dialog);
        else
            dialogs->EnableConfirm(reply->Dialog);
    };
    if (reply->EffectFirst)
        changeDialog();
    Notifier().ShowMessage(reply->Text, kGateReplyCaption, reply->Icon);
    if (!reply->EffectFirst)
        changeDialog();
}

void TGateSession::SendFrame(QByteArrayView payload)
{
    if (!FClientSocket.Active())
        return;
    FClientSocket.SendText(LauncherFrame(FCode.Digit(), payload));
    FCode.Advance();
}

} // namespace zelto
