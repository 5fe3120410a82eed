#pragma once

#include <QByteArray>
#include <QString>

// The server the player chose last. The login-gate session writes these whenever a server is
// chosen (tree click, choice box or the automatic connect), before it connects; the game start
// reads them to tell the game client where to go. User-interface thread only.
namespace zelto {

extern QString g_sServerName;  // the server's DisplayName
extern QByteArray g_sServerKey; // the server's Key, still enciphered
extern QString g_sServerAddr;  // the dotted address the gate socket connects to
extern int g_nServerPort;      // the server's Port
extern int g_nServerID;        // the server's Srvid as a number (0 when it is none); also the SID setting

} // namespace zelto
