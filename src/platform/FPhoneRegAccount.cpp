#include "platform/FPhoneRegAccount.h"

#include "app/Notifier.h"
#include "os/TickCount.h"
#include "platform/PhoneServices.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zelto {
namespace {

constexpr int kPhoneLength = 20;
constexpr int kCodeLength = 10;
constexpr int kPasswordLength = 32;
constexpr int kShortestPhone = 4;
constexpr int kCountdownTickMs = 1000;
constexpr quint32 kCountdownMs = 60000;

QLineEdit *LimitedEdit(int maxLength)
{
    auto *edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    return edit;
}

bool AllDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

TFrmPhoneRegAccount::TFrmPhoneRegAccount(TPhoneServices &services, QWidget *parent)
    : QDialog(parent)
    , FServices(services)
    , FPhone(LimitedEdit(kPhoneLength))
    , FCode(LimitedEdit(kCodeLength))
    , FPassword(LimitedEdit(kPasswordLength))
    , FSend(new QPushButton(QStringLiteral("发送")))
{
    setObjectName(QStringLiteral("FrmPhoneRegAccount"));
    setWindowTitle(QStringLiteral("手机账号注册"));
    FPassword->setEchoMode(QLineEdit::Password);
    FSend->setToolTip(FSend->text()); // the caption a countdown restores

    auto *group = new QGroupBox(QStringLiteral("注册账号"));
    auto *fields = new QFormLayout(group);
    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(FCode);
    codeRow->addWidget(FSend);
    fields->addRow(QStringLiteral("手机号"), FPhone);
    fields->addRow(QStringLiteral("验证码"), codeRow);
    fields->addRow(QStringLiteral("设置密码"), FPassword);

    auto *cancel = new QPushButton(QStringLiteral("取消"));
    auto *ok = new QPushButton(QStringLiteral("确定"));
    auto *test = new QPushButton(QStringLiteral("测试"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    FTimer.setInterval(kCountdownTickMs);
    connect(&FTimer, &QTimer::timeout, this, &TFrmPhoneRegAccount::TimerTick);
    connect(FSend, &QPushButton::clicked, this, &TFrmPhoneRegAccount::SendClick);
    connect(ok, &QPushButton::clicked, this, &TFrmPhoneRegAccount::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmPhoneRegAccount::SendClick()
{
    if (!FServices.PhoneCodeParam(kPhoneCodeRegistration, FPhone->text()))
        return;
    FTimer.start();
    FSend->setEnabled(false);
    FSend->setText(QStringLiteral("60"));
    FPhoneRegTickCount = os::TickCount() + kCountdownMs;
}

void TFrmPhoneRegAccount::TimerTick()
{
    const quint32 now = os::TickCount();
    FSend->setText(QString::number((FPhoneRegTickCount - now) / 1000) + QStringLiteral("秒后"));
    if (now >= FPhoneRegTickCount) {
        FSend->setEnabled(true);
        FSend->setText(FSend->toolTip());
        FTimer.stop();
    }
}

void TFrmPhoneRegAccount::OkClick()
{
    const QString phone = FPhone->text().trimmed();
    if (phone.isEmpty())
        return Refuse(*FPhone, QStringLiteral("手机号必须输入！"), QStringLiteral("提示信息"), false);
    if (phone.size() < kShortestPhone)
        return Refuse(*FPhone, QStringLiteral("手机号长度必须大于11位！"), QStringLiteral("提示信息"), false);
    if (FCode->text().isEmpty())
        return Refuse(*FCode, QStringLiteral("密码不可为空！"), QStringLiteral("提示信息"), false);
    if (!AllDigits(FPhone->text()))
        return Refuse(*FPhone, QStringLiteral("手机号必须是数字."), QStringLiteral("提示"), true);
    if (FServices.PhoneRegAccountParam(FPhone->text(), FCode->text(), QString(), QString(), FPassword->text(), QString()))
        close();
}

void TFrmPhoneRegAccount::Refuse(QLineEdit &field, const QString &text, const QString &caption, bool errorIcon)
{
    field.setFocus();
    Notifier().ShowMessage(text, caption, errorIcon ? NoticeIcon::Error : NoticeIcon::None);
}

} // namespace zelto
