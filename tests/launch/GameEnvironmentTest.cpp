#include "launch/GameEnvironment.h"

#include "app/LocalSettings.h"
#include "launch/BrelPath.h"
#include "launch/GameType.h"
#include "launch/LaunchInspection.h"
#include "launch/Xxtea.h"
#include "platform/PlatformSession.h"

#include "support/ClientKinds.h"
#include "support/LocalState.h"
#include "support/PackedLauncherFixture.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace zelto {
namespace {

TPlatformSession LoggedInSession()
{
    TPlatformSession session;
    session.account = QStringLiteral(u"玩家one");
    session.user_id = QStringLiteral("u-sub");
    session.original_user_id = QStringLiteral("u-orig");
    session.userid = QStringLiteral("u-login");
    session.token = QStringLiteral("t-sub");
    session.ext_token = QStringLiteral("t-login");
    return session;
}

class GameEnvironment : public ::testing::Test {
protected:
    QJsonObject Document(const QString &resolution = QStringLiteral("1280x720"), const TClientSessionExtras &extras = {}) const
    {
        return GameEnvironmentDocument(m_configuration, resolution, 12, m_session, extras);
    }

    testing::ScopedLocalState m_state;
    TLauncherConfiguration m_configuration = testing::SampleConfiguration();
    TPlatformSession m_session = LoggedInSession();
};

TEST_F(GameEnvironment, DocumentOfAPlayerWithoutSubAccount)
{
    const QJsonObject expected {
        { "channel", 1201 }, { "gm", 7 }, { "resolution", "1280x720" }, { "serverId", 12 }, { "oper_mode", 1 },
        { "modlist", "sGameAddress-value" }, { "signkey", "sSignKey-value" }, { "user_name", QStringLiteral(u"玩家one") },
        { "small_user_name", "" }, { "user_id", "u-sub" }, { "original_user_id", "u-orig" }, { "token", "t-sub" },
        { "juhe_small_id", "" }, { "ext_uid", "u-login" }, { "juhe_subject", "sSubject-value" },
        { "juhe_game_id", "sGameId-value" }, { "juhe_agent_id", "sAgentId-value" }, { "juhe_place_id", "sPlaceId-value" },
        { "juhe_game_name", "Hello" }, { "modID", "" }, { "subModID", "" }, { "PCPlatform", "1" },
        { "place_id", "sPlaceId-value" }, { "promote_id", "sPromoteId-value" }, { "ext_token", "t-login" },
        { "sdkAppid", "sSdkAppId-value" }, { "sdkAppkey", "sSdkAppKey-value" }, { "sdkChannel", "sSdkChannel-value" },
    };
    EXPECT_EQ(Document(), expected);
}

TEST_F(GameEnvironment, ResolutionDefaultsAndUsesX)
{
    const struct {
        const char *stored;
        const char *written;
    } cases[] = { { "", "1024x768" }, { "1280*720", "1280x720" }, { "800x600", "800x600" }, { "1*2*3", "1x2x3" } };
    for (const auto &c : cases)
        EXPECT_EQ(Document(QLatin1String(c.stored)).value("resolution").toString(), QLatin1String(c.written)) << c.stored;
}

TEST_F(GameEnvironment, ChosenSubAccountAndExtraUid)
{
    m_session.small_user_name = QStringLiteral("alt");
    m_session.small_id = QStringLiteral("s-9");
    EXPECT_EQ(Document().value("small_user_name"), QJsonValue("alt"));
    EXPECT_EQ(Document().value("juhe_small_id"), QJsonValue("s-9"));
    m_session.uid = QStringLiteral("x-uid");
    EXPECT_EQ(Document().value("ext_uid"), QJsonValue("x-uid"));
}

TEST_F(GameEnvironment, OptionalRowsOnlyWhenTheirValueIsSet)
{
    const struct {
        const char *key;
        std::function<void(TClientSessionExtras &)> set;
    } rows[] = {
        { "CloseGameID", [](TClientSessionExtras &e) { e.closeGameId = "v"; } },
        { "baseUrl", [](TClientSessionExtras &e) { e.baseUrl = "v"; } },
        { "param1", [](TClientSessionExtras &e) { e.params[0] = "v"; } },
        { "param5", [](TClientSessionExtras &e) { e.params[4] = "v"; } },
        { "yx_extend", [](TClientSessionExtras &e) { e.yxExtend = "v"; } },
    };
    for (const auto &row : rows) {
        EXPECT_FALSE(Document().contains(QLatin1String(row.key))) << row.key;
        TClientSessionExtras extras;
        row.set(extras);
        EXPECT_EQ(Document(QString(), extras).value(QLatin1String(row.key)), QJsonValue("v")) << row.key;
    }
    m_configuration.sSdkAppKey.SetText(QString());
    EXPECT_FALSE(Document().contains("sdkAppkey"));
    EXPECT_TRUE(Document().contains("sdkAppid"));
}

TEST_F(GameEnvironment, QQGameKeysAllOrNothing)
{
    const char *const groupKeys[] = { "IsTTQQ", "loadCancleClose", "pc_close_secoend_tips", "qqgame_appid",
                                      "qqgame_appkey", "qqgame_openid", "qqgame_openkey" };
    TClientSessionExtras all;
    all.qqGameAppId = "id";
    all.qqGameAppKey = "key";
    all.qqGameOpenId = "open";
    all.qqGameOpenKey = "openkey";
    const QJsonObject full = Document(QString(), all);
    for (const char *key : groupKeys)
        EXPECT_TRUE(full.contains(QLatin1String(key))) << key;
    EXPECT_EQ(full.value("IsTTQQ"), QJsonValue(1));
    EXPECT_EQ(full.value("qqgame_openkey"), QJsonValue("openkey"));

    QString TClientSessionExtras::*const values[] = { &TClientSessionExtras::qqGameAppId, &TClientSessionExtras::qqGameAppKey,
                                                      &TClientSessionExtras::qqGameOpenId, &TClientSessionExtras::qqGameOpenKey };
    for (QString TClientSessionExtras::*missing : values) {
        TClientSessionExtras three = all;
        (three.*missing).clear();
        const QJsonObject document = Document(QString(), three);
        for (const char *key : groupKeys)
            EXPECT_FALSE(document.contains(QLatin1String(key))) << key;
    }
}

TEST_F(GameEnvironment, TextIsCompactWithCharactersAsThemselves)
{
    const QString text = EnvironmentText(Document());
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    EXPECT_FALSE(text.contains(QLatin1String(": ")));
    EXPECT_FALSE(text.contains(QLatin1String("\\u")));
    EXPECT_TRUE(text.contains(QStringLiteral(u"\"user_name\":\"玩家one\"")));
    EXPECT_EQ(EnvironmentText(StartInOneDocument(m_configuration)), QStringLiteral(R"({"channel":1201,"gm":7,"oper_mode":1})"));
}

TEST_F(GameEnvironment, FileIsMarkerAndWholeCipherWords)
{
    const QString path = m_state.Path() + QStringLiteral("/env.json");
    for (const int length : { 1, 3, 4, 5, 20, 21, 100 }) {
        const QString text(length, QLatin1Char('a'));
        WriteEncryptedFile(path, text);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.size(), 8 + 4 * ((length + 3) / 4 + 1)) << "length " << length;
        EXPECT_TRUE(bytes.startsWith("Hq5tZw2k"));
        QByteArray plain;
        ASSERT_TRUE(OpenEnvelope(bytes, &plain));
        EXPECT_EQ(plain, text.toUtf8());
    }
}

class EnvironmentFile : public ::testing::TestWithParam<testing::TClientKindCase> {
protected:
    void SetUp() override
    {
        GameType = QLatin1String(GetParam().gameType);
        g_sBrelPath = m_state.Path() + QStringLiteral("/client/");
        ASSERT_TRUE(QDir().mkpath(g_sBrelPath));
        PlatformSession() = LoggedInSession();
    }

    QString Path() const
    {
        return g_sBrelPath + (GetParam().kind == TClientKind::Quorra3D ? QStringLiteral("Quorra3D_Data/StreamingAssets/env.json")
                                                                       : QStringLiteral("env.json"));
    }

    testing::ScopedLocalState m_state;
    TLauncherConfiguration m_configuration = testing::SampleConfiguration();
};

TEST_P(EnvironmentFile, FullDocumentReadsBack)
{
    g_sResolution = QStringLiteral("1600*900");
    WriteGameEnvironment(m_configuration, 12);
    const TEnvironmentRead read = ReadEnvironmentFile(Path());
    ASSERT_TRUE(read.Ok()) << read.error.toStdString();
    EXPECT_EQ(read.document, GameEnvironmentDocument(m_configuration, g_sResolution, 12, PlatformSession()));
    EXPECT_EQ(read.document.value("resolution"), QJsonValue("1600x900"));
}

TEST_P(EnvironmentFile, StartInOneOnlyReplacesAnExistingFile)
{
    WriteStartInOneEnvironment(m_configuration, CurrentGameClient());
    EXPECT_FALSE(QFileInfo::exists(Path()));

    WriteGameEnvironment(m_configuration, 12);
    WriteStartInOneEnvironment(m_configuration, CurrentGameClient());
    const TEnvironmentRead read = ReadEnvironmentFile(Path());
    ASSERT_TRUE(read.Ok()) << read.error.toStdString();
    EXPECT_EQ(read.document, QJsonObject({ { "channel", 1201 }, { "gm", 7 }, { "oper_mode", 1 } }));
}

TEST_P(EnvironmentFile, UnwritableFileThrows)
{
    ASSERT_TRUE(QDir().mkpath(Path())); // a folder where the file belongs
    EXPECT_THROW(WriteGameEnvironment(m_configuration, 12), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EnvironmentFile, ::testing::ValuesIn(testing::kClientKinds), testing::ClientKindName);

} // namespace
} // namespace zelto
