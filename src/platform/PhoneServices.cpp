#include "platform/PhoneServices.h"

#include "app/Notifier.h"
#include "app/uLogin.h"
#include "catalog/JsonRead.h"
#include "guard/MachineIdentity.h"
#include "guard/uDiskSN.h"
#include "platform/PlatformRequest.h"
#include "platform/PlatformSession.h"

#include <QUrl>

namespace zelto {

bool TPhoneServices::PhoneCodeParam(int nType, const QString &PhoneNumber)
{
    const QString kind = QString::number(nType);
    const QStringList mainLines = FClient.IdentityLines()
        + QStringList{QStringLiteral("game_id=") + FClient.Configuration().sGameId.Text(), QStringLiteral("yx_extend=")};
    const QStringList extLines = QStringList{QStringLiteral("type=") + kind, QStringLiteral("code_type=") + kind,
                                     QStringLiteral("phone=") + PhoneNumber}
        + FClient.DeviceBlock();
    QString dataText;
    if (!FClient.Send(platformpath::kPhoneCode, QStringLiteral("手机验证码"), mainLines, extLines, dataText))
        return false;
    const QJsonObject data = ParseLenientJson(dataText).value_or(QJsonObject());
    TPlatformSession &session = FClient.Session();
    if (nType == kPhoneCodeLogin && data.contains(QStringLiteral("code_type")))
        session.code_type = ReadText(data, QStringLiteral("code_type"));
    session.sessionid = ReadText(data, QStringLiteral("sessionid"));
    session.phone_token = ReadText(data, QStringLiteral("token"));
    if (nType == kPhoneCodeLogin && FApp.PhoneBtn) {
        FApp.PhoneBtn->setEnabled(false);
        FApp.PhoneBtn->setText(QStringLiteral("60"));
        FApp.StartPhoneCountdown();
    }
    return true;
}

bool TPhoneServices::ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
    const QString &sPasswd2)
{
    const QStringList mainLines = FClient.IdentityLines()
        + QStringList{QStringLiteral("username=") + sAccount, QStringLiteral("yx_extend=")};
    const QStringList extLines = QStringList{QStringLiteral("code=") + sCode, QStringLiteral("password=") + sPasswd1,
                                     QStringLiteral("repassword=") + sPasswd2}
        + FClient.DeviceBlock();
    QString data;
    return FClient.Send(platformpath::kEditUser, QStringLiteral("用户修改密码"), mainLines, extLines, data);
}

bool TPhoneServices::RealNameParam(const QString &CardName, const QString &CardId)
{
    const TPlatformSession &session = FClient.Session();
    const TLauncherConfiguration &config = FClient.Configuration();
    const QStringList mainLines = FClient.IdentityLines()
        + QStringList{QStringLiteral("userid=") + session.userid, QStringLiteral("small_id=") + session.small_id,
            QStringLiteral("game_id=") + config.sGameId.Text(),
            QStringLiteral("truename=") + QString::fromLatin1(QUrl::toPercentEncoding(CardName)),
            QStringLiteral("id_card=") + CardId, QStringLiteral("yx_extend=")};
    // The feature word as a signed number, its magnitude in decimal.
    const qint64 equipment = qAbs(qint64(qint32(ProcessorFeatureWord())));
    QStringList extLines{QStringLiteral("device_name=") + GetComputerNameText(),
        QStringLiteral("equipment_num=") + QString::number(equipment), QStringLiteral("token=") + session.token,
        QStringLiteral("sessionid=") + session.sessionid, QStringLiteral("place_id=") + config.sPlaceId.Text(),
        QStringLiteral("promote_id=") + config.sPromoteId.Text(), QStringLiteral("game_name=") + config.sAppName.Text(),
        QStringLiteral("username=") + session.account};
    extLines << FClient.DeviceBlock();
    SortParamLines(extLines);
    QString data;
    return FClient.Send(platformpath::kBindName, QStringLiteral("实名认证"), mainLines, extLines, data);
}

bool TPhoneServices::PhoneRegAccountParam(const QString &, const QString &, const QString &, const QString &,
    const QString &, const QString &)
{
    Notifier().ShowMessage(QStringLiteral("暂不支持手机号注册，请使用账号注册"), QStringLiteral("提示"), NoticeIcon::Information);
    return false;
}

} // namespace zelto
