#include "protocol/uNewAccount.h"

#include "app/Notifier.h"
#include "protocol/AccountRequests.h"
#include "protocol/DialogParts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTabWidget>

namespace zelto {
namespace {

const QString kCaption = QStringLiteral(u"提示信息");
constexpr int kPhonePage = 1;
constexpr TRowLayout kRows{12, 28, 8, 70, 84, 150};

} // namespace

TFrmNewAccount::TFrmNewAccount(IAccountRequests &requests, std::function<quint32()> tickCount)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_requests(requests)
    , m_tickCount(std::move(tickCount))
{
    setWindowTitle(QStringLiteral(u"注册新帐号"));
    setFixedSize(329, 166);
    RegPage = new QTabWidget(this);
    RegPage->setGeometry(4, 4, 321, 124);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    RegPage->addTab(TabSheet1, QStringLiteral(u"普通账号"));
    RegPage->addTab(TabSheet2, QStringLiteral(u"手机账号"));

    edID = AddEditRow(*TabSheet1, kRows, 0, {QStringLiteral(u"帐号:"), 20});
    edPwd = AddEditRow(*TabSheet1, kRows, 1, {QStringLiteral(u"密码:"), 10, true});
    QLabel *note = AddLabel(*TabSheet1, QStringLiteral(u"最大长度10"), QRect(240, kRows.firstTop + kRows.rowSpacing, 70, 21));
    QPalette grey = note->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    note->setPalette(grey);
    edPwd1 = AddEditRow(*TabSheet1, kRows, 2, {QStringLiteral(u"确认密码:"), 10, true});
    edName = AddEditRow(*TabSheet1, kRows, 0, {QStringLiteral(u"姓名:"), 32767, false, false});
    EditNo = AddEditRow(*TabSheet1, kRows, 1, {QStringLiteral(u"身份证号:"), 32767, false, false});
    edQ1 = AddEditRow(*TabSheet1, kRows, 2, {QStringLiteral(u"问题:"), 32767, false, false});
    edA1 = AddEditRow(*TabSheet1, kRows, 2, {QStringLiteral(u"答案:"), 32767, false, false});

    PhoneEdID = AddEditRow(*TabSheet2, kRows, 0, {QStringLiteral(u"手机号:"), 20});
    AcceptDigitsOnly(*PhoneEdID);
    SendRegPhoneBtn = AddButton(*TabSheet2, QStringLiteral(u"发送"), QRect(240, kRows.firstTop, 60, 21));
    PhoneEditCode = AddEditRow(*TabSheet2, kRows, 1, {QStringLiteral(u"验证码:"), 6});
    AcceptDigitsOnly(*PhoneEditCode);
    edtPUserName = AddEditRow(*TabSheet2, kRows, 2, {QStringLiteral(u"账号:"), 18, false, false});
    EditPasswd = AddEditRow(*TabSheet2, kRows, 2, {QStringLiteral(u"密码:"), 18, true, false});
    Edit1 = AddEditRow(*TabSheet2, kRows, 2, {QStringLiteral(u"姓名:"), 32767, false, false});
    Edit2 = AddEditRow(*TabSheet2, kRows, 2, {QStringLiteral(u"身份证号:"), 32767, false, false});

    sbOK = AddButton(*this, QStringLiteral(u"确定"), QRect(160, 134, 75, 25));
    sbOK->setDefault(true);
    BtnCancel = AddButton(*this, QStringLiteral(u"取消"), QRect(244, 134, 75, 25));
    Timer1.setInterval(1000);

    connect(sbOK, &QPushButton::clicked, this, &TFrmNewAccount::sbOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmNewAccount::BtnCancelClick);
    connect(SendRegPhoneBtn, &QPushButton::clicked, this, &TFrmNewAccount::SendRegPhoneBtnClick);
    connect(&Timer1, &QTimer::timeout, this, &TFrmNewAccount::Timer1Timer);
    connect(this, &QDialog::finished, this, &TFrmNewAccount::FormClose);
    FormCreate();
}

void TFrmNewAccount::FormCreate() { SendRegPhoneBtn->setToolTip(SendRegPhoneBtn->text()); }

void TFrmNewAccount::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFrmNewAccount::FormShow()
{
    RegPage->setTabVisible(kPhonePage, false);
    RegPage->setCurrentWidget(TabSheet1);
}

void TFrmNewAccount::FormClose()
{
    for (QLineEdit *edit : {edID, edPwd, edPwd1, edName, edQ1, edA1})
        edit->clear();
    sbOK->setEnabled(true);
    BtnCancel->setEnabled(true);
}

void TFrmNewAccount::Initializa(const TServerInfo *AServerInfo)
{
    FServerInfo = AServerInfo;
    sbOK->setEnabled(true);
    BtnCancel->setEnabled(true);
}

void TFrmNewAccount::sbOKClick()
{
    if (RegPage->currentWidget() != TabSheet2)
        return; // the classic request is not sent by this launcher
    const QString phone = PhoneEdID->text().trimmed();
    if (!RequireText(*PhoneEdID, QStringLiteral(u"手机号必须输入！"), kCaption)
        || !RequireText(*PhoneEditCode, QStringLiteral(u"验证码必须输入！"), kCaption))
        return;
    if (m_requests.PhoneRegAccountParam(phone, PhoneEditCode->text().trimmed(), Edit2->text(), Edit1->text(),
            EditPasswd->text().trimmed(), phone))
        close();
}

void TFrmNewAccount::SendRegPhoneBtnClick()
{
    if (!m_requests.PhoneCodeParam(kPhoneCodeKind, PhoneEdID->text()))
        return;
    Timer1.start();
    SendRegPhoneBtn->setEnabled(false);
    SendRegPhoneBtn->setText(QStringLiteral("60"));
    FPhoneRegTickCount = m_tickCount() + kPhoneCountdownMs;
}

void TFrmNewAccount::Timer1Timer()
{
    const quint32 now = m_tickCount();
    if (qint32(FPhoneRegTickCount - now) <= 0) {
        SendRegPhoneBtn->setEnabled(true);
        SendRegPhoneBtn->setText(SendRegPhoneBtn->toolTip());
        Timer1.stop();
        return;
    }
    SendRegPhoneBtn->setText(QString::number((FPhoneRegTickCount - now) / 1000) + QStringLiteral(u"秒后"));
}

} // namespace zelto
