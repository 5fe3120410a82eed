#include "OpSim.h"
#include "PlatformService.h"
#include "app/HttpClient.h"
#include "deploy/Deployment.h"
#include "platform/PlatformRequest.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

namespace zelto::opsim {
namespace {

const QStringList kDeviceBlock{"sdk_app_id=", "sdk_app_key=", "sdk_channel=", "width=1024", "height=768", "os=Microsoft",
    "device_id=d", "model=pc", "sdk_ver=1.0.0", "app_ver=23.7.21.0", "domain=", "alliance=", "promotion_id=", "promotion_type="};

QJsonObject Scenario()
{
    return QJsonDocument::fromJson(R"({"platform": {
        "identity": {"platform": "zelto"},
        "accounts": [{"username": "player1", "password": "secret1"}],
        "phoneCode": {"code": "246810"}
    }})").object();
}

// Posts a form to the simulator and reads the answer's msg.
QString Msg(const OpSim &simulator, const QString &path, const QStringList &list)
{
    const THttpResponse answer = HttpFetch(HttpFormPost(simulator.BaseUrl() + path, "test", FormFieldsOf(list)));
    return QJsonDocument::fromJson(answer.Body).object().value("msg").toString();
}

QStringList LoginMain(const QString &platform = QStringLiteral("zelto"))
{
    return {"platform=" + platform, "cpgameid=", "subject=", "username=player1", "password=secret1", "code_type=", "yx_extend="};
}

TEST(PlatformService, ScenarioMistakesAreNamed)
{
    struct Case {
        const char *scenario;
        const char *message;
    };
    const Case cases[] = {
        {R"({"platform": {"users": []}})", "platform: unknown member \"users\""},
        {R"({"platform": {"accounts": [{"password": "x"}]}})", "platform.accounts[0]: \"username\" must be given"},
        {R"({"platform": {"accounts": [{"username": "a", "ext": null, "small_list": []}]}})", "travels inside \"ext\""},
        {R"({"platform": {"accounts": [{"username": "a", "small_list": [{"small_id": "s", "secLogin": "maybe"}]}]}})",
            "platform.accounts[0].small_list[0]: \"secLogin\" is one of"},
        {R"({"platform": {"thirdLogin": {"qq": {"account": "nobody"}}}})", "platform.thirdLogin.qq: \"account\" must name"},
        {R"({"platform": {"thirdLogin": {"msn": {}}}})", "platform.thirdLogin: unknown member \"msn\""},
        {R"({"platform": {"faults": {"signin": {"kind": "down"}}}})", "platform.faults: unknown member \"signin\""},
        {R"({"platform": {"faults": {"login": {"kind": "slow"}}}})", "platform.faults.login: unknown fault kind"},
    };
    for (const Case &c : cases) {
        try {
            OpSim simulator(QJsonDocument::fromJson(c.scenario).object());
            ADD_FAILURE() << c.scenario << ": accepted";
        } catch (const TScenarioError &error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QString::fromUtf8(c.message))) << error.what();
        }
    }
}

TEST(PlatformService, ChecksTheSignatureTheExtAndTheIdentity)
{
    OpSim simulator(Scenario());
    simulator.Start();
    const QString secret = deploy::PlatformSecret();
    const QStringList ext = kDeviceBlock + QStringList{"event=password"};
    EXPECT_EQ(Msg(simulator, platformpath::kLogin, AssembleParamList(LoginMain(), ext, secret)), QStringLiteral("登录成功"));

    QStringList tampered = AssembleParamList(LoginMain(), ext, secret);
    tampered.replace(tampered.indexOf("password=secret1"), "password=secret2");
    QStringList signNotLast = AssembleParamList(LoginMain(), ext, secret);
    signNotLast.move(signNotLast.size() - 1, 0);
    QStringList withoutExt = LoginMain();
    SortParamLines(withoutExt);
    withoutExt << "sign=" + PlatformSignature(withoutExt, secret);
    QStringList extNotBase64 = LoginMain() + QStringList{"ext=%%%"};
    SortParamLines(extNotBase64);
    extNotBase64 << "sign=" + PlatformSignature(extNotBase64, secret);
    struct Case {
        const char *name;
        QStringList list;
        const char *msg;
        const char *note;
    };
    const Case cases[] = {
        {"tampered", tampered, "签名错误", "sign mismatch"},
        {"sign not last", signNotLast, "签名错误", "the last field must be \"sign\""},
        {"no ext", withoutExt, "参数错误", "\"ext\" is missing"},
        {"ext not Base64 JSON", extNotBase64, "参数错误", "\"ext\" is not the Base64"},
        {"device block missing", AssembleParamList(LoginMain(), {"event=password"}, secret), "参数错误", "ext \"sdk_app_id\" is missing"},
        {"event missing", AssembleParamList(LoginMain(), kDeviceBlock, secret), "参数错误", "ext \"event\" is missing"},
        {"another platform", AssembleParamList(LoginMain("other"), ext, secret), "参数错误", "\"platform\" is \"other\""},
    };
    for (const Case &c : cases) {
        simulator.ClearLog();
        EXPECT_EQ(Msg(simulator, platformpath::kLogin, c.list), QString::fromUtf8(c.msg)) << c.name;
        EXPECT_TRUE(simulator.Requests().last().Note.startsWith(QString::fromUtf8(c.note)))
            << c.name << ": " << simulator.Requests().last().Note.toStdString();
    }
}

TEST(PlatformService, KeepsThePhoneCodeItSentForTheTestAndTheLog)
{
    OpSim simulator(Scenario());
    simulator.Start();
    const QStringList main{"platform=zelto", "cpgameid=", "subject=", "game_id=", "yx_extend="};
    EXPECT_EQ(Msg(simulator, platformpath::kPhoneCode,
                  AssembleParamList(main, QStringList{"type=5", "code_type=5", "phone=13800000001"} + kDeviceBlock,
                      deploy::PlatformSecret())),
        QStringLiteral("发送成功"));
    EXPECT_EQ(simulator.Platform()->LastPhoneCode("13800000001"), QStringLiteral("246810"));
    EXPECT_TRUE(simulator.Platform()->LastPhoneCode("13800000002").isEmpty());
    const QJsonObject logged = simulator.LogJson().last().toObject();
    EXPECT_EQ(logged.value("note").toString(), QStringLiteral("code 246810 sent to 13800000001 (kind 5)"));
    EXPECT_EQ(HttpFetch(HttpGet(simulator.BaseUrl() + "/third/authorize?query_key=none", "browser")).Status, 404);
}

TEST(PlatformService, TheCommandListsTheSevenPathsAndThePage)
{
    QTemporaryDir folder;
    const QString scenario = folder.filePath("scenario.json");
    QFile file(scenario);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(Scenario()).toJson());
    file.close();
    QProcess process;
    process.start(QStringLiteral(ZELTO_BIN_DIR "/tools/zelto-opsim"), {"--scenario", scenario, "--check"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QJsonArray endpoints = QJsonDocument::fromJson(process.readAllStandardOutput()).array();
    QStringList paths;
    for (const QJsonValue &endpoint : endpoints)
        paths << endpoint.toObject().value("path").toString();
    EXPECT_EQ(paths, (QStringList{"/v1/login", "/v1/sec_login", "/v1/phone_code", "/v1/edit_user", "/v1/bind_name",
                         "/v1/get_third_login_url", "/v1/get_third_login_result", "/third/authorize"}));
}

} // namespace
} // namespace zelto::opsim
