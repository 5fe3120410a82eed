#pragma once

#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

#include <map>
#include <optional>

// The "platform" section of a scenario, read and checked: the accounts with their
// sub-accounts, how phone codes and third-party logins answer, and the identifiers the
// requests must carry. Throws TScenarioError, naming the member, for any mistake.
namespace zelto::opsim {

// How a sub-account login answers (the forms a platform may use).
enum class TSecAnswer { Ext, UserId, GameToken, EmptySmallId, Neither };

struct TSubAccount {
    QString id; // "small_id", else "userid"
    TSecAnswer answer = TSecAnswer::Ext;
    QString gameToken;
};

struct TAccount {
    QString username;
    QString password;
    QString phone;
    int isReal = 1;
    QString userId;
    QString originalUserId;
    QString token;
    QString userToken;
    QString loginCredential;
    bool hasExt = true;
    QJsonObject ext; // "small_list" included, as the login answer carries it
    QList<TSubAccount> subAccounts;
};

struct TThirdLoginKind {
    QString account;
    int pendingPolls = 0;
    std::optional<QString> queryKey; // as answered, when the scenario fixes it
    std::optional<QString> url;
};

struct TPlatformScenario {
    QList<QPair<QString, QString>> identity;
    QList<TAccount> accounts;
    QString fixedCode; // empty: random codes
    bool answerCodeType = true;
    bool answerToken = true;
    std::map<QString, TThirdLoginKind> thirdLogin; // by "qq" / "weixin"
    QJsonObject faults;                            // by endpoint name, read by the service

    static TPlatformScenario Read(const QJsonObject &section);

    // By user name, or by phone number.
    const TAccount *FindAccount(const QString &name) const;
    TAccount *FindAccount(const QString &name);
};

} // namespace zelto::opsim
