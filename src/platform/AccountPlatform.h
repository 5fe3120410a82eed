#pragma once

#include "app/Subsystems.h"
#include "platform/FPhoneRegAccount.h"
#include "platform/Login.h"
#include "platform/PhoneServices.h"
#include "platform/PlatformRequest.h"
#include "platform/SecLogin.h"
#include "platform/ThirdPartyLogin.h"

#include <QPointer>

// The account platform client as the controller sees it: the flows over one request client,
// with the machine's identity taken once when it is created.
namespace zelto {

class TAccountPlatform final : public IAccountPlatform {
public:
    explicit TAccountPlatform(TuClientApp &app);
    ~TAccountPlatform() override;

    bool LoginBeforeStart() override { return FLogin.LoginBeforeStart(); }
    void ShowPhoneReg() override;
    void PhoneLbMouseDown() override;
    bool PhoneCodeParam(int kind, const QString &phoneNumber) override;
    bool ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
        const QString &sPasswd2) override;
    bool PhoneRegAccountParam(const QString &phoneNumber, const QString &code, const QString &idNumber,
        const QString &realName, const QString &password, const QString &userName) override;
    void LoginQueryQQandWXUrl(int kind) override { FThirdParty.LoginQueryQQandWXUrl(kind); }
    void LoginQueryQQandWXQuery() override { FThirdParty.LoginQueryQQandWXQuery(); }
    bool QQLoginOffered() const override;
    bool WeChatLoginOffered() const override;

    TPlatformClient &Client() { return FClient; }
    TPhoneServices &PhoneServices() { return FServices; }
    // The phone registration dialog, once it has been shown.
    TFrmPhoneRegAccount *PhoneReg() const { return FPhoneReg; }

private:
    TuClientApp &FApp;
    TPlatformClient FClient;
    TSecLoginFlow FSecLogin;
    TLoginFlow FLogin;
    TPhoneServices FServices;
    TThirdPartyLoginFlow FThirdParty;
    QPointer<TFrmPhoneRegAccount> FPhoneReg;
};

} // namespace zelto
