// zelto-pack as an operator runs it: the built program, its exit status and its messages.
#include "support/PackedLauncherFixture.h"
#include "support/QtPrinters.h"
#include "support/ToolRun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelto {
namespace {

using testing::MakeElfImage;
using testing::MakePe32Image;
using testing::SignedLauncher;
using testing::WriteFile;

using TRun = testing::TToolRun;

constexpr char kSkinText[] = R"(object MainForm: TuForm
  ClientWidth = 867
  Caption = '传奇登录器'
  object BtnStart: TuStartBtton
    Picture.Data = file 'start.png'
  end
end
)";

class ZeltoPack : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(Path("launcher"), MakeElfImage(5000));
        WriteFile(Path("launcher.exe"), MakePe32Image(5000));
        WriteFile(Path("skin.txt"), kSkinText);
        WriteFile(Path("start.png"), QByteArray("\x89PNG\r\n\x1A\nstart", 13));
        WriteFile(Path("config.json"), QJsonDocument(Config()).toJson());
    }

    static QJsonObject Config()
    {
        return { { QStringLiteral("sTitle"), QStringLiteral(u"传奇世界") },
                 { QStringLiteral("ServerListURL"), QString(255, QLatin1Char('u')) },
                 { QStringLiteral("sSdkAppKey"), QStringLiteral("key") },
                 { QStringLiteral("sReserved"), QString() },
                 { QStringLiteral("nGMNum"), 3 },
                 { QStringLiteral("nGMChannel"), 1201 } };
    }

    QString Path(const QString &name) const { return m_folder.filePath(name); }

    TRun Run(const QStringList &arguments) { return testing::RunProgram(testing::ToolPath(QStringLiteral("zelto-pack")), arguments, m_folder.path()); }

    QJsonObject Inspect(const QString &file)
    {
        const TRun run = Run({ QStringLiteral("inspect"), file, QStringLiteral("--json") });
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    QTemporaryDir m_folder;
};

TEST_F(ZeltoPack, PackedFieldsComeBackFromInspect)
{
    struct Case {
        const char *name;
        qsizetype aid32;
        qsizetype aid64;
        int filler; // -1: not signed
    };
    const Case cases[] = {
        { "unsigned", 0, 0, -1 },
        { "unsigned with packages", 300, 500, -1 },
        { "signed", 0, 0, 0 },
        { "signed with packages and filler", 300, 500, 87 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const bool isSigned = c.filler >= 0;
        WriteFile(Path("aid32.zip"), QByteArray(c.aid32, '3'));
        WriteFile(Path("aid64.zip"), QByteArray(c.aid64, '6'));
        QStringList arguments = { QStringLiteral("pack"), QStringLiteral("--launcher"),
                                  isSigned ? QStringLiteral("launcher.exe") : QStringLiteral("launcher"),
                                  QStringLiteral("--config"), QStringLiteral("config.json"),
                                  QStringLiteral("--skin"), QStringLiteral("skin.txt"),
                                  QStringLiteral("--output"), QStringLiteral("out") };
        if (c.aid32)
            arguments << QStringLiteral("--aid32") << QStringLiteral("aid32.zip");
        if (c.aid64)
            arguments << QStringLiteral("--aid64") << QStringLiteral("aid64.zip");
        const TRun pack = Run(arguments);
        ASSERT_EQ(pack.status, 0) << pack.err.toStdString();

        QFile out(Path("out"));
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        QByteArray packed = out.readAll();
        out.close();
        EXPECT_TRUE(out.permissions() & QFileDevice::ExeOwner);
        const QByteArray packages = packed.mid(packed.size() - 16 - c.aid32 - c.aid64, c.aid32 + c.aid64);
        EXPECT_EQ(packages, QByteArray(c.aid32, '3') + QByteArray(c.aid64, '6'));
        qint64 skip = 0;
        if (isSigned) {
            const QByteArray signedFile = SignedLauncher(packed, c.filler, 900);
            skip = signedFile.size() - packed.size();
            WriteFile(Path("out"), signedFile);
        }

        const QJsonObject report = Inspect(QStringLiteral("out"));
        const QJsonObject trailer = report.value(QStringLiteral("trailer")).toObject();
        EXPECT_EQ(trailer.value(QStringLiteral("FileSize")).toInt(), 5000);
        EXPECT_EQ(trailer.value(QStringLiteral("Length32")).toInt(), c.aid32);
        EXPECT_EQ(trailer.value(QStringLiteral("Length64")).toInt(), c.aid64);
        EXPECT_EQ(trailer.value(QStringLiteral("Flag")).toInt(), 99999999);
        EXPECT_EQ(trailer.value(QStringLiteral("skip")).toInteger(), skip);

        const QJsonObject config = report.value(QStringLiteral("config")).toObject();
        EXPECT_EQ(config.size(), 24);
        const QJsonObject expected = Config();
        for (auto it = expected.begin(); it != expected.end(); ++it)
            EXPECT_EQ(config.value(it.key()), it.value()) << it.key().toStdString();
        EXPECT_EQ(config.value(QStringLiteral("nSkinOffset")).toInt(), 5000);
        EXPECT_EQ(config.value(QStringLiteral("sHomePage")).toString(), QString());

        const QJsonObject skin = report.value(QStringLiteral("skin")).toObject();
        EXPECT_EQ(skin.value(QStringLiteral("name")).toString(), QStringLiteral("MainForm"));
        const QJsonObject button = skin.value(QStringLiteral("children")).toArray().at(0).toObject();
        EXPECT_EQ(button.value(QStringLiteral("class")).toString(), QStringLiteral("TuStartBtton"));
        EXPECT_FALSE(skin.contains(QStringLiteral("error")));
    }
}

TEST_F(ZeltoPack, PackingAPackedLauncherReplacesItsData)
{
    const QStringList pack = { QStringLiteral("pack"), QStringLiteral("--config"), QStringLiteral("config.json"),
                               QStringLiteral("--skin"), QStringLiteral("skin.txt") };
    ASSERT_EQ(Run(pack + QStringList { QStringLiteral("--launcher"), QStringLiteral("launcher"), QStringLiteral("-o"), QStringLiteral("once") }).status, 0);
    const TRun again = Run(pack + QStringList { QStringLiteral("--launcher"), QStringLiteral("once"), QStringLiteral("-o"), QStringLiteral("twice") });
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_TRUE(again.err.contains(QStringLiteral("already carries packed data")));
    EXPECT_EQ(QFileInfo(Path("once")).size(), QFileInfo(Path("twice")).size());
    EXPECT_EQ(Inspect(QStringLiteral("twice")).value(QStringLiteral("trailer")).toObject().value(QStringLiteral("FileSize")).toInt(), 5000);
}

TEST_F(ZeltoPack, SkinCompilesAndDecompilesToTheSameStream)
{
    ASSERT_EQ(Run({ QStringLiteral("skin"), QStringLiteral("compile"), QStringLiteral("skin.txt"), QStringLiteral("-o"), QStringLiteral("a.bin") }).status, 0);
    ASSERT_EQ(Run({ QStringLiteral("skin"), QStringLiteral("decompile"), QStringLiteral("a.bin"), QStringLiteral("-o"), QStringLiteral("a.txt") }).status, 0);
    ASSERT_EQ(Run({ QStringLiteral("skin"), QStringLiteral("compile"), QStringLiteral("a.txt"), QStringLiteral("-o"), QStringLiteral("b.bin") }).status, 0);
    QFile a(Path("a.bin"));
    QFile b(Path("b.bin"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray stream = a.readAll();
    EXPECT_TRUE(stream.startsWith("TPF0"));
    EXPECT_EQ(stream, b.readAll());

    // A compiled stream is accepted as the skin of a launcher as it is.
    const TRun pack = Run({ QStringLiteral("pack"), QStringLiteral("--launcher"), QStringLiteral("launcher"),
                            QStringLiteral("--config"), QStringLiteral("config.json"), QStringLiteral("--skin"),
                            QStringLiteral("a.bin"), QStringLiteral("-o"), QStringLiteral("out") });
    EXPECT_EQ(pack.status, 0) << pack.err.toStdString();
}

TEST_F(ZeltoPack, BadInputEndsWithStatus2AndNamesTheProblem)
{
    WriteFile(Path("long.json"), QStringLiteral("{\"sAppName\": \"%1\"}").arg(QString(21, QLatin1Char('a'))).toUtf8());
    WriteFile(Path("bad.txt"), "object F: TuForm\n  Width = \n");
    WriteFile(Path("garbage.bin"), QByteArray(100, '\x42'));
    WriteFile(Path("short"), QByteArray(10, '\0'));
    const QStringList pack = { QStringLiteral("pack"), QStringLiteral("--launcher"), QStringLiteral("launcher"),
                               QStringLiteral("-o"), QStringLiteral("out") };
    const QString good = QStringLiteral("--config=config.json");
    struct Case {
        QStringList arguments;
        int status;
        const char *message;
    };
    const Case cases[] = {
        { {}, 2, "Usage: zelto-pack COMMAND" },
        { { QStringLiteral("frobnicate") }, 2, "unknown command 'frobnicate'" },
        { pack + QStringList { QStringLiteral("--skin=skin.txt") }, 2, "pack: --config is required" },
        { pack + QStringList { good, QStringLiteral("--skin=skin.txt"), QStringLiteral("--bogus") }, 2, "Unknown option 'bogus'" },
        { pack + QStringList { QStringLiteral("--config=long.json"), QStringLiteral("--skin=skin.txt") }, 2,
          "long.json: field 'sAppName' is 21 bytes in code page 936; the field holds at most 20" },
        { pack + QStringList { good, QStringLiteral("--skin=bad.txt") }, 2, "bad.txt:3:1: expected a value" },
        { pack + QStringList { good, QStringLiteral("--skin=skin.txt"), QStringLiteral("--aid32=none.zip") }, 2,
          "cannot read 32-bit first-aid package 'none.zip'" },
        { pack + QStringList { QStringLiteral("--config=missing.json"), QStringLiteral("--skin=skin.txt") }, 2,
          "cannot read configuration 'missing.json'" },
        { { QStringLiteral("pack"), QStringLiteral("--launcher=launcher"), good, QStringLiteral("--skin=skin.txt"),
            QStringLiteral("-o"), QStringLiteral("no/such/folder/out") }, 1, "cannot write 'no/such/folder/out'" },
        { { QStringLiteral("inspect"), QStringLiteral("launcher") }, 2, "launcher: no configuration trailer: field 'Flag' is 0" },
        { { QStringLiteral("inspect"), QStringLiteral("short") }, 2, "short: is 10 bytes long" },
        { { QStringLiteral("inspect") }, 2, "inspect: expected 1 file argument(s), got 0" },
        { { QStringLiteral("skin"), QStringLiteral("decompile"), QStringLiteral("garbage.bin"), QStringLiteral("-o"), QStringLiteral("g.txt") }, 2,
          "garbage.bin: damaged component stream" },
        { { QStringLiteral("skin"), QStringLiteral("shrink") }, 2, "skin: unknown subcommand 'shrink'" },
    };
    for (const Case &c : cases) {
        const TRun run = Run(c.arguments);
        const QString arguments = c.arguments.join(QLatin1Char(' '));
        EXPECT_EQ(run.status, c.status) << arguments.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << arguments.toStdString() << "\n" << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("out")));
}

TEST_F(ZeltoPack, HelpListsEveryCommandAndEachCommandsOptions)
{
    const TRun help = Run({ QStringLiteral("--help") });
    EXPECT_EQ(help.status, 0);
    for (const char *command : { "pack", "inspect", "skin" })
        EXPECT_TRUE(help.out.contains(QLatin1String(command))) << command;
    const TRun packHelp = Run({ QStringLiteral("pack"), QStringLiteral("--help") });
    EXPECT_EQ(packHelp.status, 0);
    EXPECT_TRUE(packHelp.out.startsWith(QStringLiteral("Usage: zelto-pack pack --launcher IN")));
    EXPECT_TRUE(packHelp.out.contains(QStringLiteral("--aid64 <FILE>")));
    EXPECT_EQ(Run({ QStringLiteral("skin"), QStringLiteral("compile"), QStringLiteral("--help") }).status, 0);
}

TEST_F(ZeltoPack, DamagedSkinIsShownAsFarAsItReads)
{
    ASSERT_EQ(Run({ QStringLiteral("pack"), QStringLiteral("--launcher=launcher"), QStringLiteral("--config=config.json"),
                    QStringLiteral("--skin=skin.txt"), QStringLiteral("-o"), QStringLiteral("out") }).status, 0);
    QFile out(Path("out"));
    ASSERT_TRUE(out.open(QIODevice::ReadWrite));
    QByteArray packed = out.readAll();
    // Damage the end of the stored skin: zlib's check and the last blocks no longer match.
    packed[5000 + 60] = char(packed[5000 + 60] ^ 0xFF);
    out.seek(0);
    out.write(packed);
    out.close();
    const TRun run = Run({ QStringLiteral("inspect"), QStringLiteral("out") });
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("out: skin damaged"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("sTitle"))) << run.out.toStdString();
}

} // namespace
} // namespace zelto
