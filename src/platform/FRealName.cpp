#include "platform/FRealName.h"

#include "app/Notifier.h"
#include "platform/PhoneServices.h"
#include "platform/PlatformSession.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelto {
namespace {

constexpr int kClientWidth = 288;
constexpr int kClientHeight = 160;

} // namespace

const QString TFrmRealName::kNotice =
    QStringLiteral("按文化部《网络游戏管理暂行办法》要求，网络游戏用户需进行实名认证，请先进行实名认证再进入游戏。");

TFrmRealName::TFrmRealName(TPhoneServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint)
    , FServices(services)
    , FName(new QLineEdit)
    , FCard(new QLineEdit)
    , FConfirm(new QPushButton(QStringLiteral("确认")))
{
    setObjectName(QStringLiteral("FrmRealName"));
    setWindowTitle(QStringLiteral("实名认证"));
    setFixedSize(kClientWidth, kClientHeight);

    auto *panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto *panelLayout = new QVBoxLayout(panel);
    auto *notice = new QLabel(kNotice);
    notice->setWordWrap(true);
    panelLayout->addWidget(notice);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("真实姓名:"), FName);
    fields->addRow(QStringLiteral("身份证号:"), FCard);
    panelLayout->addLayout(fields);

    auto *cancel = new QPushButton(QStringLiteral("取消"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(FConfirm);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);

    connect(FConfirm, &QPushButton::clicked, this, &TFrmRealName::ConfirmClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmRealName::~TFrmRealName()
{
    TPlatformSession &session = PlatformSession();
    session.user_id.clear();
    session.small_id.clear();
}

void TFrmRealName::ConfirmClick()
{
    if (!FServices.RealNameParam(FName->text(), FCard->text()))
        return;
    accept();
    Notifier().ShowMessage(QStringLiteral("已完成认证！请重新登录进入游戏"), QStringLiteral("实名认证成功"),
        NoticeIcon::Information);
}

void TFrmRealName::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    raise();
}

} // namespace zelto
