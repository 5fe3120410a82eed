#pragma once

#include "launch/GameClient.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// What the stand-in game client received: its command line deciphered as the launch record
// and the environment file of its kind deciphered as a document, with the same readers as
// "zelto-pack decode-launch" and "zelto-pack decode-env".
namespace zelto::probe {

inline constexpr char kOutputVariable[] = "ZELTO_PROBE_OUT";
inline constexpr char kExitVariable[] = "ZELTO_PROBE_EXIT";

// Quorra3D for a program named "Quorra3D.exe" (any letter case), cocos otherwise.
TClientKind KindOfProgram(const QString &program);
QString KindName(TClientKind kind); // "cocos" / "quorra3d"

// The environment file is looked for in the working folder, where the launcher starts the client.
QJsonObject ProbeReport(const QString &program, const QStringList &arguments, const QString &workingFolder);

// ZELTO_PROBE_OUT, else the program's path followed by ".probe.json".
QString OutputPath(const QString &program);

} // namespace zelto::probe
