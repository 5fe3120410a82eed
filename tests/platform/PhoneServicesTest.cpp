#include "PlatformFixture.h"

#include "guard/MachineIdentity.h"
#include "os/TickCount.h"
#include "platform/FPhoneRegAccount.h"
#include "platform/FRealName.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelto::testing {
namespace {

const QString kPhone = QStringLiteral("13800000001");

class PhoneServices : public PlatformTest {
protected:
    void ServePlayer(QJsonObject phoneCode = {})
    {
        Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1, {{"phone", kPhone}, {"user_id", "501"}, {"token", "tk-501"}})}},
            {"phoneCode", phoneCode}});
    }
    // One tick of a timer's handler, as the event loop would run it.
    static void Tick(QTimer &timer) { QMetaObject::invokeMethod(&timer, "timeout"); }
};

TEST_F(PhoneServices, ALoginCodeCountsTheMainWindowsButtonDown)
{
    ServePlayer();
    ASSERT_TRUE(app->PhoneCodeParam(5, kPhone)); // as the change-password dialog asks
    EXPECT_FALSE(phoneButton.isEnabled());
    EXPECT_EQ(phoneButton.text(), QStringLiteral("60"));
    EXPECT_TRUE(app->FMiniTimer.isActive());
    EXPECT_LE(app->PhoneTickCount - os::TickCount(), 60000u);
    EXPECT_GE(app->PhoneTickCount - os::TickCount(), 59000u);

    app->PhoneTickCount = os::TickCount() + 5500;
    Tick(app->FMiniTimer);
    EXPECT_EQ(phoneButton.text(), QStringLiteral("5秒后"));
    EXPECT_FALSE(phoneButton.isEnabled());

    app->PhoneTickCount = os::TickCount() - 1;
    Tick(app->FMiniTimer);
    EXPECT_EQ(phoneButton.text(), QStringLiteral("获取验证码"));
    EXPECT_TRUE(phoneButton.isEnabled());
    EXPECT_FALSE(app->FMiniTimer.isActive());

    const TPlatformRequestSeen request = LastRequest("phone_code");
    EXPECT_EQ(request.ext.value("type").toString(), QStringLiteral("5"));
    EXPECT_EQ(request.ext.value("code_type").toString(), QStringLiteral("5"));
    EXPECT_EQ(request.ext.value("phone").toString(), kPhone);
    EXPECT_EQ(request.Field("game_id"), QStringLiteral("77"));
}

TEST_F(PhoneServices, TheCodeTypeChangesOnlyForLoginCodesThatCarryOne)
{
    ServePlayer({{"answerCodeType", false}});
    TPlatformSession &session = PlatformSession();
    session.code_type = QStringLiteral("earlier");
    ASSERT_TRUE(app->PhoneCodeParam(5, kPhone));
    EXPECT_EQ(session.code_type, QStringLiteral("earlier"));
    EXPECT_FALSE(session.sessionid.isEmpty());
    EXPECT_FALSE(session.phone_token.isEmpty());

    simulator.reset();
    ServePlayer();
    PlatformSession().code_type = QStringLiteral("earlier");
    ASSERT_TRUE(app->PhoneCodeParam(1, kPhone));
    EXPECT_EQ(PlatformSession().code_type, QStringLiteral("earlier"));
    EXPECT_EQ(phoneButton.text(), QStringLiteral("获取验证码")); // only login codes count down
    ASSERT_TRUE(app->PhoneCodeParam(5, kPhone));
    EXPECT_EQ(PlatformSession().code_type, QStringLiteral("5"));
}

TEST_F(PhoneServices, AFailedCodeRequestChangesNothing)
{
    ServePlayer();
    EXPECT_FALSE(app->PhoneCodeParam(5, QStringLiteral("not a phone")));
    EXPECT_EQ(Messages(), QStringList{"手机号格式错误"});
    EXPECT_TRUE(phoneButton.isEnabled());
    EXPECT_TRUE(PlatformSession().phone_token.isEmpty());
}

TEST_F(PhoneServices, ThePasswordChangesWithTheCodeSentToTheAccount)
{
    ServePlayer();
    ASSERT_TRUE(app->PhoneCodeParam(5, QStringLiteral("player1")));
    const QString code = Service().LastPhoneCode("player1");
    EXPECT_FALSE(app->ChangePasswdParam("player1", "newpass", code, "other"));
    EXPECT_EQ(Messages(), QStringList{"两次输入的密码不一致"});
    EXPECT_TRUE(app->ChangePasswdParam("player1", "newpass", code, "newpass"));
    EXPECT_EQ(Service().PasswordOf("player1"), QStringLiteral("newpass"));
    const TPlatformRequestSeen request = LastRequest("edit_user");
    EXPECT_EQ(request.Field("username"), QStringLiteral("player1"));
    EXPECT_EQ(request.ext.value("code").toString(), code);
    EXPECT_EQ(request.ext.value("password").toString(), QStringLiteral("newpass"));
    EXPECT_EQ(request.ext.value("repassword").toString(), QStringLiteral("newpass"));
}

TEST_F(PhoneServices, ARealNameIsBoundPercentEncodedInsideTheForm)
{
    ServePlayer();
    TPlatformSession &session = PlatformSession();
    session.userid = QStringLiteral("501");
    session.small_id = QStringLiteral("s-1");
    session.token = QStringLiteral("tk-501");
    session.account = QStringLiteral("player1");
    EXPECT_FALSE(Platform().PhoneServices().RealNameParam(QStringLiteral("张三"), QStringLiteral("12345")));
    EXPECT_EQ(Messages(), QStringList{"身份证号码格式错误"});
    ASSERT_TRUE(Platform().PhoneServices().RealNameParam(QStringLiteral("张三"), QStringLiteral("11010519491231002X")));

    const QList<opsim::TRealNameBinding> bindings = Service().RealNameBindings();
    ASSERT_EQ(bindings.size(), 1);
    EXPECT_EQ(bindings[0].truename, QStringLiteral("张三"));
    EXPECT_EQ(bindings[0].userid, QStringLiteral("501"));
    EXPECT_EQ(bindings[0].smallId, QStringLiteral("s-1"));
    const TPlatformRequestSeen request = LastRequest("bind_name");
    EXPECT_TRUE(request.body.contains("truename=%25E5%25BC%25A0%25E4%25B8%2589&")) << request.body.toStdString();
    EXPECT_EQ(request.ext.value("game_name").toString(), QStringLiteral("传奇世界"));
    EXPECT_EQ(request.ext.value("username").toString(), QStringLiteral("player1"));
    EXPECT_EQ(request.ext.value("device_name").toString(), GetComputerNameText());
    bool isNumber = false;
    EXPECT_GE(request.ext.value("equipment_num").toString().toLongLong(&isNumber), 0);
    EXPECT_TRUE(isNumber);
}

TEST_F(PhoneServices, TheRealNameDialogBindsAndLogsThePlayerOut)
{
    ServePlayer();
    TPlatformSession &session = PlatformSession();
    session.user_id = session.userid = QStringLiteral("501");
    session.small_id = QStringLiteral("s-1");
    session.token = QStringLiteral("tk-501");
    {
        TFrmRealName dialog(Platform().PhoneServices(), nullptr);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("实名认证"));
        dialog.show();
        dialog.NameEdit().setText(QStringLiteral("李四"));
        dialog.CardEdit().setText(QStringLiteral("bad"));
        dialog.ConfirmButton().click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.CardEdit().setText(QStringLiteral("110105194912310021"));
        dialog.ConfirmButton().click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    ASSERT_EQ(notices.messages.size(), 2);
    EXPECT_EQ(notices.messages[1].text, QStringLiteral("已完成认证！请重新登录进入游戏"));
    EXPECT_EQ(notices.messages[1].caption, QStringLiteral("实名认证成功"));
    EXPECT_EQ(notices.messages[1].icon, NoticeIcon::Information);
    EXPECT_FALSE(session.LoggedIn());
    EXPECT_TRUE(session.small_id.isEmpty());
}

TEST_F(PhoneServices, TheRegistrationDialogChecksItsFieldsInOrder)
{
    ServePlayer();
    app->ShowPhoneReg(); // shown without waiting
    ASSERT_TRUE(Platform().PhoneReg());
    TFrmPhoneRegAccount &dialog = *Platform().PhoneReg();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("手机账号注册"));
    struct Case {
        const char *phone;
        const char *code;
        const char *message;
        const char *caption;
        NoticeIcon icon;
    };
    const Case cases[] = {
        {"  ", "123", "手机号必须输入！", "提示信息", NoticeIcon::None},
        {" 123 ", "", "手机号长度必须大于11位！", "提示信息", NoticeIcon::None},
        {"13800000001", "", "密码不可为空！", "提示信息", NoticeIcon::None},
        {"138 0000001", "123", "手机号必须是数字.", "提示", NoticeIcon::Error},
        {"1380000000a", "123", "手机号必须是数字.", "提示", NoticeIcon::Error},
        {"13800000001", "123", "暂不支持手机号注册，请使用账号注册", "提示", NoticeIcon::Information},
    };
    for (const Case &c : cases) {
        notices.messages.clear();
        dialog.PhoneEdit().setText(QString::fromUtf8(c.phone));
        dialog.CodeEdit().setText(QString::fromUtf8(c.code));
        dialog.OkClick();
        ASSERT_EQ(notices.messages.size(), 1) << c.message;
        EXPECT_EQ(notices.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(notices.messages[0].caption, QString::fromUtf8(c.caption)) << c.message;
        EXPECT_EQ(notices.messages[0].icon, c.icon) << c.message;
        EXPECT_TRUE(dialog.isVisible()) << c.message;
    }
    EXPECT_EQ(dialog.PhoneEdit().maxLength(), 20);
    EXPECT_EQ(dialog.CodeEdit().maxLength(), 10);
    EXPECT_EQ(dialog.PasswordEdit().maxLength(), 32);
    EXPECT_EQ(dialog.PasswordEdit().echoMode(), QLineEdit::Password);
}

TEST_F(PhoneServices, TheRegistrationCodeButtonCountsTheMinuteDown)
{
    ServePlayer();
    TFrmPhoneRegAccount dialog(Platform().PhoneServices(), nullptr);
    dialog.PhoneEdit().setText(kPhone);
    dialog.SendClick();
    EXPECT_EQ(LastRequest("phone_code").ext.value("type").toString(), QStringLiteral("1"));
    QPushButton &send = dialog.SendButton();
    EXPECT_EQ(send.text(), QStringLiteral("60"));
    EXPECT_FALSE(send.isEnabled());
    EXPECT_TRUE(dialog.Timer().isActive());
    EXPECT_EQ(phoneButton.text(), QStringLiteral("获取验证码")); // the main window's button is not involved

    QStringList captions;
    for (quint32 left : {59500u, 30200u, 800u}) {
        dialog.FPhoneRegTickCount = os::TickCount() + left;
        dialog.TimerTick();
        captions << send.text();
    }
    EXPECT_EQ(captions, (QStringList{"59秒后", "30秒后", "0秒后"}));
    dialog.FPhoneRegTickCount = os::TickCount();
    dialog.TimerTick();
    EXPECT_EQ(send.text(), QStringLiteral("发送"));
    EXPECT_TRUE(send.isEnabled());
    EXPECT_FALSE(dialog.Timer().isActive());
}

} // namespace
} // namespace zelto::testing
