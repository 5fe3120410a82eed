#include "launch/GameClient.h"
#include "launch/BrelPath.h"
#include "launch/GameType.h"

#include "support/ClientKinds.h"
#include "support/LocalState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace zelto {
namespace {

using testing::TClientKindCase;

class GameClient : public ::testing::TestWithParam<TClientKindCase> {
protected:
    void SetUp() override { GameType = QLatin1String(GetParam().gameType); }

    QString Folder() const { return m_state.Path() + QStringLiteral("/client/"); }

    // Every folder and file of the kind's layout.
    void MakeClient() const
    {
        const TClientLayout &layout = ClientLayout(GetParam().kind);
        for (const QString &folder : layout.folders)
            ASSERT_TRUE(QDir().mkpath(Folder() + folder));
        for (const QString &file : layout.files) {
            QFile marker(Folder() + file);
            ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        }
    }

    testing::ScopedLocalState m_state;
};

TEST_P(GameClient, KindFollowsTheGameType)
{
    EXPECT_EQ(CurrentClientKind(), GetParam().kind);
    EXPECT_EQ(ClientLayout(TClientKind::Cocos).executable, QStringLiteral("Game.exe"));
    EXPECT_EQ(ClientLayout(TClientKind::Quorra3D).executable, QStringLiteral("Quorra3D.exe"));
    EXPECT_EQ(ClientKindOf(QStringLiteral("brel25d")), TClientKind::Cocos); // the game type is compared exactly
}

TEST_P(GameClient, FolderWithTheWholeLayoutIsAClient)
{
    EXPECT_FALSE(IsGameClientDir(Folder()));
    MakeClient();
    EXPECT_TRUE(IsGameClientDir(Folder()));
    const TClientKind other = GetParam().kind == TClientKind::Cocos ? TClientKind::Quorra3D : TClientKind::Cocos;
    EXPECT_FALSE(IsGameClientDir(Folder(), other));
}

TEST_P(GameClient, EachMissingOrWrongKindOfEntryRefusesTheFolder)
{
    const TClientLayout &layout = ClientLayout(GetParam().kind);
    for (const QString &folder : layout.folders) {
        MakeClient();
        ASSERT_TRUE(QDir(Folder() + folder).removeRecursively());
        EXPECT_FALSE(IsGameClientDir(Folder())) << "without " << folder.toStdString();
        QFile plainFile(Folder() + folder);
        ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
        plainFile.close();
        EXPECT_FALSE(IsGameClientDir(Folder())) << folder.toStdString() << " as a file";
        ASSERT_TRUE(QFile::remove(Folder() + folder));
    }
    for (const QString &file : layout.files) {
        MakeClient();
        ASSERT_TRUE(QFile::remove(Folder() + file));
        EXPECT_FALSE(IsGameClientDir(Folder())) << "without " << file.toStdString();
        ASSERT_TRUE(QDir().mkpath(Folder() + file));
        EXPECT_FALSE(IsGameClientDir(Folder())) << file.toStdString() << " as a folder";
        ASSERT_TRUE(QDir(Folder() + file).removeRecursively());
    }
}

TEST_P(GameClient, EnvironmentFileLiesWhereTheKindReadsIt)
{
    g_sBrelPath = Folder();
    const QString expected = GetParam().kind == TClientKind::Quorra3D
        ? Folder() + QStringLiteral("Quorra3D_Data/StreamingAssets/env.json")
        : Folder() + QStringLiteral("env.json");
    EXPECT_EQ(EnvironmentFilePath(CurrentGameClient()), expected);
    EXPECT_FALSE(QFileInfo::exists(Folder()));
    EXPECT_EQ(EnvironmentFileName(), expected);
    // Only the Quorra3D client's folders are created.
    EXPECT_EQ(QFileInfo(expected).dir().exists(), GetParam().kind == TClientKind::Quorra3D);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GameClient, ::testing::ValuesIn(testing::kClientKinds), testing::ClientKindName);

} // namespace
} // namespace zelto
