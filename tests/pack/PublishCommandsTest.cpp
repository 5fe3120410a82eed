#include "catalog/ServerListEnvelope.h"
#include "catalog/uModinfo.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace zelto {
namespace {

class PublishCommandsTest : public ::testing::Test {
protected:
    QString PathOf(const char *name) const { return folder.filePath(QLatin1String(name)); }

    void WriteFile(const char *name, const QByteArray &content) const
    {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray ReadFile(const char *name) const
    {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int Pack(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(ZELTO_BIN_DIR "/tools/zelto-pack"), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }

    QTemporaryDir folder;
    QString errors;
};

TEST_F(PublishCommandsTest, SealedServerListOpensInTheLauncher)
{
    const QByteArray document = "{\"serverGroup\":[{\"name\":\"一区\",\"tag\":1}]}";
    WriteFile("list.json", "\xEF\xBB\xBF" + document);
    ASSERT_EQ(Pack({"serverlist", "seal", PathOf("list.json"), PathOf("list.sealed")}), 0) << errors.toStdString();
    EXPECT_EQ(OpenServerListEnvelope(QString::fromLatin1(ReadFile("list.sealed"))), QString::fromUtf8(document));
}

TEST_F(PublishCommandsTest, SubstitutedModListReadsInTheLauncher)
{
    WriteFile("mod.json", "{\"gameType\":\"Brel25D\",\"modData\":[{\"name\":\"神话\",\"srvlist\":\"http://s/gsl/main/srv.json\"}]}");
    ASSERT_EQ(Pack({"modlist", "substitute", PathOf("mod.json"), PathOf("mod.published")}), 0) << errors.toStdString();
    TModinfo mod;
    QString gameType = QStringLiteral("brel");
    ASSERT_TRUE(mod.InitModinfo(QString::fromUtf8(ReadFile("mod.published")), gameType));
    EXPECT_EQ(gameType, QStringLiteral("Brel25D"));
    EXPECT_EQ(mod.ModeItemAray.name, QStringLiteral("神话"));
}

TEST_F(PublishCommandsTest, BadInputsAreRefusedWithoutOutput)
{
    WriteFile("html.json", "<html>");
    WriteFile("latin1.json", "{\"a\":\"\xE9\"}");
    WriteFile("thai.json", "{\"a\":\"\xE0\xB8\x81\"}");
    struct Case {
        const char *name;
        QStringList arguments;
        int status;
        const char *message;
    };
    const Case cases[] = {
        {"not JSON", {"modlist", "substitute", PathOf("html.json"), PathOf("out")}, 2, "not a JSON document"},
        {"not UTF-8", {"serverlist", "seal", PathOf("latin1.json"), PathOf("out")}, 2, "not UTF-8"},
        {"outside code page 936", {"serverlist", "seal", PathOf("thai.json"), PathOf("out")}, 2, "code page 936"},
        {"missing input", {"serverlist", "seal", PathOf("none.json"), PathOf("out")}, 2, "cannot read"},
        {"unknown subcommand", {"serverlist", "open", PathOf("html.json"), PathOf("out")}, 2, "unknown subcommand"},
        {"one file only", {"modlist", "substitute", PathOf("html.json")}, 2, ""},
        {"unwritable output", {"modlist", "substitute", PathOf("thai.json"), PathOf("no/such/folder/out")}, 1, "cannot write"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Pack(c.arguments), c.status) << c.name << ": " << errors.toStdString();
        EXPECT_TRUE(errors.contains(QLatin1String(c.message))) << c.name << ": " << errors.toStdString();
        EXPECT_FALSE(QFile::exists(PathOf("out"))) << c.name;
    }
}

} // namespace
} // namespace zelto
