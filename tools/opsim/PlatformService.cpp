#include "PlatformService.h"

#include "PlatformCall.h"
#include "PlatformScenario.h"
#include "SectionReader.h"

#include "deploy/Deployment.h"
#include "platform/PlatformRequest.h"

#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <map>

namespace zelto::opsim {
namespace {

const QString kAuthorizePath = QStringLiteral("/third/authorize");

struct TPhoneCode {
    QString code;
    QString kind;
    QString token;
};

struct TThirdLogin {
    QString account;
    int pendingPolls = 0;
    bool authorized = false;
};

TReply Refused(const QString &msg, const QString &note = QString())
{
    TReply reply = TReply::Json({{QStringLiteral("code"), 1}, {QStringLiteral("msg"), msg}});
    reply.Note = note.isEmpty() ? msg : note;
    return reply;
}

TReply Succeeded(const QString &msg, const QJsonObject &data)
{
    return TReply::Json({{QStringLiteral("code"), 0}, {QStringLiteral("msg"), msg}, {QStringLiteral("data"), data}});
}

bool IsPhoneNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{5,20}$"));
    return digits.match(text).hasMatch();
}

bool IsIdentityCardNumber(const QString &text)
{
    static const QRegularExpression card(QStringLiteral("^[0-9]{17}[0-9Xx]$"));
    return card.match(text).hasMatch();
}

class TPlatform final : public TPlatformService {
public:
    TPlatform(const QJsonObject &section, TServiceContext &context)
        : FContext(context)
        , FScenario(TPlatformScenario::Read(section))
    {
        AddEndpoints(TSectionReader(FScenario.faults, QStringLiteral("platform.faults")));
    }

    QString LastPhoneCode(const QString &phone) const override
    {
        QMutexLocker lock(&FMutex);
        const auto sent = FPhoneCodes.find(phone);
        return sent == FPhoneCodes.end() ? QString() : sent->second.code;
    }

    QString PasswordOf(const QString &username) const override
    {
        QMutexLocker lock(&FMutex);
        const TAccount *account = FScenario.FindAccount(username);
        return account ? account->password : QString();
    }

    QList<TRealNameBinding> RealNameBindings() const override
    {
        QMutexLocker lock(&FMutex);
        return FBindings;
    }

private:
    using TAnswer = TReply (TPlatform::*)(const TPlatformCall &call);

    void AddEndpoints(const TSectionReader &faults)
    {
        struct TSignedEndpoint {
            const char *name;
            const QString &path;
            TAnswer answer;
            QStringList mainNeeds;
            QStringList extNeeds;
        };
        const TSignedEndpoint endpoints[] = {
            {"login", platformpath::kLogin, &TPlatform::AnswerLogin, {"username", "password", "code_type"}, {"event"}},
            {"sec_login", platformpath::kSecLogin, &TPlatform::AnswerSecLogin, {"small_id"}, {"token", "userid", "xaiohao"}},
            {"phone_code", platformpath::kPhoneCode, &TPlatform::AnswerPhoneCode, {}, {"type", "code_type", "phone"}},
            {"edit_user", platformpath::kEditUser, &TPlatform::AnswerEditUser, {"username"}, {"code", "password", "repassword"}},
            {"bind_name", platformpath::kBindName, &TPlatform::AnswerBindName, {"userid", "small_id", "truename", "id_card"},
                {"token", "device_name", "equipment_num"}},
            {"third_login_url", platformpath::kThirdLoginUrl, &TPlatform::AnswerThirdLoginUrl, {}, {}},
            {"third_login_result", platformpath::kThirdLoginResult, &TPlatform::AnswerThirdLoginResult, {"query_key"}, {}},
        };
        QStringList names{QStringLiteral("third_authorize")};
        for (const TSignedEndpoint &endpoint : endpoints) {
            const QString name = QString::fromLatin1(endpoint.name);
            names << name;
            const QStringList main = endpoint.mainNeeds + QStringList{"platform", "cpgameid", "subject"};
            FContext.AddEndpoint({name, "POST", endpoint.path,
                [this, answer = endpoint.answer, main, ext = endpoint.extNeeds](const TRecordedRequest &request) {
                    return Serve(request, answer, main, ext);
                },
                FaultOf(faults, name)});
        }
        FContext.AddEndpoint({QStringLiteral("third_authorize"), "GET", kAuthorizePath,
            [this](const TRecordedRequest &request) { return AnswerAuthorize(request); },
            FaultOf(faults, QStringLiteral("third_authorize"))});
        faults.AllowOnly(names);
    }

    static TFault FaultOf(const TSectionReader &faults, const QString &endpoint)
    {
        return faults.Has(endpoint) ? TFault::FromJson(faults.Json().value(endpoint), faults.Where() + u'.' + endpoint)
                                    : TFault{};
    }

    TReply Serve(const TRecordedRequest &request, TAnswer answer, const QStringList &mainNeeds, const QStringList &extNeeds)
    {
        QString msg;
        QString note;
        const std::optional<TPlatformCall> call =
            TPlatformCall::Read(request.Body, deploy::PlatformSecret(), mainNeeds, extNeeds, msg, note);
        if (!call)
            return Refused(msg, note);
        for (const auto &[name, expected] : FScenario.identity) {
            const std::optional<QString> sent = call->Value(name);
            if (sent && *sent != expected)
                return Refused(QStringLiteral("参数错误"),
                    QStringLiteral("\"%1\" is \"%2\", the scenario expects \"%3\"").arg(name, *sent, expected));
        }
        QMutexLocker lock(&FMutex);
        return (this->*answer)(*call);
    }

    const TAccount *AccountOfToken(const QString &token) const
    {
        for (const TAccount &account : FScenario.accounts)
            if (!token.isEmpty() && account.token == token)
                return &account;
        return nullptr;
    }

    static QJsonObject LoginData(const TAccount &account)
    {
        QJsonObject data{
            {QStringLiteral("is_real"), account.isReal},
            {QStringLiteral("user_id"), account.userId},
            {QStringLiteral("original_user_id"), account.originalUserId},
            {QStringLiteral("token"), account.token},
            {QStringLiteral("user_token"), account.userToken},
            {QStringLiteral("login_credential"), account.loginCredential},
        };
        if (account.hasExt)
            data.insert(QStringLiteral("ext"), account.ext);
        return data;
    }

    // The kind-5 code last sent to one of the account's numbers.
    const TPhoneCode *LoginCodeOf(const TAccount &account, const QString &name) const
    {
        for (const QString &phone : {name, account.phone, account.username}) {
            const auto sent = FPhoneCodes.find(phone);
            if (!phone.isEmpty() && sent != FPhoneCodes.end() && sent->second.kind == QLatin1String("5"))
                return &sent->second;
        }
        return nullptr;
    }

    TReply AnswerLogin(const TPlatformCall &call)
    {
        const QString username = call.Main(QStringLiteral("username"));
        const TAccount *account = FScenario.FindAccount(username);
        if (!account)
            return Refused(QStringLiteral("账号不存在"));
        const QString event = call.Ext(QStringLiteral("event"));
        if (event == QLatin1String("password")) {
            if (account->password.isEmpty() || call.Main(QStringLiteral("password")) != account->password)
                return Refused(QStringLiteral("密码错误"));
        } else if (event == QLatin1String("phone")) {
            const TPhoneCode *code = LoginCodeOf(*account, username);
            if (!code || call.Main(QStringLiteral("password")) != code->code)
                return Refused(QStringLiteral("验证码错误"));
            if (FScenario.answerToken && call.Ext(QStringLiteral("token")) != code->token)
                return Refused(QStringLiteral("验证码令牌错误"));
        } else {
            return Refused(QStringLiteral("参数错误"), QStringLiteral("ext \"event\" must be password or phone"));
        }
        return Succeeded(QStringLiteral("登录成功"), LoginData(*account));
    }

    TReply AnswerSecLogin(const TPlatformCall &call)
    {
        const TAccount *account = AccountOfToken(call.Ext(QStringLiteral("token")));
        if (!account)
            return Refused(QStringLiteral("令牌无效"), QStringLiteral("ext \"token\" is no account's login token"));
        if (call.Ext(QStringLiteral("userid")) != account->userId)
            return Refused(QStringLiteral("用户编号错误"), QStringLiteral("ext \"userid\" is not %1").arg(account->userId));
        const QString smallId = call.Main(QStringLiteral("small_id"));
        if (call.Ext(QStringLiteral("xaiohao")) != smallId)
            return Refused(QStringLiteral("参数错误"), QStringLiteral("ext \"xaiohao\" differs from \"small_id\""));
        const auto sub = std::find_if(account->subAccounts.begin(), account->subAccounts.end(),
            [&](const TSubAccount &candidate) { return !smallId.isEmpty() && candidate.id == smallId; });
        if (sub == account->subAccounts.end())
            return Refused(QStringLiteral("小号不存在"));
        FIssuedTokens.insert(sub->gameToken);
        const QString token = QStringLiteral("token");
        switch (sub->answer) {
        case TSecAnswer::Ext:
            return Succeeded(QStringLiteral("登录成功"), {{"ext", QJsonObject{{"small_id", sub->id}}}, {token, sub->gameToken}});
        case TSecAnswer::EmptySmallId:
            return Succeeded(QStringLiteral("登录成功"), {{"ext", QJsonObject{{"small_id", ""}}}, {token, sub->gameToken}});
        case TSecAnswer::UserId:
            return Succeeded(QStringLiteral("登录成功"), {{"user_id", sub->id}, {token, sub->gameToken}});
        case TSecAnswer::GameToken:
            return Succeeded(QStringLiteral("登录成功"), {{"user_id", sub->id}, {"game_token", sub->gameToken}});
        case TSecAnswer::Neither:
            break;
        }
        return Succeeded(QStringLiteral("登录成功"), {{token, sub->gameToken}});
    }

    TReply AnswerPhoneCode(const TPlatformCall &call)
    {
        const QString phone = call.Ext(QStringLiteral("phone"));
        const QString kind = call.Ext(QStringLiteral("type"));
        // An account name stands for the account's phone (the password change asks so).
        if (!IsPhoneNumber(phone) && !FScenario.FindAccount(phone))
            return Refused(QStringLiteral("手机号格式错误"));
        if (kind != QLatin1String("1") && kind != QLatin1String("5"))
            return Refused(QStringLiteral("验证码类型错误"));
        ++FSent;
        TPhoneCode sent;
        sent.code = FScenario.fixedCode.isEmpty() ? QString::number(QRandomGenerator::global()->bounded(100000, 1000000)) : FScenario.fixedCode;
        sent.kind = kind;
        sent.token = QStringLiteral("ptk-%1").arg(FSent);
        FPhoneCodes[phone] = sent;
        QJsonObject data{{QStringLiteral("sessionid"), QStringLiteral("sess-%1").arg(FSent)}};
        if (FScenario.answerCodeType)
            data.insert(QStringLiteral("code_type"), call.Ext(QStringLiteral("code_type")));
        if (FScenario.answerToken)
            data.insert(QStringLiteral("token"), sent.token);
        TReply reply = Succeeded(QStringLiteral("发送成功"), data);
        reply.Note = QStringLiteral("code %1 sent to %2 (kind %3)").arg(sent.code, phone, kind);
        return reply;
    }

    TReply AnswerEditUser(const TPlatformCall &call)
    {
        const QString username = call.Main(QStringLiteral("username"));
        TAccount *account = FScenario.FindAccount(username);
        if (!account)
            return Refused(QStringLiteral("账号不存在"));
        const TPhoneCode *code = LoginCodeOf(*account, username);
        if (!code || call.Ext(QStringLiteral("code")) != code->code)
            return Refused(QStringLiteral("验证码错误"));
        const QString password = call.Ext(QStringLiteral("password"));
        if (password.isEmpty() || password != call.Ext(QStringLiteral("repassword")))
            return Refused(QStringLiteral("两次输入的密码不一致"));
        account->password = password;
        return Succeeded(QStringLiteral("修改成功"), {});
    }

    TReply AnswerBindName(const TPlatformCall &call)
    {
        const QString token = call.Ext(QStringLiteral("token"));
        if (!AccountOfToken(token) && !FIssuedTokens.contains(token))
            return Refused(QStringLiteral("令牌无效"));
        TRealNameBinding binding;
        binding.userid = call.Main(QStringLiteral("userid"));
        binding.smallId = call.Main(QStringLiteral("small_id"));
        // The launcher percent-encodes the name itself, inside the form's own encoding.
        binding.truename = QString::fromUtf8(QByteArray::fromPercentEncoding(call.Main(QStringLiteral("truename")).toLatin1()));
        binding.idCard = call.Main(QStringLiteral("id_card"));
        if (binding.truename.trimmed().isEmpty())
            return Refused(QStringLiteral("姓名不能为空"));
        if (!IsIdentityCardNumber(binding.idCard))
            return Refused(QStringLiteral("身份证号码格式错误"));
        FBindings.append(binding);
        return Succeeded(QStringLiteral("认证成功"), {});
    }

    TReply AnswerThirdLoginUrl(const TPlatformCall &call)
    {
        const QString type = call.Main(QStringLiteral("third_login_type"));
        const auto kind = FScenario.thirdLogin.find(type);
        if (kind == FScenario.thirdLogin.end())
            return Refused(QStringLiteral("不支持的登录方式"), QStringLiteral("no third-party login \"%1\" in the scenario").arg(type));
        ++FSent;
        const QString queryKey = kind->second.queryKey.value_or(QStringLiteral("qk-%1").arg(FSent));
        FThirdLogins[queryKey] = {kind->second.account, kind->second.pendingPolls, false};
        const QString url = kind->second.url.value_or(
            FContext.BaseUrl() + kAuthorizePath + QStringLiteral("?query_key=") + QString::fromLatin1(QUrl::toPercentEncoding(queryKey)));
        return Succeeded(QStringLiteral("获取成功"),
            {{QStringLiteral("query_key"), queryKey}, {QStringLiteral("third_login_url"), FContext.Expand(url)}});
    }

    TReply AnswerThirdLoginResult(const TPlatformCall &call)
    {
        const auto login = FThirdLogins.find(call.Main(QStringLiteral("query_key")));
        if (login == FThirdLogins.end())
            return Refused(QStringLiteral("query_key 无效"));
        if (!login->second.authorized && login->second.pendingPolls > 0) {
            --login->second.pendingPolls;
            return Refused(QStringLiteral("等待授权"));
        }
        return Succeeded(QStringLiteral("登录成功"), LoginData(*FScenario.FindAccount(login->second.account)));
    }

    TReply AnswerAuthorize(const TRecordedRequest &request)
    {
        QMutexLocker lock(&FMutex);
        const auto login = FThirdLogins.find(request.Param(QStringLiteral("query_key")));
        TReply reply;
        reply.ContentType = "text/html; charset=utf-8";
        if (login == FThirdLogins.end()) {
            reply.Status = 404;
            reply.Body = QStringLiteral("<html><body>登录地址已失效</body></html>").toUtf8();
            return reply;
        }
        login->second.authorized = true;
        reply.Body = QStringLiteral("<html><body>授权完成，请回到登录器。</body></html>").toUtf8();
        return reply;
    }

    TServiceContext &FContext;
    TPlatformScenario FScenario; // accounts change with password changes, under FMutex

    mutable QMutex FMutex; // the requests arrive on the server's threads
    std::map<QString, TPhoneCode> FPhoneCodes;
    std::map<QString, TThirdLogin> FThirdLogins;
    QSet<QString> FIssuedTokens; // sub-account game tokens
    QList<TRealNameBinding> FBindings;
    int FSent = 0;
};

} // namespace

std::unique_ptr<IService> CreatePlatformService(const QJsonObject &section, TServiceContext &context)
{
    return std::make_unique<TPlatform>(section, context);
}

} // namespace zelto::opsim
