#include "PlatformScenario.h"

#include "SectionReader.h"

namespace zelto::opsim {
namespace {

const std::map<QString, TSecAnswer> kSecAnswers{
    {QStringLiteral("ext"), TSecAnswer::Ext},
    {QStringLiteral("user_id"), TSecAnswer::UserId},
    {QStringLiteral("game_token"), TSecAnswer::GameToken},
    {QStringLiteral("emptySmallId"), TSecAnswer::EmptySmallId},
    {QStringLiteral("neither"), TSecAnswer::Neither},
};

void ReadIdentity(const TSectionReader &identity, TPlatformScenario &scenario)
{
    identity.AllowOnly({"platform", "cpgameid", "subject", "game_id"});
    for (const QString &key : identity.Json().keys())
        scenario.identity.append({key, identity.Text(key, QString())});
}

// The list as the login answer carries it; what the simulator itself needs is taken out.
QJsonArray ReadSubAccounts(const TSectionReader &entry, QList<TSubAccount> &subAccounts)
{
    QJsonArray sent;
    const QJsonArray list = entry.Array(QStringLiteral("small_list"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const TSectionReader small(list[i].toObject(), entry.Where() + QStringLiteral(".small_list[%1]").arg(i));
        if (!list[i].isObject())
            small.Fail(QStringLiteral("each sub-account is an object"));
        TSubAccount sub;
        sub.id = small.Text(QStringLiteral("small_id"), QString());
        if (sub.id.isEmpty())
            sub.id = small.Text(QStringLiteral("userid"), QString());
        const QString answer = small.Text(QStringLiteral("secLogin"), QStringLiteral("ext"));
        if (!kSecAnswers.contains(answer))
            small.Fail(QStringLiteral("\"secLogin\" is one of ext, user_id, game_token, emptySmallId, neither"));
        sub.answer = kSecAnswers.at(answer);
        sub.gameToken = small.Text(QStringLiteral("gameToken"), QStringLiteral("gt-") + sub.id);
        subAccounts.append(sub);
        QJsonObject element = list[i].toObject();
        element.remove(QStringLiteral("secLogin"));
        element.remove(QStringLiteral("gameToken"));
        sent.append(element);
    }
    return sent;
}

TAccount ReadAccount(const QJsonValue &value, int index)
{
    const TSectionReader entry(value.toObject(), QStringLiteral("platform.accounts[%1]").arg(index));
    if (!value.isObject())
        entry.Fail(QStringLiteral("each account is an object"));
    entry.AllowOnly({"username", "password", "phone", "is_real", "user_id", "original_user_id", "token",
        "user_token", "login_credential", "ext", "small_list"});
    TAccount account;
    account.username = entry.Text(QStringLiteral("username"), QString());
    if (account.username.isEmpty())
        entry.Fail(QStringLiteral("\"username\" must be given"));
    account.password = entry.Text(QStringLiteral("password"), QString());
    account.phone = entry.Text(QStringLiteral("phone"), QString());
    account.isReal = entry.Integer(QStringLiteral("is_real"), 1, 0);
    account.userId = entry.Text(QStringLiteral("user_id"), QString::number(10001 + index));
    account.originalUserId = entry.Text(QStringLiteral("original_user_id"), account.userId);
    account.token = entry.Text(QStringLiteral("token"), QStringLiteral("tk-") + account.userId);
    account.userToken = entry.Text(QStringLiteral("user_token"), QString());
    account.loginCredential = entry.Text(QStringLiteral("login_credential"), QString());
    account.hasExt = !entry.Json().value(QStringLiteral("ext")).isNull();
    account.ext = account.hasExt ? entry.Object(QStringLiteral("ext")) : QJsonObject();
    if (entry.Has(QStringLiteral("small_list"))) {
        if (!account.hasExt)
            entry.Fail(QStringLiteral("\"small_list\" travels inside \"ext\", which is null"));
        account.ext.insert(QStringLiteral("small_list"), ReadSubAccounts(entry, account.subAccounts));
    }
    return account;
}

void ReadPhoneCode(const TSectionReader &phoneCode, TPlatformScenario &scenario)
{
    phoneCode.AllowOnly({"code", "answerCodeType", "answerToken"});
    scenario.fixedCode = phoneCode.Text(QStringLiteral("code"), QString());
    scenario.answerCodeType = phoneCode.Flag(QStringLiteral("answerCodeType"), true);
    scenario.answerToken = phoneCode.Flag(QStringLiteral("answerToken"), true);
}

void ReadThirdLogin(const TSectionReader &thirdLogin, TPlatformScenario &scenario)
{
    thirdLogin.AllowOnly({"qq", "weixin"});
    for (const QString &type : thirdLogin.Json().keys()) {
        const TSectionReader kind(thirdLogin.Object(type), thirdLogin.Where() + u'.' + type);
        kind.AllowOnly({"account", "pendingPolls", "queryKey", "url"});
        TThirdLoginKind login;
        login.account = kind.Text(QStringLiteral("account"), QString());
        if (!scenario.FindAccount(login.account))
            kind.Fail(QStringLiteral("\"account\" must name one of the accounts"));
        login.pendingPolls = kind.Integer(QStringLiteral("pendingPolls"), 0, 0);
        if (kind.Has(QStringLiteral("queryKey")))
            login.queryKey = kind.Text(QStringLiteral("queryKey"), QString());
        if (kind.Has(QStringLiteral("url")))
            login.url = kind.Text(QStringLiteral("url"), QString());
        scenario.thirdLogin[type] = login;
    }
}

} // namespace

TPlatformScenario TPlatformScenario::Read(const QJsonObject &section)
{
    const TSectionReader reader(section, QStringLiteral("platform"));
    reader.AllowOnly({"identity", "accounts", "phoneCode", "thirdLogin", "faults"});
    TPlatformScenario scenario;
    ReadIdentity(TSectionReader(reader.Object(QStringLiteral("identity")), QStringLiteral("platform.identity")), scenario);
    const QJsonArray accounts = reader.Array(QStringLiteral("accounts"));
    for (qsizetype i = 0; i < accounts.size(); ++i)
        scenario.accounts.append(ReadAccount(accounts[i], int(i)));
    ReadPhoneCode(TSectionReader(reader.Object(QStringLiteral("phoneCode")), QStringLiteral("platform.phoneCode")), scenario);
    ReadThirdLogin(TSectionReader(reader.Object(QStringLiteral("thirdLogin")), QStringLiteral("platform.thirdLogin")), scenario);
    scenario.faults = reader.Object(QStringLiteral("faults"));
    return scenario;
}

const TAccount *TPlatformScenario::FindAccount(const QString &name) const
{
    for (const TAccount &account : accounts)
        if (account.username == name || (!account.phone.isEmpty() && account.phone == name))
            return &account;
    return nullptr;
}

TAccount *TPlatformScenario::FindAccount(const QString &name)
{
    return const_cast<TAccount *>(std::as_const(*this).FindAccount(name));
}

} // namespace zelto::opsim
