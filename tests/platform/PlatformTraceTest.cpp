#include "platform/PlatformRequest.h"
#include "platform/PlatformTrace.h"

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(PlatformTrace, TheSentLineMasksSecretsAlsoInsideTheExtObject)
{
    const QStringList list = AssembleParamList({"username=player1", "password=secret1", "code_type=5", "yx_extend="},
        {"token=ptk-1", "os=Microsoft Windows 10", "code=246810", "sessionid=sess-1", "device_id=abc"}, "key");
    const QString line = SentTraceLine(list);
    EXPECT_TRUE(line.startsWith(QStringLiteral("发送: code_type=5,")));
    for (const char *secret : {"secret1", "ptk-1", "246810", "sess-1"})
        EXPECT_FALSE(line.contains(QLatin1String(secret))) << secret << " in " << line.toStdString();
    for (const char *kept : {"username=player1", "password=***", "\"\"token\"\":\"\"***\"\"", "\"\"device_id\"\":\"\"abc\"\"",
             "yx_extend=,sign="})
        EXPECT_TRUE(line.contains(QLatin1String(kept))) << kept << " not in " << line.toStdString();
}

TEST(PlatformTrace, TheAnswerLineMasksSecretMembersAtAnyDepth)
{
    const QString answer = QStringLiteral(
        R"({"code":0,"msg":"登录成功","data":{"user_id":"501","token":"tk-1","user_token":"","login_credential":"c-1",)"
        R"("ext":{"small_list":[{"small_id":"s-1","small_token":"st-1"}]}}})");
    const QString line = AnswerTraceLine(answer);
    for (const char *secret : {"tk-1", "c-1", "st-1"})
        EXPECT_FALSE(line.contains(QLatin1String(secret))) << secret;
    EXPECT_TRUE(line.contains(QStringLiteral("\"msg\":\"登录成功\"")));
    EXPECT_TRUE(line.contains(QStringLiteral("\"small_id\":\"s-1\"")));
    EXPECT_TRUE(line.contains(QStringLiteral("\"user_token\":\"\""))); // nothing to hide
    EXPECT_TRUE(line.contains(QStringLiteral("\"code\":0")));          // a status, not a phone code
    EXPECT_EQ(AnswerTraceLine(QStringLiteral("<html>busy</html>")), QStringLiteral("返回: <html>busy</html>"));
}

} // namespace
} // namespace zelto
