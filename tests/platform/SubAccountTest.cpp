#include "PlatformFixture.h"

#include "platform/FSmallAccount.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace zelto::testing {
namespace {

TEST(SmallInfos, FollowTheListsNamingRules)
{
    const QJsonArray list = QJsonDocument::fromJson(R"([
        {"nickname": "一号", "username": "u1", "small_id": "s1", "small_token": "st1", "token": "t1"},
        {"username": "u2", "small_id": "", "userid": "9002", "token": "t2"},
        {"nickname": "", "username": "u3", "small_id": "s3"},
        {"nickname": null, "username": "u4", "small_id": 4004},
        {"small_id": "s5"}
    ])").array();
    const QList<TSmallInfo> entries = SmallInfosOf(list);
    ASSERT_EQ(entries.size(), 5);
    const char *expected[][4] = {
        {"一号", "u1", "s1", "st1"},
        {"u2", "u2", "9002", "t2"}, // no nickname: shown by the user name; id and token from the fallbacks
        {"", "u3", "s3", ""},       // an empty nickname stays empty
        {"u4", "u4", "4004", ""},
        {"", "", "s5", ""},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i].nickname, QString::fromUtf8(expected[i][0])) << i;
        EXPECT_EQ(entries[i].username, QString::fromUtf8(expected[i][1])) << i;
        EXPECT_EQ(entries[i].smallId, QString::fromUtf8(expected[i][2])) << i;
        EXPECT_EQ(entries[i].stk, QString::fromUtf8(expected[i][3])) << i;
    }
}

struct SecLoginCase {
    const char *name;
    const char *answer; // the simulator's "secLogin" form
    bool loggedIn;
    const char *token;
    const char *message;
};

void PrintTo(const SecLoginCase &c, std::ostream *out) { *out << c.name; }

class SubAccounts : public PlatformTest {
protected:
    void ServeWith(const QJsonArray &smallList, QJsonObject extra = {})
    {
        extra.insert("user_id", "501");
        extra.insert("token", "tk-501");
        extra.insert("small_list", smallList);
        Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1, extra)}}});
        BindGameStart();
    }
};

class SecLoginAnswers : public SubAccounts, public ::testing::WithParamInterface<SecLoginCase> {};

TEST_P(SecLoginAnswers, FillTheSessionOrFail)
{
    const SecLoginCase &c = GetParam();
    QJsonObject small = SmallAccount("s-1", "first", "一号");
    small.insert("secLogin", c.answer);
    ServeWith({small});
    bool openAfterwards = false;
    player = [&](QDialog &dialog) {
        static_cast<TFrmSmallAccount &>(dialog).GotoSecLogin();
        openAfterwards = dialog.isVisible();
    };
    PressStart("player1", "secret1");
    EXPECT_EQ(gameStarts.size(), c.loggedIn ? 1 : 0);
    EXPECT_EQ(openAfterwards, !c.loggedIn);
    EXPECT_EQ(Messages(), *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
    EXPECT_EQ(PlatformSession().token, QString::fromUtf8(c.token));
    if (c.loggedIn) {
        EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("s-1"));
    }
}

const SecLoginCase kSecLoginCases[] = {
    {"ExtWithSmallId", "ext", true, "gt-s-1", ""},
    {"UserIdWithToken", "user_id", true, "gt-s-1", ""},
    {"UserIdWithGameToken", "game_token", true, "gt-s-1", ""},
    {"ExtWithEmptySmallId", "emptySmallId", false, "tk-501", ""},
    {"NeitherExtNorUserId", "neither", false, "tk-501", "小号登录失败，错误1001！"},
};

INSTANTIATE_TEST_SUITE_P(Forms, SecLoginAnswers, ::testing::ValuesIn(kSecLoginCases),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SubAccounts, AFailedChoiceKeepsTheDialogForAnother)
{
    QJsonObject broken = SmallAccount("s-1", "first", "一号");
    broken.insert("secLogin", "neither");
    ServeWith({broken, SmallAccount("s-2", "second", "二号")});
    player = [&](QDialog &dialog) {
        auto &choice = static_cast<TFrmSmallAccount &>(dialog);
        choice.ConfirmButton().click();
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_EQ(choice.List().count(), 2);
        choice.List().setCurrentRow(1);
        choice.ConfirmButton().click();
    };
    PressStart("player1", "secret1");
    EXPECT_EQ(Messages(), QStringList{"小号登录失败，错误1001！"});
    ASSERT_EQ(gameStarts.size(), 1);
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("s-2"));
    // The second attempt still named the player, although the first had logged the session out.
    EXPECT_EQ(LastRequest("sec_login").ext.value("userid").toString(), QStringLiteral("501"));
}

TEST_F(SubAccounts, EnterConfirmsOnlyASelectedLine)
{
    ServeWith({SmallAccount("s-1", "first", "一号")});
    player = [&](QDialog &dialog) {
        auto &choice = static_cast<TFrmSmallAccount &>(dialog);
        EXPECT_FALSE(choice.Pages().isTabVisible(1)); // the page for adding a sub-account is never shown
        choice.List().clearSelection();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &enter);
        EXPECT_TRUE(Requests("sec_login").isEmpty());
        choice.List().setCurrentRow(0);
        choice.List().item(0)->setSelected(true);
        QCoreApplication::sendEvent(&dialog, &enter);
    };
    PressStart("player1", "secret1");
    EXPECT_EQ(Requests("sec_login").size(), 1);
    EXPECT_EQ(gameStarts.size(), 1);
}

TEST_F(SubAccounts, TheUserTokenTravelsOnlyWhenTheLoginCarriedOne)
{
    ServeWith({SmallAccount("s-1", "first", "一号")}, {{"user_token", "ut-1"}});
    player = [](QDialog &dialog) { static_cast<TFrmSmallAccount &>(dialog).GotoSecLogin(); };
    PressStart("player1", "secret1");
    EXPECT_EQ(LastRequest("sec_login").ext.value("user_token").toString(), QStringLiteral("ut-1"));
    EXPECT_EQ(gameStarts.size(), 1);
}

} // namespace
} // namespace zelto::testing
