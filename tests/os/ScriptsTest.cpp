#include "os/AnsiCodePage.h"
#include "os/Scripts.h"
#include "support/PackedLauncherFixture.h"
#include "support/QtPrinters.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace zelto::os {
namespace {

TEST(Scripts, BatchTextIsWrittenLineByLineInTheCodePage)
{
    TScript script;
    script.DeleteUntilGone(QStringLiteral("DelMySelf"), QStringLiteral(u"C:\\游戏\\登陆器.exe"));
    script.MoveUntilMoved(QStringLiteral("moveFile0"), QStringLiteral("C:\\T\\A\\x.dll"), QStringLiteral("C:\\L\\x.dll"));
    script.RemoveFolder(QStringLiteral("C:\\T\\A\\"));
    script.Start(QStringLiteral("C:\\L\\new.exe"));
    script.DeleteItself();
    const QByteArray expected = ToAnsi(QStringLiteral(u":DelMySelf\r\n"
                                                      u"del \"C:\\游戏\\登陆器.exe\"\r\n"
                                                      u"if exist \"C:\\游戏\\登陆器.exe\" goto DelMySelf\r\n"
                                                      u":moveFile0\r\n"
                                                      u"move \"C:\\T\\A\\x.dll\" \"C:\\L\\x.dll\"\r\n"
                                                      u"if exist \"C:\\T\\A\\x.dll\" goto moveFile0\r\n"
                                                      u"rd/s/q \"C:\\T\\A\\\"\r\n"
                                                      u"\"C:\\L\\new.exe\"\r\n"
                                                      u"del %0\r\n"));
    EXPECT_EQ(script.BatchText(), expected);
}

TEST(Scripts, ShellQuotingKeepsEveryCharacter)
{
    const QString hostile = QStringLiteral(u"it's \"$HOME\" %PATH% `id` \\ 中文\n");
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("printf %s ") + ShellQuoted(hostile)});
    ASSERT_TRUE(shell.waitForFinished());
    EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()), hostile);
}

// A folder whose name holds what shells and batch files take specially.
class ScriptRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = dir.path() + QStringLiteral(u"/home 'q' \"d\" $x %p% 中");
        work = dir.path() + QStringLiteral(u"/work $y");
        QDir().mkpath(home);
        QDir().mkpath(work + QStringLiteral("/sub"));
        launcher = home + QStringLiteral(u"/登陆器.exe");
        testing::WriteFile(launcher, "old launcher");
        newFile = work + QStringLiteral("/sub/new launcher");
        // The new launcher, once started, leaves a mark.
        testing::WriteFile(newFile, "#!/bin/sh\necho started > \"$(dirname \"$0\")/started\"\n");
        QFile::setPermissions(newFile, QFile::permissions(newFile) | QFile::ExeOwner);
    }

    // Runs the script and waits until it has ended.
    int Run(const TScript &script)
    {
        const QString path = dir.filePath(QStringLiteral("replace.sh"));
        testing::WriteFile(path, script.ShellText());
        QProcess shell;
        shell.setWorkingDirectory(home);
        shell.start(QStringLiteral("/bin/sh"), {path});
        EXPECT_TRUE(shell.waitForFinished(120000));
        return shell.exitCode();
    }

    static QByteArray Content(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    bool WaitForFile(const QString &path)
    {
        const QDeadlineTimer deadline(20000);
        while (!QFileInfo::exists(path) && !deadline.hasExpired())
            QThread::msleep(20);
        return QFileInfo::exists(path);
    }

    TScript Replacement(qint64 processId = 0) const
    {
        TScript script(processId);
        script.DeleteUntilGone(QStringLiteral("DelMySelf"), launcher);
        script.DeleteUntilGone(QStringLiteral("DelMyOldExe"), launcher);
        script.DeleteUntilGone(QStringLiteral("DeleteDesti"), launcher);
        script.MoveUntilMoved(QStringLiteral("moveFile0"), newFile, launcher);
        script.RemoveFolder(work + QStringLiteral("/sub"));
        script.Start(launcher);
        script.DeleteItself();
        return script;
    }

    QTemporaryDir dir;
    QString home, work, launcher, newFile;
};

TEST_F(ScriptRun, ReplacesTheLauncherRemovesTheFolderAndStartsTheNewOne)
{
    EXPECT_EQ(Run(Replacement()), 0);
    EXPECT_TRUE(Content(launcher).startsWith("#!/bin/sh"));
    EXPECT_FALSE(QFileInfo::exists(work + QStringLiteral("/sub")));
    EXPECT_TRUE(WaitForFile(home + QStringLiteral("/started")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("replace.sh"))));
}

TEST_F(ScriptRun, AMissingNewFilePutsTheOldLauncherBackAndStartsNothing)
{
    QFile::remove(newFile);
    EXPECT_NE(Run(Replacement()), 0);
    EXPECT_EQ(Content(launcher), QByteArray("old launcher"));
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/started")));
}

TEST_F(ScriptRun, WaitsUntilTheLauncherProcessHasEnded)
{
    QProcess oldLauncher;
    oldLauncher.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(oldLauncher.waitForStarted());
    const QString path = dir.filePath(QStringLiteral("replace.sh"));
    ASSERT_TRUE(WriteAndStartScript(Replacement(oldLauncher.processId()), path, home));
    QThread::msleep(1500);
    EXPECT_EQ(Content(launcher), QByteArray("old launcher")); // still running: nothing touched
    oldLauncher.kill();
    oldLauncher.waitForFinished();
    EXPECT_TRUE(WaitForFile(home + QStringLiteral("/started")));
    EXPECT_TRUE(Content(launcher).startsWith("#!/bin/sh"));
}

} // namespace
} // namespace zelto::os
