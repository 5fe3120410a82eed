// zelto-pack decode-env and decode-launch as an operator runs them on what a launcher wrote.
#include "app/PasswordCodec.h"
#include "catalog/uServerList.h"
#include "launch/GameEnvironment.h"
#include "launch/LaunchInspection.h"
#include "launch/Xxtea.h"

#include "support/PackedLauncherFixture.h"
#include "support/QtPrinters.h"
#include "support/ToolRun.h"

#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelto {
namespace {

using testing::TToolRun;

class DecodeCommands : public ::testing::Test {
protected:
    QString Path(const char *name) const { return m_folder.filePath(QLatin1String(name)); }

    TToolRun Run(const QStringList &arguments) { return testing::RunProgram(testing::ToolPath(QStringLiteral("zelto-pack")), arguments); }

    static QJsonObject Json(const QString &text) { return QJsonDocument::fromJson(text.toUtf8()).object(); }

    QTemporaryDir m_folder;
};

TEST_F(DecodeCommands, EnvironmentFilePrintsItsDocument)
{
    const QJsonObject document { { "channel", 1201 }, { "user_name", QStringLiteral(u"玩家") }, { "oper_mode", 1 } };
    WriteEncryptedFile(Path("env.json"), EnvironmentText(document));
    const TToolRun run = Run({ QStringLiteral("decode-env"), Path("env.json") });
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(Json(run.out), document);
}

TEST_F(DecodeCommands, WhatIsNotAnEnvironmentFileEndsWithStatus2)
{
    const QByteArray plain = EnvironmentText({ { "gm", 1 } }).toUtf8();
    const struct {
        const char *name;
        QByteArray bytes;
        const char *says;
    } cases[] = {
        { "no marker", "Hq5tZw2X" + XXTEAEncrypt(plain, kEnvironmentKey), "marker" },
        { "other key", "Hq5tZw2k" + XXTEAEncrypt(plain, "another-key"), "environment key" },
        { "cut short", "Hq5tZw2k" + XXTEAEncrypt(plain, kEnvironmentKey).chopped(1), "multiple of 4" },
        { "not JSON", "Hq5tZw2k" + XXTEAEncrypt("channel=1", kEnvironmentKey), "not JSON" },
    };
    for (const auto &c : cases) {
        testing::WriteFile(Path("env.json"), c.bytes);
        const TToolRun run = Run({ QStringLiteral("decode-env"), Path("env.json") });
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_TRUE(run.out.isEmpty()) << c.name;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.says))) << c.name << ": " << run.err.toStdString();
    }
    EXPECT_EQ(Run({ QStringLiteral("decode-env"), Path("missing") }).status, 2);
}

TEST_F(DecodeCommands, LaunchArgumentPrintsEveryField)
{
    TServerInfo info;
    info.SetResFolder(QStringLiteral("Res"));
    info.ClientType = 4;
    info.AssistantKind = 2;
    const TSelectedServer server { QStringLiteral(u"二区"), "a2V5", QStringLiteral("10.0.0.9"), 7100, 3 };
    const TLaunchRecord record = BuildLaunchRecord(server, info, TDisplaySettings());
    const TToolRun run = Run({ QStringLiteral("decode-launch"), EncryptLaunchArgument(record.ToBytes()) });
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject json = Json(run.out);
    const char *const keys[] = { "serverName", "serverAddr", "serverKey", "resFolder", "port", "fullScreen",
                                 "waitVBlank", "do3D", "enabledMini", "width", "height", "newInterface",
                                 "clientType", "autoClientType", "assistantKind", "constant196", "constant375" };
    for (const char *key : keys)
        EXPECT_TRUE(json.contains(QLatin1String(key))) << key;
    EXPECT_EQ(json, LaunchRecordToJson(record));
    EXPECT_EQ(json.value("serverName"), QJsonValue(QStringLiteral(u"二区")));
    EXPECT_EQ(json.value("port"), QJsonValue(7100));
    EXPECT_EQ(json.value("clientType"), QJsonValue(4));
}

TEST_F(DecodeCommands, WhatIsNotALaunchArgumentEndsWithStatus2)
{
    QByteArray otherConstants = TLaunchRecord().ToBytes();
    otherConstants[196] = 0;
    const struct {
        const char *name;
        QString argument;
        bool printed;
        const char *says;
    } cases[] = {
        { "not Base64", QStringLiteral("@@@"), false, "not Base64" },
        { "too short", EncryptLaunchArgument("short"), false, "764" },
        { "other constants", EncryptLaunchArgument(otherConstants), true, "constants" },
    };
    for (const auto &c : cases) {
        const TToolRun run = Run({ QStringLiteral("decode-launch"), c.argument });
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_EQ(!run.out.isEmpty(), c.printed) << c.name;
        EXPECT_TRUE(run.err.contains(QLatin1String(c.says))) << c.name << ": " << run.err.toStdString();
    }
}

} // namespace
} // namespace zelto
