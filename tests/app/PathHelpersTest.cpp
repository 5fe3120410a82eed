#include "app/PathHelpers.h"
#include "support/LocalState.h"
#include "support/PackedLauncherFixture.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace zelto {
namespace {

const QString kKey = QStringLiteral("\\SOFTWARE\\WynClient\\ExePath");

class PathHelpers : public ::testing::Test {
protected:
    testing::ScopedLocalState state;
};

TEST_F(PathHelpers, RegistryValuesSurviveInTheStoreUnderTheirKeyAndName)
{
    EXPECT_FALSE(ReadMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("Path7")).Found);
    const QString folder = QStringLiteral(u"/home/玩家/Game Client 7/");
    ASSERT_TRUE(WriteMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("Path7"), folder));
    EXPECT_TRUE(WriteMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("Path8"), QStringLiteral("  /x  ")));

    const TRegistryRead seven = ReadMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("path7"));
    EXPECT_TRUE(seven.Found);
    EXPECT_EQ(seven.Text, folder);
    EXPECT_EQ(ReadMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("Path8")).Text, QStringLiteral("/x"));
    EXPECT_TRUE(QFile(MachineRegistryFile()).exists());
    EXPECT_TRUE(MachineRegistryFile().startsWith(state.Path() + QStringLiteral("/config/WynClient/")));
}

TEST_F(PathHelpers, IntegerValuesAreDecimalText)
{
    ASSERT_TRUE(WriteMachineRegistry(TRegistryKind::rkInteger, kKey, QStringLiteral("Count"), QStringLiteral("42")));
    EXPECT_EQ(ReadMachineRegistry(TRegistryKind::rkInteger, kKey, QStringLiteral("Count")).Text, QStringLiteral("42"));
    ASSERT_TRUE(WriteMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("Word"), QStringLiteral("abc")));
    EXPECT_FALSE(ReadMachineRegistry(TRegistryKind::rkInteger, kKey, QStringLiteral("Word")).Found);
}

TEST_F(PathHelpers, AStoreThatCannotBeOpenedFindsNothingAndWritesNothing)
{
    // A file where the store's folder belongs: the key cannot be opened or created.
    QDir().mkpath(state.Path() + QStringLiteral("/config"));
    testing::WriteFile(state.Path() + QStringLiteral("/config/WynClient"), "not a folder");
    EXPECT_FALSE(WriteMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("Path7"), QStringLiteral("/x")));
    EXPECT_FALSE(ReadMachineRegistry(TRegistryKind::rkString, kKey, QStringLiteral("Path7")).Found);
}

TEST_F(PathHelpers, ShellFoldersOfTheUser)
{
    EXPECT_EQ(GetShellFolder(QStringLiteral("Desktop")), state.Path() + QStringLiteral("/Desktop"));
    EXPECT_EQ(GetShellFolder(QStringLiteral("NoSuchFolder")), QString());
}

// The Exec value read back as the desktop entry rules say: string escapes, then one quoted
// argument with its four escapes, "%%" for "%".
QString ExecTargetOf(const QString &entry)
{
    QString exec;
    for (const QString &line : entry.split(u'\n'))
        if (line.startsWith(QLatin1String("Exec=")))
            exec = line.mid(5);
    QString value;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size()) {
            const QChar next = exec[++i];
            value += next == u'n' ? QChar(u'\n') : next == u's' ? QChar(u' ') : next;
        } else {
            value += exec[i];
        }
    }
    value.replace(QStringLiteral("%%"), QStringLiteral("%"));
    if (!value.startsWith(u'"') || !value.endsWith(u'"'))
        return QStringLiteral("<not quoted: %1>").arg(value);
    QString argument;
    for (qsizetype i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == u'\\' && i + 2 < value.size())
            ++i;
        argument += value[i];
    }
    return argument;
}

TEST_F(PathHelpers, DesktopShortcutStartsTheTargetWhateverItsPathHolds)
{
    const QString folder = state.Path() + QStringLiteral(u"/游戏 \"a\" $HOME %d `x` \\b");
    QDir().mkpath(folder);
    const QString target = folder + QStringLiteral(u"/传奇世界.exe");
    CreateDesktopShortcut(target, QStringLiteral(u"传奇世界"));

    QFile entry(DesktopShortcutPath(QStringLiteral(u"传奇世界")));
    ASSERT_EQ(QFileInfo(entry).path(), state.Path() + QStringLiteral("/Desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.startsWith(QLatin1String("[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(u"\nName=传奇世界\n")));
    EXPECT_EQ(ExecTargetOf(text), target);
    EXPECT_TRUE(QFileInfo(entry).isExecutable());
}

TEST_F(PathHelpers, AnExistingShortcutIsNeverReplaced)
{
    const QString path = DesktopShortcutPath(QStringLiteral("Title"));
    QDir().mkpath(QFileInfo(path).path());
    testing::WriteFile(path, "mine");
    CreateDesktopShortcut(QStringLiteral("/somewhere/launcher"), QStringLiteral("Title"));
    QFile entry(path);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_EQ(entry.readAll(), QByteArray("mine"));
}

TEST_F(PathHelpers, ATitleWithSlashesStaysOnTheDesktop)
{
    EXPECT_EQ(QFileInfo(DesktopShortcutPath(QStringLiteral("../../etc/x"))).path(), state.Path() + QStringLiteral("/Desktop"));
}

} // namespace
} // namespace zelto
