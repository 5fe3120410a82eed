#include "protocol/SelectedServer.h"

namespace zelto {

QString g_sServerName;
QByteArray g_sServerKey;
QString g_sServerAddr;
int g_nServerPort = 0;
int g_nServerID = 0;

} // namespace zelto
