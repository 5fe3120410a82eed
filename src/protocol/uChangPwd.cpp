#include "protocol/uChangPwd.h"

#include "app/Notifier.h"
#include "protocol/AccountRequests.h"
#include "protocol/DialogParts.h"

#include <QLineEdit>
#include <QPushButton>

namespace zelto {
namespace {

const QString kCaption = QStringLiteral(u"提示");
const QString kPhoneCodeCaption = QStringLiteral(u"验证码");
constexpr TRowLayout kRows{16, 32, 8, 80, 94, 180};

bool Refuse(const QString &message)
{
    Notifier().ShowMessage(message, kCaption, NoticeIcon::None);
    return false;
}

} // namespace

TFRMChangePWD::TFRMChangePWD(IAccountRequests &requests)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_requests(requests)
{
    setWindowTitle(QStringLiteral(u"修改密码"));
    setFixedSize(305, 204);
    edtID = AddEditRow(*this, kRows, 0, {QStringLiteral(u"帐号")});
    edtOld = AddEditRow(*this, kRows, 1, {QStringLiteral(u"旧密码"), 10, true});
    edtNew = AddEditRow(*this, kRows, 2, {QStringLiteral(u"新密码"), 10, true});
    edtNew1 = AddEditRow(*this, kRows, 3, {QStringLiteral(u"确认新密码"), 10, true});
    PhoneCodeBtn = AddButton(*this, kPhoneCodeCaption, QRect(218, kRows.firstTop, 70, 21));
    PhoneCodeBtn->hide();
    btnOK = AddButton(*this, QStringLiteral(u"提交"), QRect(136, 168, 75, 25));
    btnOK->setDefault(true);
    BitBtn2 = AddButton(*this, QStringLiteral(u"取消"), QRect(220, 168, 75, 25));
    Timer1.setInterval(1000);
    connect(btnOK, &QPushButton::clicked, this, &TFRMChangePWD::btnOKClick);
    connect(PhoneCodeBtn, &QPushButton::clicked, this, &TFRMChangePWD::PhoneCodeBtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TFRMChangePWD::BitBtn2Click);
    connect(&Timer1, &QTimer::timeout, this, &TFRMChangePWD::Timer1Timer);
    connect(this, &QDialog::finished, this, &TFRMChangePWD::FormClose);
}

bool TFRMChangePWD::Validate() const
{
    if (edtID->text().trimmed().isEmpty())
        return Refuse(QStringLiteral(u"帐号必须输入"));
    if (edtOld->text().trimmed().isEmpty())
        return Refuse(QStringLiteral(u"旧密码必须输入"));
    if (edtNew->text().trimmed().isEmpty() || edtNew->text() != edtNew1->text())
        return Refuse(QStringLiteral(u"两次新密码必须输入且必须保持一致"));
    if (edtOld->text().trimmed() == edtNew->text().trimmed())
        return Refuse(QStringLiteral(u"密码修改时新旧密码不能完全一致"));
    return true;
}

void TFRMChangePWD::btnOKClick()
{
    if (!Validate())
        return;
    btnOK->setEnabled(false);
    if (!m_requests.ChangePasswdParam(edtID->text(), edtNew->text(), edtOld->text(), edtNew1->text()))
        return; // the platform told the player why; the button stays off until the dialog closes
    btnOK->setEnabled(true);
    Notifier().ShowMessage(QStringLiteral(u"密码修改成功"), kCaption, NoticeIcon::Information);
    Timer1.stop();
    RestorePhoneCodeBtn();
    close();
}

void TFRMChangePWD::PhoneCodeBtnClick()
{
    if (!m_requests.PhoneCodeParam(kPhoneCodeKind, edtID->text()))
        return;
    FTimeCount = kPhoneCountdownSeconds;
    Timer1.start();
    PhoneCodeBtn->setEnabled(false);
}

void TFRMChangePWD::Timer1Timer()
{
    --FTimeCount;
    if (FTimeCount > 0) {
        PhoneCodeBtn->setText(QString::number(FTimeCount) + QStringLiteral(u"秒后"));
        return;
    }
    RestorePhoneCodeBtn();
    Timer1.stop();
}

void TFRMChangePWD::RestorePhoneCodeBtn()
{
    PhoneCodeBtn->setEnabled(true);
    PhoneCodeBtn->setText(kPhoneCodeCaption);
}

void TFRMChangePWD::FormClose()
{
    for (QLineEdit *edit : {edtID, edtOld, edtNew, edtNew1})
        edit->clear();
    btnOK->setEnabled(true);
    BitBtn2->setEnabled(true);
}

} // namespace zelto
