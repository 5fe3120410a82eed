#include "platform/AccountPlatform.h"

#include "app/uLogin.h"
#include "deploy/Deployment.h"
#include "guard/MachineIdentity.h"
#include "ui/uMainFrm.h"

namespace zelto {

TAccountPlatform::TAccountPlatform(TuClientApp &app)
    : FApp(app)
    , FClient(TPlatformContext{app.Configuration(), GetOSName(), GetDeviceId()})
    , FSecLogin(FClient)
    , FLogin(FClient, FSecLogin, app)
    , FServices(FClient, app)
    , FThirdParty(FClient, FServices, app)
{
}

TAccountPlatform::~TAccountPlatform() { delete FPhoneReg; }

void TAccountPlatform::ShowPhoneReg()
{
    if (!FPhoneReg)
        FPhoneReg = new TFrmPhoneRegAccount(FServices, FApp.FMainForm);
    FApp.CentreOverMainForm(*FPhoneReg);
    FPhoneReg->show();
    FPhoneReg->raise();
}

void TAccountPlatform::PhoneLbMouseDown()
{
    FServices.PhoneCodeParam(kPhoneCodeLogin, FApp.EditID ? FApp.EditID->text() : QString());
}

bool TAccountPlatform::PhoneCodeParam(int kind, const QString &phoneNumber)
{
    return FServices.PhoneCodeParam(kind, phoneNumber);
}

bool TAccountPlatform::ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
    const QString &sPasswd2)
{
    return FServices.ChangePasswdParam(sAccount, sPasswd1, sCode, sPasswd2);
}

bool TAccountPlatform::PhoneRegAccountParam(const QString &phoneNumber, const QString &code, const QString &idNumber,
    const QString &realName, const QString &password, const QString &userName)
{
    return FServices.PhoneRegAccountParam(phoneNumber, code, idNumber, realName, password, userName);
}

bool TAccountPlatform::QQLoginOffered() const { return deploy::QQLoginOffered(); }
bool TAccountPlatform::WeChatLoginOffered() const { return deploy::WeChatLoginOffered(); }

} // namespace zelto
