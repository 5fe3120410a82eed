#include "GateSessionFixture.h"

#include "app/LocalSettings.h"
#include "app/PasswordCodec.h"
#include "protocol/GateToken.h"
#include "protocol/SelectedServer.h"
#include "ui/Comboboxes.h"

namespace zelto::testing {
namespace {

using opsim::TGateAction;

const QJsonObject kServe{{"name", "s1"}};

TEST_F(GateSessionTest, ConnectsAnswersTheChallengeAndEnablesTheButtons)
{
    StartGates({kServe});
    QTreeWidgetItem *node = AddServer("s1");
    ServerOf(node).Active = false;
    ConnectAndAnswer(node, "s1");

    EXPECT_EQ(host_.Messages(), (QStringList{kConnecting, kServerGood}));
    EXPECT_EQ(host_.printed.last().first, TMessageType::mtNormal);
    EXPECT_TRUE(host_.buttonsEnabled);
    EXPECT_TRUE(session.Connected());
    const QList<opsim::TRecordedRequest> answers = GateEvents("s1", "/answer");
    ASSERT_EQ(answers.size(), 1);
    EXPECT_EQ(answers[0].Note, QStringLiteral("token answer right"));

    const TServerItem &server = ServerOf(node);
    EXPECT_TRUE(server.Active);
    EXPECT_EQ(server.IP, server.Host);
    EXPECT_EQ(g_sServerName, server.DisplayName);
    EXPECT_EQ(g_sServerAddr, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(g_nServerPort, server.Port);
    EXPECT_EQ(g_nServerID, server.Srvid.toInt());
    EXPECT_EQ(g_nSID, g_nServerID);
}

TEST_F(GateSessionTest, SwitchingServersClosesTheFirstConnection)
{
    StartGates({kServe, QJsonObject{{"name", "s2"}}});
    QTreeWidgetItem *first = AddServer("s1");
    QTreeWidgetItem *second = AddServer("s2");
    ConnectAndAnswer(first, "s1");
    host_.printed.clear();

    ConnectAndAnswer(second, "s2");
    EXPECT_EQ(host_.Messages(), (QStringList{kServerClosed, kConnecting, kServerGood}));
    EXPECT_TRUE(host_.buttonsEnabled);
    EXPECT_TRUE(WaitFor([&] { return GateEvents("s1", "/closed").size() == 1; }));
}

TEST_F(GateSessionTest, ChoosingTheConnectedServerAgainDoesNotReconnect)
{
    StartGates({kServe});
    QTreeWidgetItem *node = AddServer("s1");
    QTreeWidgetItem *sameGate = AddServer("s1", QStringLiteral("localhost"));
    ConnectAndAnswer(node, "s1");
    host_.printed.clear();

    session.ConnectServer(node);
    session.ConnectServer(sameGate); // another host text, resolving to the same address and port
    RunEventsFor(200);
    EXPECT_TRUE(host_.printed.isEmpty());
    EXPECT_TRUE(host_.buttonsEnabled);
    EXPECT_EQ(GateEvents("s1", "/connect").size(), 1);
    EXPECT_EQ(session.ConnectList().Count(), 2);
}

TEST_F(GateSessionTest, ServersOfOneHostShareOneCacheEntry)
{
    StartGates({kServe, QJsonObject{{"name", "s2"}}});
    QTreeWidgetItem *first = AddServer("s1", QStringLiteral("localhost"));
    QTreeWidgetItem *second = AddServer("s2", QStringLiteral("localhost"));
    ConnectAndAnswer(first, "s1");
    ConnectAndAnswer(second, "s2");
    ASSERT_EQ(session.ConnectList().Count(), 1);
    const TServerConnectInfo *entry = session.ConnectList().GetServer(QStringLiteral("localhost"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->FIP, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(entry->FPort, ServerOf(first).Port);
    EXPECT_TRUE(entry->FConnect);
}

TEST_F(GateSessionTest, AnIncompleteChoiceAsksForAServer)
{
    StartGates({kServe});
    auto *heading = new QTreeWidgetItem(host_.tree.get(), {QStringLiteral(u"一区")});
    QTreeWidgetItem *noPort = AddServer("s1");
    ServerOf(noPort).Port = 0;
    for (QTreeWidgetItem *node : {static_cast<QTreeWidgetItem *>(nullptr), heading, noPort}) {
        host_.buttonsEnabled = true;
        session.ConnectServer(node);
        EXPECT_EQ(host_.LastMessage(), kChooseServer);
        EXPECT_FALSE(host_.buttonsEnabled);
    }
    EXPECT_FALSE(session.Socket().Active());
}

TEST_F(GateSessionTest, TheTreeConnectsToTheNodeUnderTheMouse)
{
    StartGates({kServe});
    QTreeWidgetItem *node = AddServer("s1");
    host_.tree->resize(200, 100);
    host_.tree->show();
    const QPoint onNode = host_.tree->visualItemRect(node).center();
    session.TreeMouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(5, 90)); // below the nodes
    EXPECT_FALSE(session.Socket().Active());
    session.TreeMouseDown(Qt::LeftButton, Qt::NoModifier, onNode);
    EXPECT_TRUE(WaitFor([&] { return host_.LastMessage() == kServerGood; }));

    host_.tree.reset();
    session.TreeMouseDown(Qt::LeftButton, Qt::NoModifier, onNode); // a skin without a tree
}

TEST_F(GateSessionTest, TheChoiceBoxConnectsOnceTheStartUpPassIsOver)
{
    StartGates({kServe});
    QTreeWidgetItem *node = AddServer("s1");
    TuServerCombobox box(nullptr);
    box.addItem(QStringLiteral("s1"), ServerItemData(&ServerOf(node)));
    box.addItem(QStringLiteral(u"无服务器"));

    host_.atCheckVer = true;
    session.ServerComboboxChange(&box);
    EXPECT_TRUE(host_.printed.isEmpty());

    host_.atCheckVer = false;
    session.ServerComboboxChange(&box);
    EXPECT_TRUE(WaitFor([&] { return !GateEvents("s1", "/answer").isEmpty(); }));
    EXPECT_EQ(host_.LastMessage(), kServerGood);
    EXPECT_EQ(GateEvents("s1", "/answer").value(0).Note, QStringLiteral("token answer right"));

    box.setCurrentIndex(1);
    session.ServerComboboxChange(&box);
    EXPECT_EQ(host_.LastMessage(), kChooseServer);
}

struct FailureCase {
    const char *name;
    QJsonObject gate;
    QList<TGateAction> afterConnect; // what the gate does once the launcher has answered
    const char *host;                // empty: 127.0.0.1
    QStringList expected;            // the status line from the choice on
};

void PrintTo(const FailureCase &c, std::ostream *out) { *out << c.name; }

class GateFailure : public GateSessionTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(GateFailure, ReportsHowTheConnectionEnded)
{
    const FailureCase &c = GetParam();
    StartGates({c.gate});
    QTreeWidgetItem *node = AddServer("s1", *c.host ? QString::fromLatin1(c.host) : QStringLiteral("127.0.0.1"));
    if (c.afterConnect.isEmpty()) {
        session.ConnectServer(node);
    } else {
        ConnectAndAnswer(node, "s1");
        ASSERT_EQ(gates->Perform("s1", c.afterConnect), 1);
    }
    ASSERT_TRUE(WaitFor([&] { return host_.Messages().size() >= c.expected.size(); }, 3 * kTestDeadlineMs));
    RunEventsFor(100);
    EXPECT_EQ(host_.Messages(), c.expected);
    EXPECT_FALSE(host_.buttonsEnabled);
    EXPECT_FALSE(session.Connected());
    EXPECT_FALSE(session.TryConnecting());
    EXPECT_FALSE(session.Socket().Active());
}

INSTANTIATE_TEST_SUITE_P(Gates, GateFailure,
    ::testing::Values(
        FailureCase{"refused", QJsonObject{{"name", "s1"}, {"mode", "refuse"}}, {}, "", {kConnecting, kCannotConnect}},
        FailureCase{"unanswered", QJsonObject{{"name", "s1"}, {"mode", "unanswered"}}, {}, "", {kConnecting, kCannotConnect}},
        FailureCase{"reset", kServe, {TGateAction::Reset()}, "", {kConnecting, kServerGood, kConnectionFault}},
        FailureCase{"closed", kServe, {TGateAction::Close()}, "", {kConnecting, kServerGood, kConnectionLost}},
        FailureCase{"host_does_not_resolve", kServe, {}, "no-such-gate.invalid",
            {kConnecting, kConnectionFault, kServerClosed}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(GateSessionTest, AnUnresolvedHostIsResolvedAgainNextTime)
{
    StartGates({kServe});
    QTreeWidgetItem *node = AddServer("s1", QStringLiteral("no-such-gate.invalid"));
    session.ConnectServer(node);
    TServerConnectInfo *entry = session.ConnectList().GetServer(QStringLiteral("no-such-gate.invalid"));
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->FIP.isEmpty());
    // Once the name resolves, the cached entry takes the address.
    entry->FDomain = QStringLiteral("localhost");
    ServerOf(node).Host = QStringLiteral("localhost");
    ConnectAndAnswer(node, "s1");
    EXPECT_EQ(entry->FIP, QStringLiteral("127.0.0.1"));
}

TEST_F(GateSessionTest, TheStallingGateLeavesTheChallengePending)
{
    StartGates({QJsonObject{{"name", "s1"}, {"mode", "stall"}}});
    session.ConnectServer(AddServer("s1"));
    ASSERT_TRUE(WaitFor([&] { return host_.LastMessage() == kServerGood; }));
    RunEventsFor(kTestDeadlineMs + 200); // no deadline once connected
    EXPECT_TRUE(session.Connected());
    EXPECT_TRUE(session.NeedTokenID());
}

TEST_F(GateSessionTest, AChallengeInPiecesIsStillAnswered)
{
    StartGates({QJsonObject{{"name", "s1"}, {"challenge", "split"}}});
    ConnectAndAnswer(AddServer("s1"), "s1");
    EXPECT_EQ(GateEvents("s1", "/answer").value(0).Note, QStringLiteral("token answer right"));
}

TEST_F(GateSessionTest, AChallengeWithoutATokenIsNotAnswered)
{
    StartGates({QJsonObject{{"name", "s1"}, {"challenge", "garbage"}}});
    session.ConnectServer(AddServer("s1"));
    ASSERT_TRUE(WaitFor([&] { return host_.LastMessage() == kServerGood; }));
    RunEventsFor(300);
    EXPECT_TRUE(session.NeedTokenID());
    EXPECT_TRUE(GateEvents("s1", "/answer").isEmpty());
    // The next read is taken as the challenge again.
    const QString token = QStringLiteral("second-chance");
    ASSERT_EQ(gates->Perform("s1", {TGateAction::Send("#" + TokenChallengePayload(token) + "!")}), 1);
    ASSERT_TRUE(WaitFor([&] { return !session.NeedTokenID(); }));
    ASSERT_TRUE(WaitFor([&] { return !GateEvents("s1", "/answer").isEmpty(); }));
    EXPECT_TRUE(IsTokenAnswer(GateEvents("s1", "/answer")[0].Body, token));
}

TEST_F(GateSessionTest, FramesSplitOverReadsAreJoined)
{
    StartGates({kServe});
    ConnectAndAnswer(AddServer("s1"), "s1");
    ASSERT_EQ(gates->Perform("s1", {TGateAction::Send("#abc!#de")}), 1);
    ASSERT_TRUE(WaitFor([&] { return session.BufferStr() == "#de"; }));
    ASSERT_EQ(gates->Perform("s1", {TGateAction::Send("f!")}), 1);
    ASSERT_TRUE(WaitFor([&] { return session.BufferStr().isEmpty(); }));

    // A real message in three pieces shows its box once.
    const QByteArray frame = Frame("s1", MsgGetBackPasswordOk);
    const auto shown = SendThenMarker("s1", {TGateAction::Send(frame.first(10)), TGateAction::Pause(60),
                                                TGateAction::Send(frame.sliced(10, 20)), TGateAction::Pause(60),
                                                TGateAction::Send(frame.sliced(30))});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral(u"密码找回成功。"));
}

TEST_F(GateSessionTest, OnlyWholeFramesOfAHeaderOrMoreAreDecoded)
{
    StartGates({kServe});
    ConnectAndAnswer(AddServer("s1"), "s1");
    const QByteArray header = Frame("s1", MsgNewAccountFail, 1).sliced(1).chopped(1);
    ASSERT_EQ(header.size(), kEncodedMessageLength);
    const auto shown = SendThenMarker("s1", {
        TGateAction::Send("text before the start#" + header + "!"),      // decoded
        TGateAction::Send("#+" + header + "!"),                            // "+" frames are ignored
        TGateAction::Send("#" + header.chopped(1) + "!"),                  // 43 characters: ignored
        TGateAction::Send("an end but no start!"),                         // emptied
        TGateAction::Send(Frame("s1", MsgNewAccountFail, -2, "a body")),  // a body is allowed
        TGateAction::Send(Frame("s1", 600)),                               // unknown identifier
        TGateAction::Send("#" + QByteArray(60, 'x') + "!"),                // not wire text
    });
    QStringList texts;
    for (const auto &message : shown)
        texts << message.text;
    EXPECT_EQ(texts, (QStringList{QStringLiteral(u"验证码输入错误，请重新输入！！！"), QStringLiteral(u"此帐号名被禁止使用！")}));
}

TEST_F(GateSessionTest, EndlessGarbageIsCappedAndTheStreamRecovers)
{
    StartGates({kServe});
    ConnectAndAnswer(AddServer("s1"), "s1");
    const auto shown = SendThenMarker("s1", {TGateAction::Send("#"), TGateAction::Send(QByteArray(200000, 'g')),
                                                TGateAction::Send("!")});
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(session.BufferStr().isEmpty());
}

TEST_F(GateSessionTest, CounterDigitsRunOnOverALongRunAndAcrossReconnects)
{
    StartGates({kServe});
    QTreeWidgetItem *node = AddServer("s1");
    ConnectAndAnswer(node, "s1"); // digit 0
    for (int i = 0; i < 11; ++i)
        session.SendFrame("x");
    ASSERT_TRUE(WaitFor([&] { return GateEvents("s1", "/frame").size() == 11; }));
    session.CloseSocket();
    session.SendFrame("not sent"); // closed: nothing goes out, the digit stays
    ConnectAndAnswer(node, "s1");
    session.CloseSocket();
    ConnectAndAnswer(node, "s1");

    QString digits;
    for (const opsim::TRecordedRequest &event : simulator->RequestsTo("gate:s1"))
        if (event.Path == "/answer" || event.Path == "/frame")
            digits += event.Param("digit");
    EXPECT_EQ(digits, QStringLiteral("01234567891234"));
}

TEST_F(GateSessionTest, CloseReportsTheDisconnectAtOnce)
{
    StartGates({kServe, QJsonObject{{"name", "slow"}, {"mode", "unanswered"}}});
    ConnectAndAnswer(AddServer("s1"), "s1");
    session.CloseSocket();
    EXPECT_EQ(host_.LastMessage(), kConnectionLost); // inside Close, not later
    EXPECT_FALSE(host_.buttonsEnabled);

    session.ConnectServer(AddServer("slow")); // still opening
    session.CloseSocket();
    EXPECT_EQ(host_.LastMessage(), kServerClosed);
    host_.printed.clear();
    session.CloseSocket(); // nothing open: nothing to report
    RunEventsFor(kTestDeadlineMs + 200);
    EXPECT_TRUE(host_.printed.isEmpty());
}

TEST_F(GateSessionTest, AServerKeyGivesTheCoderItsPassword)
{
    StartGates({QJsonObject{{"name", "s1"}, {"password", "per-server-key@zelto.example"}}});
    QTreeWidgetItem *node = AddServer("s1");
    ServerOf(node).Key = EncryptConfigString(QStringLiteral("per-server-key@zelto.example")).toLatin1();
    ConnectAndAnswer(node, "s1");
    EXPECT_EQ(g_sServerKey, ServerOf(node).Key);
    const auto shown = SendThenMarker("s1", {TGateAction::Send(Frame("s1", MsgChangePasswordFail, -1))});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral(u"输入的原始密码不正确！"));
}

struct ReplyCase {
    quint16 ident;
    qint32 recog;
    const char16_t *text;
    NoticeIcon icon;
    TAccountDialog dialog;
    TDialogEffect effect;
    bool effectFirst;
};

TEST_F(GateSessionTest, EveryGateAnswerShowsItsMessageAndChangesItsDialog)
{
    using enum TAccountDialog;
    using enum TDialogEffect;
    const NoticeIcon plain = NoticeIcon::None;
    const ReplyCase cases[] = {
        {504, 7, u"您的帐号创建成功。\r请妥善保管您的帐号和密码，\r并且不要因任何原因把帐号和密码告诉任何其他人。", plain, NewAccount, Close, false},
        {505, -2, u"此帐号名被禁止使用！", plain, NewAccount, EnableConfirm, false},
        {505, 0, u"帐号 \"\" 已被其他的玩家使用了。\r请选择其它帐号名注册。", plain, NewAccount, EnableConfirm, false},
        {505, 1, u"验证码输入错误，请重新输入！！！", plain, NewAccount, EnableConfirm, false},
        {505, 42, u"帐号创建失败，请确认帐号是否包括空格、及非法字符！Code: 42", plain, NewAccount, EnableConfirm, false},
        {505, -9, u"帐号创建失败，请确认帐号是否包括空格、及非法字符！Code: -9", plain, NewAccount, EnableConfirm, false},
        {506, 3, u"密码修改成功。", plain, ChangePwd, Close, true},
        {507, -2, u"此帐号被锁定！", plain, ChangePwd, EnableConfirm, true},
        {507, -1, u"输入的原始密码不正确！", plain, ChangePwd, EnableConfirm, true},
        {507, 0, u"输入的帐号不存在！！！", plain, ChangePwd, EnableConfirm, true},
        {507, 5, u"输入的新密码长度小于四位！", plain, ChangePwd, EnableConfirm, true},
        {508, 0, u"密码找回成功。", plain, GetBackPwd, Close, true},
        {509, -3, u"答案输入不正确！！！", NoticeIcon::Error, GetBackPwd, EnableConfirm, true},
        {509, -2, u"此帐号被锁定！！！\r请稍候三分钟再重新执行此操作。", NoticeIcon::Error, GetBackPwd, EnableConfirm, true},
        {509, -1, u"问题答案不正确！！！", NoticeIcon::Error, GetBackPwd, EnableConfirm, true},
        {509, 0, u"输入的帐号不存在！！！", NoticeIcon::Error, GetBackPwd, EnableConfirm, true},
        {509, 1, u"未知错误！", NoticeIcon::Error, GetBackPwd, EnableConfirm, true},
    };
    StartGates({kServe});
    ConnectAndAnswer(AddServer("s1"), "s1");
    for (const ReplyCase &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.ident << " / " << c.recog);
        dialogs.effects.clear();
        const qsizetype before = notifier.messages.size();
        const auto shown = SendThenMarker("s1", {TGateAction::Send(Frame("s1", c.ident, c.recog))});
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0].text, QString::fromUtf16(c.text));
        EXPECT_EQ(shown[0].caption, QStringLiteral(u"提示信息"));
        EXPECT_EQ(shown[0].icon, c.icon);
        ASSERT_EQ(dialogs.effects.size(), 2); // the marker gives the new-account dialog its button back
        const auto &effect = dialogs.effects.first();
        EXPECT_EQ(effect.dialog, c.dialog);
        EXPECT_EQ(effect.effect, c.effect);
        EXPECT_EQ(effect.messagesBefore, before + (c.effectFirst ? 0 : 1));
    }
}

} // namespace
} // namespace zelto::testing
