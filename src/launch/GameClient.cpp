#include "launch/GameClient.h"

#include "launch/BrelPath.h"
#include "launch/GameType.h"

#include <QDir>
#include <QFileInfo>

namespace zelto {

TClientKind ClientKindOf(const QString &gameType)
{
    return gameType == QStringView(kQuorra3DGameType) ? TClientKind::Quorra3D : TClientKind::Cocos;
}

TClientKind CurrentClientKind() { return ClientKindOf(GameType); }

const TClientLayout &ClientLayout(TClientKind kind)
{
    static const TClientLayout cocos { QStringLiteral("Game.exe"),
                                       { QStringLiteral("mod_launcher"), QStringLiteral("mod_fgbrel") },
                                       { QStringLiteral("libcocos2d.dll") },
                                       {} };
    static const TClientLayout quorra3D { QStringLiteral("Quorra3D.exe"),
                                          { QStringLiteral("Quorra3D_Data"), QStringLiteral("MonoBleedingEdge") },
                                          { QStringLiteral("UnityPlayer.dll"), QStringLiteral("WinPixEventRuntime.dll") },
                                          QStringLiteral("Quorra3D_Data/StreamingAssets/") };
    return kind == TClientKind::Quorra3D ? quorra3D : cocos;
}

TGameClient CurrentGameClient() { return { g_sBrelPath, CurrentClientKind() }; }

bool IsGameClientDir(const QString &Dir) { return IsGameClientDir(Dir, CurrentClientKind()); }

bool IsGameClientDir(const QString &Dir, TClientKind kind)
{
    const TClientLayout &layout = ClientLayout(kind);
    for (const QString &folder : layout.folders) {
        if (!QFileInfo(Dir + folder).isDir())
            return false;
    }
    for (const QString &file : layout.files) {
        if (!QFileInfo(Dir + file).isFile())
            return false;
    }
    return true;
}

QString EnvironmentFilePath(const TGameClient &client)
{
    return client.folder + ClientLayout(client.kind).environmentFolder + QLatin1String(kEnvironmentFileName);
}

QString EnvironmentFileName(const TGameClient &client)
{
    const QString environmentFolder = ClientLayout(client.kind).environmentFolder;
    if (!environmentFolder.isEmpty())
        QDir().mkpath(client.folder + environmentFolder);
    return EnvironmentFilePath(client);
}

} // namespace zelto
