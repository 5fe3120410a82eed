#pragma once

#include <QString>

// The platform's services besides login: a verification code by text message, the password
// change with such a code, the real-name binding, and the phone registration.
namespace zelto {

class TPlatformClient;
class TuClientApp;

// Phone-code kinds, sent as "type" and "code_type".
inline constexpr int kPhoneCodeLogin = 5;        // phone-code login and password change
inline constexpr int kPhoneCodeRegistration = 1; // phone registration

class TPhoneServices {
public:
    TPhoneServices(TPlatformClient &client, TuClientApp &app) : FClient(client), FApp(app) {}

    // Keeps the code's session id and token for the next login; a login code also starts
    // the main window's one-minute countdown on its phone-code button.
    bool PhoneCodeParam(int nType, const QString &PhoneNumber);
    // sPasswd1 the new password, sCode the phone code, sPasswd2 the new password repeated.
    bool ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode, const QString &sPasswd2);
    // Binds a real name and identity-card number to the logged-in account.
    bool RealNameParam(const QString &CardName, const QString &CardId);
    // No platform request registers an account by phone: the player is told, nothing is sent.
    bool PhoneRegAccountParam(const QString &sId, const QString &sCode, const QString &id_card, const QString &truename,
        const QString &sPasswd2, const QString &sUserName);

private:
    TPlatformClient &FClient;
    TuClientApp &FApp;
};

} // namespace zelto
