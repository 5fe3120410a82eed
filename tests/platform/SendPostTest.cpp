#include "PlatformFixture.h"

#include "deploy/Deployment.h"
#include "platform/PlatformRequest.h"

#include <QTcpServer>

namespace zelto::testing {
namespace {

struct FailureCase {
    const char *name;
    const char *fault;   // JSON of the login endpoint's fault; empty: none
    const char *caption;
    bool ok;
    const char *message; // the one message shown; a trailing "*" matches a prefix; empty: none
};

void PrintTo(const FailureCase &c, std::ostream *out) { *out << c.name; }

class SendPost : public PlatformTest, public ::testing::WithParamInterface<FailureCase> {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1)}}});
    }

    // A login request as the launcher makes it.
    QStringList MainLines()
    {
        return Platform().Client().IdentityLines()
            + QStringList{"username=player1", "password=secret1", "code_type=", "yx_extend="};
    }
    QStringList ExtLines() { return Platform().Client().DeviceBlock() + QStringList{"game_id=77", "event=password"}; }
};

TEST_P(SendPost, AnswersAndFailuresAreReportedInTheirOrder)
{
    const FailureCase &c = GetParam();
    if (*c.fault)
        simulator->SetFault("login", opsim::TFault::FromJson(QJsonDocument::fromJson(c.fault).object(), "test"));
    Platform().Client().SetTimeoutMs(1500);
    QString data;
    EXPECT_EQ(Platform().Client().Send(platformpath::kLogin, QString::fromUtf8(c.caption), MainLines(), ExtLines(), data), c.ok);
    const QString expected = QString::fromUtf8(c.message);
    if (expected.isEmpty()) {
        EXPECT_TRUE(notices.messages.isEmpty()) << Messages().join('|').toStdString();
    } else {
        ASSERT_EQ(notices.messages.size(), 1);
        if (expected.endsWith(u'*'))
            EXPECT_TRUE(notices.messages[0].text.startsWith(expected.chopped(1))) << notices.messages[0].text.toStdString();
        else
            EXPECT_EQ(notices.messages[0].text, expected);
        EXPECT_EQ(notices.messages[0].caption, QStringLiteral("提示"));
        EXPECT_EQ(notices.messages[0].icon, NoticeIcon::Error);
    }
    if (c.ok) {
        EXPECT_TRUE(data.contains(QStringLiteral("\"user_id\":\"10001\""))) << data.toStdString();
    }
}

const FailureCase kFailureCases[] = {
    {"Answered", "", "登录失败", true, ""},
    {"AnsweredAfterADelay", R"({"delayMs": 300})", "登录失败", true, ""},
    {"ErrorStatus", R"({"kind": "status", "status": 503})", "登录失败", false, "登录失败, 原因:*"},
    {"ErrorStatusWithoutCaption", R"({"kind": "status", "status": 500})", "", false, ", 原因:*"},
    {"ConnectionDropped", R"({"kind": "down"})", "登录失败", false, "登录失败, 原因:*"},
    {"TimedOut", R"({"delayMs": 5000})", "登录失败", false, "登录失败, 原因:the server sent nothing for 1500 ms"},
    {"NotJson", R"({"kind": "garbage"})", "登录失败", false, "连接服务器失败."},
    {"EmptyBody", R"({"kind": "emptyBody"})", "登录失败", false, ""},
    {"MsgWithCunZai", R"({"kind": "message", "msg": "账号不存在"})", "登录失败", false, "登录失败，账号不存在"},
    {"MsgWithBothWords", R"({"kind": "message", "msg": "账号已存在，注册成功"})", "", false, "登录失败，账号已存在，注册成功"},
    {"SuccessWithoutData", R"({"kind": "message", "msg": "登录成功"})", "登录失败", false, "获取令牌错误！"},
    {"MsgWithNeitherWord", R"({"kind": "message", "msg": "服务器维护中"})", "登录失败", false, "服务器维护中"},
    {"MsgWithNeitherWordWithoutCaption", R"({"kind": "message", "msg": "服务器维护中"})", "", false, ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, SendPost, ::testing::ValuesIn(kFailureCases),
    [](const auto &info) { return std::string(info.param.name); });

class SendPostTransport : public SendPost {};

TEST_F(SendPostTransport, AWrongSignatureIsRefusedWithNeitherWord)
{
    QString data;
    const QStringList list = AssembleParamList(MainLines(), ExtLines(), QStringLiteral("not the secret"));
    EXPECT_FALSE(Platform().Client().SendPost(TPlatformClient::Address(platformpath::kLogin), "登录失败", data, list));
    EXPECT_EQ(Messages(), QStringList{"签名错误"});
    EXPECT_TRUE(Requests("login").last().Note.startsWith(QStringLiteral("sign mismatch")));
}

TEST_F(SendPostTransport, ARefusedConnectionNamesTheReason)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString address = QStringLiteral("http://127.0.0.1:%1/v1/login").arg(closed.serverPort());
    closed.close();
    QString data;
    const QStringList list = AssembleParamList(MainLines(), ExtLines(), deploy::PlatformSecret());
    EXPECT_FALSE(Platform().Client().SendPost(address, "小号登录失败", data, list));
    ASSERT_EQ(notices.messages.size(), 1);
    EXPECT_TRUE(notices.messages[0].text.startsWith(QStringLiteral("小号登录失败, 原因:"))) << notices.messages[0].text.toStdString();
    EXPECT_GT(notices.messages[0].text.size(), QStringLiteral("小号登录失败, 原因:").size());
}

} // namespace
} // namespace zelto::testing
