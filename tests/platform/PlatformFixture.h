#pragma once

#include "OpSim.h"
#include "PlatformCall.h"
#include "PlatformService.h"
#include "app/uLogin.h"
#include "platform/AccountPlatform.h"
#include "platform/ModalDialog.h"
#include "platform/PlatformSession.h"
#include "support/LocalState.h"
#include "support/RecordingNotifier.h"
#include "ui/Edits.h"
#include "ui/PhoneBtn.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>

#include <functional>

namespace zelto::testing {

// The launcher configuration of the tests: identifiers the simulated platform checks.
inline TLauncherConfiguration PlatformConfiguration()
{
    TLauncherConfiguration config;
    config.sTitle.SetText(QStringLiteral("测试登陆器"));
    config.sAppName.SetText(QStringLiteral("传奇世界"));
    config.sPlatform.SetText(QStringLiteral("zelto"));
    config.sCpGameId.SetText(QStringLiteral("1001"));
    config.sSubject.SetText(QStringLiteral("cq"));
    config.sGameId.SetText(QStringLiteral("77"));
    config.sAgentId.SetText(QStringLiteral("a1"));
    config.sPlaceId.SetText(QStringLiteral("p1"));
    config.sPromoteId.SetText(QStringLiteral("m1"));
    config.sSdkAppId.SetText(QStringLiteral("app-1"));
    config.sSdkAppKey.SetText(QStringLiteral("key-1"));
    config.sSdkChannel.SetText(QStringLiteral("ch-1"));
    return config;
}

inline QJsonObject Identity()
{
    return {{"platform", "zelto"}, {"cpgameid", "1001"}, {"subject", "cq"}, {"game_id", "77"}};
}

// What the game start saw of the session when it was reached.
struct TGameStartSeen {
    QString user_id;
    QString token;
    QString account;
    QString small_id;
    QString small_user_name;
};

// The game start as the launch will bind it: here it records the session it was handed.
class TRecordingGameStart final : public IGameStart {
public:
    explicit TRecordingGameStart(QList<TGameStartSeen> &seen) : FSeen(seen) {}
    void StartGame() override
    {
        const TPlatformSession &session = PlatformSession();
        FSeen.append({session.user_id, session.token, session.account, session.small_id, session.small_user_name});
    }
    void Start360() override {}

private:
    QList<TGameStartSeen> &FSeen;
};

// A request as the platform received it: the form fields in order and the decoded ext.
struct TPlatformRequestSeen {
    QList<QPair<QString, QString>> fields;
    QJsonObject ext;
    QByteArray body;

    QStringList Names() const
    {
        QStringList names;
        for (const auto &field : fields)
            names << field.first;
        return names;
    }
    QString Field(const QString &name) const
    {
        for (const auto &[key, value] : fields)
            if (key == name)
                return value;
        return QString();
    }
    bool Has(const QString &name) const { return Names().contains(name); }
};

// A controller with the account platform bound, edit boxes and a phone-code button, talking
// to a simulated platform on loopback; notices are recorded and modal dialogs are played by
// `player` (a dialog it leaves open is cancelled).
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlatformSession().Reset();
        SetModalRunner([this](QDialog &dialog) {
            dialog.show();
            ++dialogsShown;
            if (player)
                player(dialog);
        });
    }

    void TearDown() override
    {
        SetModalRunner({});
        app.reset();
        PlatformSession().Reset();
    }

    // Starts the simulator with a "platform" section and the controller against it.
    void Serve(QJsonObject platform)
    {
        if (!platform.contains(QStringLiteral("identity")))
            platform.insert(QStringLiteral("identity"), Identity());
        simulator = std::make_unique<opsim::OpSim>(QJsonObject{{"platform", platform}});
        simulator->Start();
        state.SetEnvironment("ZELTO_PLATFORM_BASE", simulator->BaseUrl().toUtf8());
        state.SetEnvironment("ZELTO_EXTRA_PARAM", "http://passport.test/extra");
        PlatformSession().Reset();
        app.reset(); // one controller at a time
        app = std::make_unique<TuClientApp>(PlatformConfiguration());
        app->EditID = &accountBox;
        app->EditPW = &passwordBox;
        app->PhoneBtn = &phoneButton;
        phoneButton.setText(QStringLiteral("获取验证码"));
        phoneButton.SetHint(phoneButton.text());
    }

    TAccountPlatform &Platform() { return static_cast<TAccountPlatform &>(*app->Subsystems().platform); }
    opsim::TPlatformService &Service() { return *simulator->Platform(); }
    void BindGameStart() { app->Subsystems().gameStart = std::make_unique<TRecordingGameStart>(gameStarts); }

    // Types into the boxes and presses start.
    void PressStart(const QString &account, const QString &password)
    {
        accountBox.setText(account);
        passwordBox.setText(password);
        app->StartGame();
    }

    QList<opsim::TRecordedRequest> Requests(const QString &endpoint) const { return simulator->RequestsTo(endpoint); }

    TPlatformRequestSeen LastRequest(const QString &endpoint) const
    {
        const QList<opsim::TRecordedRequest> requests = Requests(endpoint);
        if (requests.isEmpty())
            return {};
        TPlatformRequestSeen seen;
        seen.body = requests.last().Body;
        seen.fields = opsim::TPlatformCall::FormFields(seen.body);
        seen.ext = QJsonDocument::fromJson(QByteArray::fromBase64(seen.Field("ext").toLatin1())).object();
        return seen;
    }

    QStringList Messages() const
    {
        QStringList texts;
        for (const auto &message : notices.messages)
            texts << message.text;
        return texts;
    }

    ScopedLocalState state;
    testing::RecordingNotifier notices;
    std::unique_ptr<opsim::OpSim> simulator;
    TuIDEdit accountBox{nullptr};
    TuPWEdit passwordBox{nullptr};
    TuPhoneBtn phoneButton{nullptr};
    std::unique_ptr<TuClientApp> app;
    QList<TGameStartSeen> gameStarts;
    std::function<void(QDialog &)> player;
    int dialogsShown = 0;
};

// An account of a scenario.
inline QJsonObject Account(const QString &username, const QString &password, int isReal, QJsonObject extra = {})
{
    extra.insert(QStringLiteral("username"), username);
    extra.insert(QStringLiteral("password"), password);
    extra.insert(QStringLiteral("is_real"), isReal);
    return extra;
}

inline QJsonObject SmallAccount(const QString &id, const QString &username, const QString &nickname)
{
    return {{"small_id", id}, {"username", username}, {"nickname", nickname}};
}

} // namespace zelto::testing
