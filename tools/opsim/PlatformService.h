#pragma once

#include "Service.h"

#include <QList>
#include <QString>

// The operator's account platform: the seven signed form requests of the launcher (login,
// sub-account login, phone codes, password change, real-name binding, QQ / WeChat login
// address and result) and the page a QQ / WeChat login address opens. Scenario section
// "platform" (tools/opsim/README.md).
namespace zelto::opsim {

struct TRealNameBinding {
    QString userid;
    QString smallId;
    QString truename;
    QString idCard;
};

class TPlatformService : public IService {
public:
    // The last code "sent" to a phone number; empty when none was.
    virtual QString LastPhoneCode(const QString &phone) const = 0;
    // The account's password now (after password changes); empty for an unknown account.
    virtual QString PasswordOf(const QString &username) const = 0;
    virtual QList<TRealNameBinding> RealNameBindings() const = 0;
};

std::unique_ptr<IService> CreatePlatformService(const QJsonObject &section, TServiceContext &context);

} // namespace zelto::opsim
