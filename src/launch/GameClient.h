#pragma once

#include <QString>
#include <QStringList>

// The two kinds of game client the launcher serves, what a folder must hold to be one, and
// where each kind reads its environment file. Paths are formed by plain concatenation onto
// a client folder that ends with a separator.
namespace zelto {

enum class TClientKind { Cocos, Quorra3D };

struct TClientLayout {
    QString executable;          // "Game.exe" / "Quorra3D.exe"
    QStringList folders;         // must exist as folders
    QStringList files;           // must exist as files
    QString environmentFolder;   // relative; empty for the client folder itself
};

inline constexpr char kEnvironmentFileName[] = "env.json";

TClientKind ClientKindOf(const QString &gameType);
TClientKind CurrentClientKind(); // from GameType
const TClientLayout &ClientLayout(TClientKind kind);

// A client folder and its kind. The package downloader's worker takes one on the
// user-interface thread and passes it to what it calls, rather than reading the globals.
struct TGameClient {
    QString folder; // ends with a separator
    TClientKind kind = TClientKind::Cocos;
};

TGameClient CurrentGameClient(); // g_sBrelPath and GameType; user-interface thread

// True when every folder and file of the kind's layout is in Dir (ending with a separator).
bool IsGameClientDir(const QString &Dir);
bool IsGameClientDir(const QString &Dir, TClientKind kind);

// Where the client reads its environment file.
QString EnvironmentFilePath(const TGameClient &client);
// The same, after creating the missing folders of the Quorra3D client's environment folder.
QString EnvironmentFileName(const TGameClient &client = CurrentGameClient());

} // namespace zelto
