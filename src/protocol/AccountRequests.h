#pragma once

#include <QString>

// What the classic account dialogs ask of the launcher: phone codes, the password change and
// the phone registration go to the account platform; the recovery request is the gate's.
namespace zelto {

class IAccountRequests {
public:
    virtual ~IAccountRequests() = default;
    // Each answers true on success and reports a failure itself.
    virtual bool PhoneCodeParam(int kind, const QString &phoneNumber) = 0;
    virtual bool ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
        const QString &sPasswd2) = 0;
    virtual bool PhoneRegAccountParam(const QString &phoneNumber, const QString &code, const QString &idNumber,
        const QString &realName, const QString &password, const QString &userName) = 0;
    // The classic recovery request; its answer comes from the gate.
    virtual void SendGetBackPassWord(const QString &account, const QString &newPassword, const QString &birthday,
        const QString &answer2, const QString &question2, const QString &answer1, const QString &question1) = 0;
};

} // namespace zelto
