#pragma once

#include "GateService.h"
#include "OpSim.h"
#include "catalog/uServerList.h"
#include "deploy/Deployment.h"
#include "os/AnsiCodePage.h"
#include "protocol/GateReplies.h"
#include "protocol/GateSession.h"
#include "support/EventWait.h"
#include "support/LocalState.h"
#include "support/RecordingNotifier.h"
#include "ui/ServerItemData.h"
#include "ui/ServerTree.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace zelto::testing {

// Stands in for the dialogs: records what the gate's answers did to them, and how many
// message boxes had been shown by then.
class TRecordingDialogs final : public IClassicAccountDialogs {
public:
    struct Effect {
        TAccountDialog dialog;
        TDialogEffect effect;
        qsizetype messagesBefore;
    };

    explicit TRecordingDialogs(const test::RecordingNotifier &notifier) : m_notifier(notifier) {}

    void ShowNewAccount() override {}
    void ShowChangePwd() override {}
    void ShowGetBackPwd() override {}
    void CloseDialog(TAccountDialog dialog) override { effects.append({dialog, TDialogEffect::Close, m_notifier.messages.size()}); }
    void EnableConfirm(TAccountDialog dialog) override
    {
        effects.append({dialog, TDialogEffect::EnableConfirm, m_notifier.messages.size()});
    }

    QList<Effect> effects;

private:
    const test::RecordingNotifier &m_notifier;
};

// The controller's side of the session: the status line and the buttons are recorded, the
// server tree is real.
class TRecordingGateHost final : public IStatusLine, public IGateHost {
public:
    TRecordingGateHost(IClassicAccountDialogs &dialogs, TServerInfo &info) : m_dialogs(dialogs), m_info(info) {}

    void Print(TMessageType type, const QString &message) override { printed.append({type, message}); }
    void SetButtonsEnabled(bool enabled) override { buttonsEnabled = enabled; }
    TuTreeView *ServerTree() const override { return tree.get(); }
    bool AtCheckVer() const override { return atCheckVer; }
    IClassicAccountDialogs *AccountDialogs() const override { return &m_dialogs; }
    TServerInfo &ServerInfo() override { return m_info; }

    QStringList Messages() const
    {
        QStringList messages;
        for (const auto &[type, message] : printed)
            messages << message;
        return messages;
    }
    QString LastMessage() const { return printed.isEmpty() ? QString() : printed.last().second; }

    std::unique_ptr<TuTreeView> tree = std::make_unique<TuTreeView>(nullptr);
    QList<QPair<TMessageType, QString>> printed;
    bool buttonsEnabled = false;
    bool atCheckVer = false;

private:
    IClassicAccountDialogs &m_dialogs;
    TServerInfo &m_info;
};

inline const QString kConnecting = QStringLiteral(u"正在连接服务器");
inline const QString kServerGood = QStringLiteral(u"服务器状态良好");
inline const QString kServerClosed = QStringLiteral(u"服务器已关闭");
inline const QString kConnectionLost = QStringLiteral(u"服务器连接断开");
inline const QString kCannotConnect = QStringLiteral(u"无法连接服务器");
inline const QString kConnectionFault = QStringLiteral(u"服务器连接异常");
inline const QString kChooseServer = QStringLiteral(u"请选择服务器...");

inline constexpr int kTestDeadlineMs = 1500;
// The message SendThenMarker ends with: an account refusal with a code no case uses.
inline constexpr qint32 kMarkerRecog = 424242;
inline const QString kMarkerText = QStringLiteral("Code: 424242");

class GateSessionTest : public ::testing::Test {
protected:
    // The coder keeps the last server's key for the whole run; each test starts from the default.
    GateSessionTest() { DefaultMessageCoder().SetPassWord(os::ToAnsi(deploy::MessageCoderPassword())); }

    // Gates named in `servers` ({"name": ...} entries of the scenario's gate section).
    void StartGates(const QJsonArray &servers)
    {
        simulator = std::make_unique<opsim::OpSim>(QJsonObject{{"gate", QJsonObject{{"servers", servers}}}});
        gates = simulator->Gates();
    }

    // A server of the catalogue pointing at a gate, with its node in the tree.
    QTreeWidgetItem *AddServer(const QString &gate, const QString &host = QStringLiteral("127.0.0.1"))
    {
        TServerItem &server = info.ServerList.Add();
        server.DisplayName = QStringLiteral(u"服务器 ") + gate;
        server.Host = host;
        server.Port = gates ? gates->Port(gate) : 1;
        server.Srvid = QString::number(100 + info.ServerList.Count());
        auto *node = new QTreeWidgetItem(host_.tree.get(), {server.DisplayName});
        node->setData(0, kServerRole, ServerItemData(&server));
        return node;
    }
    TServerItem &ServerOf(QTreeWidgetItem *node) { return *ServerItemOf(info.ServerList, node->data(0, kServerRole)); }

    QList<opsim::TRecordedRequest> GateEvents(const QString &gate, const QString &event) const
    {
        QList<opsim::TRecordedRequest> found;
        for (const opsim::TRecordedRequest &request : simulator->RequestsTo(QStringLiteral("gate:") + gate))
            if (request.Path == event)
                found.append(request);
        return found;
    }

    // Connects to the node's server and waits until the gate has checked the answer.
    void ConnectAndAnswer(QTreeWidgetItem *node, const QString &gate)
    {
        const qsizetype answers = GateEvents(gate, QStringLiteral("/answer")).size();
        session.ConnectServer(node);
        ASSERT_TRUE(WaitFor([&] { return GateEvents(gate, QStringLiteral("/answer")).size() > answers; }));
        ASSERT_TRUE(WaitFor([&] { return !session.NeedTokenID(); }));
    }

    // A gate message frame under the gate's key.
    QByteArray Frame(const QString &gate, quint16 ident, qint32 recog = 0, QByteArrayView body = {}) const
    {
        TDefaultMessage msg;
        msg.Ident = ident;
        msg.Recog = recog;
        return opsim::GateMessageFrame(gates->Coder(gate), msg, body);
    }

    // Sends from the gate, then a marker message, and waits until the marker's message box
    // was shown: everything before it has been taken in. Returns the boxes shown before it.
    QList<test::RecordingNotifier::Message> SendThenMarker(const QString &gate, QList<opsim::TGateAction> actions)
    {
        const qsizetype before = notifier.messages.size();
        actions << opsim::TGateAction::Send(Frame(gate, MsgNewAccountFail, kMarkerRecog));
        EXPECT_EQ(gates->Perform(gate, actions), 1);
        const bool marked = WaitFor([&] {
            return notifier.messages.size() > before && notifier.messages.last().text.endsWith(kMarkerText);
        });
        EXPECT_TRUE(marked);
        return marked ? notifier.messages.mid(before, notifier.messages.size() - before - 1)
                      : QList<test::RecordingNotifier::Message>{};
    }

    ScopedLocalState state;
    test::RecordingNotifier notifier;
    TRecordingDialogs dialogs{notifier};
    TServerInfo info;
    TRecordingGateHost host_{dialogs, info};
    std::unique_ptr<opsim::OpSim> simulator;
    opsim::TGateService *gates = nullptr;
    TGateSession session{host_, host_, kTestDeadlineMs};
};

} // namespace zelto::testing
