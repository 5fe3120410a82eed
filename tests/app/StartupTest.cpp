#include "app/AppendedDataWriter.h"
#include "app/MachinePreparation.h"
#include "app/Relocation.h"
#include "os/AnsiCodePage.h"
#include "support/FakeDisplay.h"
#include "support/LocalState.h"
#include "support/RecordingNotifier.h"
#include "support/SkinTree.h"
#include "ui/SkinStream.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <set>

namespace zelto::testing {
namespace {

// Drives a machine of Windows drive letters: a system directory and the fixed drives.
class DriveTable final : public os::IDriveTable {
public:
    DriveTable(QString systemDirectory, std::set<QString> fixed)
        : m_systemDirectory(std::move(systemDirectory)), m_fixed(std::move(fixed))
    {
    }
    QString SystemDirectory() const override { return m_systemDirectory; }
    bool IsFixedDrive(const QString &root) const override { return m_fixed.count(root) > 0; }

private:
    QString m_systemDirectory;
    std::set<QString> m_fixed;
};

TEST(Relocation, FindsTheFirstOtherFixedDrive)
{
    struct Case { const char *system; std::set<QString> fixed; const char *expected; };
    const Case cases[] = {
        { "C", { "C:/", "E:/", "D:/" }, "D:/" },
        { "c", { "C:/" }, "" },                // the system drive itself never counts
        { "D", { "C:/", "D:/" }, "C:/" },
        { "C", { "Z:/" }, "Z:/" },
        { "C", {}, "" },
    };
    for (const Case &c : cases) {
        const DriveTable drives(QString(), c.fixed);
        EXPECT_EQ(FindOtherFixedDrive(drives, QLatin1Char(c.system[0])), QLatin1String(c.expected)) << c.system;
    }
}

TEST(Relocation, StaysWhereItIsUnlessStartedFromTheSystemDrive)
{
    const DriveTable drives(QStringLiteral("C:\\Windows\\system32"), { "C:/", "D:/" });
    for (const char *path : { "D:/games/launcher.exe", "\\\\server\\share\\launcher.exe", "/home/player/launcher" })
        EXPECT_FALSE(RelocateFromSystemDrive(drives, QString::fromLatin1(path))) << path;
    const DriveTable onlySystem(QString(), { "C:/" }); // unreadable system directory: "c:"
    EXPECT_FALSE(RelocateFromSystemDrive(onlySystem, QStringLiteral("c:/games/launcher.exe")));
    EXPECT_TRUE(os::SystemDriveTable().SystemDirectory().isEmpty()); // no drive letters here
}

TEST(Relocation, BatchDeletesTheOldFileThenStartsTheCopy)
{
    const QByteArray batch = RelaunchBatchText(QStringLiteral("C:\\游戏\\登陆器.exe"), QStringLiteral("C:\\Temp\\"),
        QStringLiteral("D:/zeltoprime/"), QStringLiteral("登陆器.exe"));
    EXPECT_EQ(batch, os::ToAnsi(QStringLiteral(u":DelMySelf\r\ndel \"C:\\游戏\\登陆器.exe\"\r\n"
                                               u"if exist \"C:\\游戏\\登陆器.exe\" goto DelMySelf\r\n"
                                               u"\"D:/zeltoprime/登陆器.exe\"\r\n")));
    // Started from inside the temporary folder: no deletion loop.
    EXPECT_EQ(RelaunchBatchText(QStringLiteral("C:\\Temp\\x.exe"), QStringLiteral("C:\\Temp\\"), QStringLiteral("D:/zeltoprime/"),
                  QStringLiteral("x.exe")),
        QByteArray("\"D:/zeltoprime/x.exe\"\r\n"));
}

TEST(Relocation, ShellScriptRemovesTheOldFileAndStartsTheCopy)
{
    ScopedLocalState state;
    const QDir folder(state.Path());
    QFile old(folder.filePath(QStringLiteral("old it's")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    const QString marker = folder.filePath(QStringLiteral("started"));
    QFile copy(folder.filePath(QStringLiteral("copy.sh")));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
    copy.close();
    copy.setPermissions(copy.permissions() | QFile::ExeOwner);

    const QString batch = WriteRelaunchBatch(old.fileName(), folder.path() + QLatin1Char('/'), QStringLiteral("copy.sh"));
    EXPECT_TRUE(batch.endsWith(QStringLiteral(".bat")));
    EXPECT_TRUE(QFile::exists(batch));
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(marker) && waited.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_FALSE(QFile::exists(old.fileName()));
}

TEST(MachinePreparation, TrueColourDisplayIsLeftAlone)
{
    RecordingNotifier notifier;
    for (int depth : { 32, 24, 0 }) {
        FakeDisplay display(depth);
        EnsureTrueColorDisplay(display);
        EXPECT_TRUE(display.changesAsked.isEmpty()) << depth;
    }
    EXPECT_TRUE(notifier.messages.isEmpty());
}

TEST(MachinePreparation, RefusedDepthChangeIsShownWithItsCode)
{
    RecordingNotifier notifier;
    FakeDisplay display(16, {}, -1);
    EnsureTrueColorDisplay(display);
    EXPECT_EQ(display.changesAsked, QList<int>({ 32 }));
    ASSERT_EQ(notifier.messages.size(), 1);
    EXPECT_EQ(notifier.messages.first().text, kTrueColourFailedMessage + QStringLiteral("-1"));
    notifier.messages.clear();
    FakeDisplay changeable(16, {}, 0);
    EnsureTrueColorDisplay(changeable);
    EXPECT_TRUE(notifier.messages.isEmpty());
}

TEST(MachinePreparation, RarReadingIsAvailable)
{
    RecordingNotifier notifier;
    EXPECT_TRUE(ExtractRarLibrary());
    EXPECT_TRUE(notifier.messages.isEmpty());
}

// Two real launcher processes of one title: the second asks the first to come forward and
// ends at once; a launcher of another title starts beside them.
class SecondInstance : public ::testing::Test {
protected:
    QString PackLauncher(const QString &title)
    {
        QFile image(QStringLiteral(ZELTO_BIN_DIR "/src/zelto-launcher"));
        EXPECT_TRUE(image.open(QIODevice::ReadOnly));
        QByteArray bytes = image.readAll();
        TAppendedContent content;
        content.record.sTitle.SetText(title);
        content.record.ServerListURL.SetText(QStringLiteral("local"));
        content.skinStream = EncodeSkinStream(Node(QStringLiteral("TuForm"), QStringLiteral("MainForm"), {},
            { Node(QStringLiteral("TuIDEdit"), QStringLiteral("Account"), Bounds(0, 0, 200, 20)) })).bytes;
        bytes += BuildAppendedData(bytes.size(), content).value_or(QByteArray());
        const QString path = QDir(state.Path()).filePath(title);
        QFile packed(path);
        EXPECT_TRUE(packed.open(QIODevice::WriteOnly));
        packed.write(bytes);
        packed.close();
        packed.setPermissions(packed.permissions() | QFile::ExeOwner);
        return path;
    }

    void Start(QProcess &process, const QString &launcher, const QString &trace)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZELTO_TRACE"), trace);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(launcher, {});
        ASSERT_TRUE(process.waitForStarted());
    }

    static QByteArray Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool WaitForTrace(const QString &path, const QByteArray &line)
    {
        QElapsedTimer waited;
        waited.start();
        while (!Read(path).contains(line) && waited.elapsed() < 20000)
            QThread::msleep(50);
        return Read(path).contains(line);
    }

    ScopedLocalState state;
};

TEST_F(SecondInstance, RaisesTheFirstAndEnds)
{
    const QString launcher = PackLauncher(QStringLiteral(u"单实例"));
    const QString firstTrace = QDir(state.Path()).filePath(QStringLiteral("first.log"));
    QProcess first;
    Start(first, launcher, firstTrace);
    // The first one holds the name once its windows exist.
    ASSERT_TRUE(WaitForTrace(firstTrace, QStringLiteral(u"绑定账号输入框事件").toUtf8()));

    QProcess second;
    Start(second, launcher, QDir(state.Path()).filePath(QStringLiteral("second.log")));
    EXPECT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(WaitForTrace(firstTrace, QStringLiteral(u"另一次启动请求显示登陆器窗口").toUtf8()));
    EXPECT_EQ(first.state(), QProcess::Running);

    QProcess other;
    Start(other, PackLauncher(QStringLiteral(u"另一个")), QDir(state.Path()).filePath(QStringLiteral("other.log")));
    EXPECT_FALSE(other.waitForFinished(1500)); // it keeps running beside the first
    for (QProcess *process : { &first, &other }) {
        process->terminate();
        EXPECT_TRUE(process->waitForFinished(10000));
    }
}

} // namespace
} // namespace zelto::testing
