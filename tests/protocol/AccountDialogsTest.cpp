#include "app/LauncherConfiguration.h"
#include "app/uLogin.h"
#include "protocol/AccountRequests.h"
#include "protocol/ClassicAccountDialogs.h"
#include "protocol/GateReplies.h"
#include "support/LocalState.h"
#include "support/RecordingNotifier.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace zelto {
namespace {

// The platform side of the dialogs: records each request and answers as told.
class TRecordingRequests final : public IAccountRequests {
public:
    bool PhoneCodeParam(int kind, const QString &phoneNumber) override
    {
        calls << QStringLiteral("code %1 %2").arg(kind).arg(phoneNumber);
        return answer;
    }
    bool ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
        const QString &sPasswd2) override
    {
        calls << QStringList{QStringLiteral("change"), sAccount, sPasswd1, sCode, sPasswd2}.join(u'|');
        return answer;
    }
    bool PhoneRegAccountParam(const QString &phoneNumber, const QString &code, const QString &idNumber,
        const QString &realName, const QString &password, const QString &userName) override
    {
        calls << QStringList{QStringLiteral("register"), phoneNumber, code, idNumber, realName, password, userName}.join(u'|');
        return answer;
    }
    void SendGetBackPassWord(const QString &account, const QString &newPassword, const QString &birthday,
        const QString &answer2, const QString &question2, const QString &answer1, const QString &question1) override
    {
        calls << QStringList{QStringLiteral("recover"), account, newPassword, birthday, answer2, question2, answer1, question1}
                     .join(u'|');
    }

    QStringList calls;
    bool answer = true;
};

class AccountDialogsTest : public ::testing::Test {
protected:
    QStringList Shown() const
    {
        QStringList texts;
        for (const auto &message : notifier.messages)
            texts << message.caption + u':' + message.text;
        return texts;
    }
    static void Type(QLineEdit &edit, int key, const QString &text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&edit, &press);
    }

    test::RecordingNotifier notifier;
    TRecordingRequests requests;
};

TEST_F(AccountDialogsTest, RecoveryReportsTheFirstEmptyFieldInOrder)
{
    TfrmGetBackPwd dialog(requests);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"找回密码"));
    EXPECT_EQ(dialog.size(), QSize(309, 246));
    QLineEdit *const inOrder[] = {dialog.edtID, dialog.edBtd, dialog.edQ1, dialog.edQ2, dialog.edA1, dialog.edA2, dialog.edPwd};
    const char16_t *const messages[] = {u"帐号不能为空", u"生日不能为空", u"问题1不能为空", u"问题2不能为空",
        u"答案1不能为空", u"答案2不能为空", u"新密码不能为空"};
    for (int empty = 0; empty < 7; ++empty) {
        notifier.messages.clear();
        for (int i = 0; i < 7; ++i)
            inOrder[i]->setText(i == empty ? QStringLiteral("  ") : QStringLiteral(" v%1 ").arg(i));
        dialog.btnOKClick();
        EXPECT_EQ(Shown(), QStringList{QStringLiteral(u"提示:") + QString::fromUtf16(messages[empty])}) << empty;
        EXPECT_TRUE(dialog.btnOK->isEnabled());
    }
    EXPECT_TRUE(requests.calls.isEmpty());

    inOrder[6]->setText(QStringLiteral(" v6 "));
    notifier.messages.clear();
    dialog.btnOKClick();
    EXPECT_TRUE(notifier.messages.isEmpty());
    EXPECT_FALSE(dialog.btnOK->isEnabled()); // until the gate answers or the dialog closes
    // Untrimmed: account, new password, birthday, answer 2, question 2, answer 1, question 1.
    EXPECT_EQ(requests.calls, QStringList{QStringLiteral("recover| v0 | v6 | v1 | v5 | v3 | v4 | v2 ")});

    dialog.show();
    dialog.BitBtn2Click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.btnOK->isEnabled());
    for (QLineEdit *edit : inOrder)
        EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(AccountDialogsTest, PasswordChangeIsValidatedInOrder)
{
    struct Case {
        const char *account, *old, *fresh, *confirm;
        const char16_t *message;
    };
    const Case cases[] = {
        {"", "old", "new", "new", u"帐号必须输入"},
        {"  ", "", "", "", u"帐号必须输入"},
        {"me", " ", "new", "new", u"旧密码必须输入"},
        {"me", "old", "   ", "   ", u"两次新密码必须输入且必须保持一致"},
        {"me", "old", "new", "new ", u"两次新密码必须输入且必须保持一致"}, // compared untrimmed
        {"me", "abc", " abc ", " abc ", u"密码修改时新旧密码不能完全一致"},
    };
    TFRMChangePWD dialog(requests);
    for (const Case &c : cases) {
        notifier.messages.clear();
        dialog.edtID->setText(QString::fromLatin1(c.account));
        dialog.edtOld->setText(QString::fromLatin1(c.old));
        dialog.edtNew->setText(QString::fromLatin1(c.fresh));
        dialog.edtNew1->setText(QString::fromLatin1(c.confirm));
        dialog.btnOKClick();
        EXPECT_EQ(Shown(), QStringList{QStringLiteral(u"提示:") + QString::fromUtf16(c.message)}) << c.account << "/" << c.fresh;
        EXPECT_TRUE(dialog.btnOK->isEnabled());
    }
    EXPECT_TRUE(requests.calls.isEmpty());
}

TEST_F(AccountDialogsTest, AnAcceptedChangeClosesTheDialog)
{
    TFRMChangePWD dialog(requests);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"修改密码"));
    EXPECT_EQ(dialog.size(), QSize(305, 204));
    EXPECT_FALSE(dialog.PhoneCodeBtn->isVisibleTo(&dialog));
    for (QLineEdit *edit : {dialog.edtOld, dialog.edtNew, dialog.edtNew1}) {
        EXPECT_EQ(edit->maxLength(), 10);
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*');
    }
    const auto fill = [&] {
        dialog.edtID->setText(QStringLiteral("me"));
        dialog.edtOld->setText(QStringLiteral("old1"));
        dialog.edtNew->setText(QStringLiteral("new1"));
        dialog.edtNew1->setText(QStringLiteral("new1"));
    };
    dialog.show();
    fill();
    requests.answer = false;
    dialog.btnOKClick();
    EXPECT_FALSE(dialog.btnOK->isEnabled()); // the platform told the player; the dialog stays
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_TRUE(dialog.btnOK->isEnabled());
    EXPECT_TRUE(dialog.edtID->text().isEmpty());

    dialog.show();
    fill();
    requests.answer = true;
    dialog.btnOKClick();
    EXPECT_EQ(requests.calls.last(), QStringLiteral("change|me|new1|old1|new1"));
    ASSERT_EQ(notifier.messages.size(), 1);
    EXPECT_EQ(notifier.messages[0].text, QStringLiteral(u"密码修改成功"));
    EXPECT_EQ(notifier.messages[0].icon, NoticeIcon::Information);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.btnOK->isEnabled());
    EXPECT_TRUE(dialog.edtNew->text().isEmpty());
}

TEST_F(AccountDialogsTest, ThePasswordDialogsPhoneCodeCountsDownAMinute)
{
    TFRMChangePWD dialog(requests);
    dialog.edtID->setText(QStringLiteral("me"));
    requests.answer = false;
    dialog.PhoneCodeBtnClick();
    EXPECT_TRUE(dialog.PhoneCodeBtn->isEnabled());
    EXPECT_FALSE(dialog.Timer1.isActive());

    requests.answer = true;
    dialog.PhoneCodeBtnClick();
    EXPECT_EQ(requests.calls.last(), QStringLiteral("code 5 me"));
    EXPECT_FALSE(dialog.PhoneCodeBtn->isEnabled());
    EXPECT_TRUE(dialog.Timer1.isActive());
    dialog.Timer1Timer();
    EXPECT_EQ(dialog.PhoneCodeBtn->text(), QStringLiteral(u"59秒后"));
    for (int tick = 2; tick < 60; ++tick)
        dialog.Timer1Timer();
    EXPECT_EQ(dialog.PhoneCodeBtn->text(), QStringLiteral(u"1秒后"));
    dialog.Timer1Timer();
    EXPECT_EQ(dialog.PhoneCodeBtn->text(), QStringLiteral(u"验证码"));
    EXPECT_TRUE(dialog.PhoneCodeBtn->isEnabled());
    EXPECT_FALSE(dialog.Timer1.isActive());
}

TEST_F(AccountDialogsTest, TheNewAccountDialogShowsOnlyTheClassicPage)
{
    TFrmNewAccount dialog(requests, [] { return 0u; });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"注册新帐号"));
    EXPECT_EQ(dialog.size(), QSize(329, 166));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog.edID->maxLength(), 20);
    EXPECT_EQ(dialog.edPwd->maxLength(), 10);
    EXPECT_EQ(dialog.edPwd1->echoMode(), QLineEdit::Password);
    dialog.RegPage->setCurrentWidget(dialog.TabSheet2);
    dialog.show();
    EXPECT_FALSE(dialog.RegPage->isTabVisible(1));
    EXPECT_EQ(dialog.RegPage->currentWidget(), dialog.TabSheet1);
    for (QLineEdit *hidden : {dialog.edName, dialog.EditNo, dialog.edQ1, dialog.edA1})
        EXPECT_FALSE(hidden->isVisibleTo(&dialog));

    dialog.edID->setText(QStringLiteral("player"));
    dialog.sbOKClick(); // the classic request is not sent
    EXPECT_TRUE(requests.calls.isEmpty());
    EXPECT_TRUE(notifier.messages.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    dialog.BtnCancelClick();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.edID->text().isEmpty());
}

TEST_F(AccountDialogsTest, ThePhonePageChecksItsFieldsBeforeRegistering)
{
    TFrmNewAccount dialog(requests, [] { return 0u; });
    dialog.RegPage->setCurrentWidget(dialog.TabSheet2);
    dialog.sbOKClick();
    dialog.PhoneEdID->setText(QStringLiteral(" 13800000000 "));
    dialog.sbOKClick();
    EXPECT_EQ(Shown(), (QStringList{QStringLiteral(u"提示信息:手机号必须输入！"), QStringLiteral(u"提示信息:验证码必须输入！")}));
    dialog.PhoneEditCode->setText(QStringLiteral("123456"));
    dialog.Edit1->setText(QStringLiteral(u"张三"));
    dialog.Edit2->setText(QStringLiteral("110"));
    dialog.EditPasswd->setText(QStringLiteral(" pw "));
    requests.answer = false;
    dialog.sbOKClick();
    EXPECT_EQ(requests.calls.last(), QStringLiteral(u"register|13800000000|123456|110|张三|pw|13800000000"));
}

TEST_F(AccountDialogsTest, TheRegistrationCodeCountsDownToTheTickCount)
{
    quint32 now = 1000;
    TFrmNewAccount dialog(requests, [&] { return now; });
    dialog.PhoneEdID->setText(QStringLiteral("13800000000"));
    dialog.SendRegPhoneBtnClick();
    EXPECT_EQ(requests.calls.last(), QStringLiteral("code 1 13800000000"));
    EXPECT_EQ(dialog.SendRegPhoneBtn->text(), QStringLiteral("60"));
    EXPECT_FALSE(dialog.SendRegPhoneBtn->isEnabled());
    EXPECT_TRUE(dialog.Timer1.isActive());
    now += 1000;
    dialog.Timer1Timer();
    EXPECT_EQ(dialog.SendRegPhoneBtn->text(), QStringLiteral(u"59秒后"));
    now += 58500;
    dialog.Timer1Timer();
    EXPECT_EQ(dialog.SendRegPhoneBtn->text(), QStringLiteral(u"0秒后"));
    now += 500;
    dialog.Timer1Timer();
    EXPECT_EQ(dialog.SendRegPhoneBtn->text(), QStringLiteral(u"发送"));
    EXPECT_TRUE(dialog.SendRegPhoneBtn->isEnabled());
    EXPECT_FALSE(dialog.Timer1.isActive());
}

TEST_F(AccountDialogsTest, PhoneEditsTakeDigitsAndBackspaceOnly)
{
    TFrmNewAccount dialog(requests, [] { return 0u; });
    for (QLineEdit *edit : {dialog.PhoneEdID, dialog.PhoneEditCode}) {
        Type(*edit, Qt::Key_1, QStringLiteral("1"));
        Type(*edit, Qt::Key_A, QStringLiteral("a"));
        Type(*edit, Qt::Key_Space, QStringLiteral(" "));
        Type(*edit, Qt::Key_2, QStringLiteral("2"));
        EXPECT_EQ(edit->text(), QStringLiteral("12"));
        Type(*edit, Qt::Key_Backspace, QStringLiteral("\b"));
        EXPECT_EQ(edit->text(), QStringLiteral("1"));
    }
    EXPECT_EQ(dialog.PhoneEditCode->maxLength(), 6);
}

TEST_F(AccountDialogsTest, TheControllerOpensTheDialogsAndTheGateAnswersReachThem)
{
    testing::ScopedLocalState state;
    TuClientApp app{TLauncherConfiguration{}};
    auto &dialogs = static_cast<TClassicAccountDialogs &>(*app.AccountDialogs());

    app.ShowChangePwd();
    EXPECT_TRUE(dialogs.FRMChangePWD.isVisible());
    EXPECT_EQ(dialogs.FRMChangePWD.windowModality(), Qt::ApplicationModal);
    dialogs.FRMChangePWD.btnOK->setEnabled(false);
    dialogs.EnableConfirm(TAccountDialog::ChangePwd);
    EXPECT_TRUE(dialogs.FRMChangePWD.btnOK->isEnabled());
    dialogs.CloseDialog(TAccountDialog::ChangePwd);
    EXPECT_FALSE(dialogs.FRMChangePWD.isVisible());

    app.ShowGetBackPwd();
    dialogs.frmGetBackPwd.btnOK->setEnabled(false);
    dialogs.EnableConfirm(TAccountDialog::GetBackPwd);
    EXPECT_TRUE(dialogs.frmGetBackPwd.btnOK->isEnabled());
    dialogs.CloseDialog(TAccountDialog::GetBackPwd);
    EXPECT_FALSE(dialogs.frmGetBackPwd.isVisible());

    app.ShowNewAccount();
    EXPECT_TRUE(dialogs.FrmNewAccount.isVisible());
    EXPECT_EQ(dialogs.FrmNewAccount.FServerInfo, &app.ServerInfo());
    dialogs.CloseDialog(TAccountDialog::NewAccount);
    EXPECT_FALSE(dialogs.FrmNewAccount.isVisible());

    // Without the account platform the password change reports that it is not available.
    EXPECT_FALSE(app.ChangePasswdParam(QStringLiteral("me"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a")));
    EXPECT_FALSE(app.PhoneCodeParam(5, QStringLiteral("me")));
}

} // namespace
} // namespace zelto
