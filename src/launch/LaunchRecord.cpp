#include "launch/LaunchRecord.h"

#include "app/LocalSettings.h"
#include "catalog/uServerList.h"

#include <cstring>

namespace zelto {
namespace {

QString WithTrailingSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder;
    // The catalogue writes its folders the Windows way ("ZeltoResource\"), as the client reads them.
    return folder + QLatin1Char('\\');
}

} // namespace

TDisplaySettings CurrentDisplaySettings()
{
    return { g_boFullScreen, g_boWaitVBlank, g_bo3D, g_nScreenWidth, g_nScreenHeight, g_boNewInterface };
}

QByteArray TLaunchRecord::ToBytes() const
{
    return QByteArray(reinterpret_cast<const char *>(this), kSize);
}

std::optional<TLaunchRecord> TLaunchRecord::FromBytes(QByteArrayView bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    TLaunchRecord record;
    std::memcpy(static_cast<void *>(&record), bytes.data(), kSize);
    return record;
}

TLaunchRecord BuildLaunchRecord(const TSelectedServer &server, const TServerInfo &serverInfo,
                                const TDisplaySettings &display)
{
    TLaunchRecord record;
    record.ServerName.SetTextCut(server.name);
    record.ServerAddr.SetTextCut(server.address);
    record.ServerKey.SetBytesCut(server.key);
    record.ResFolder.SetTextCut(WithTrailingSeparator(serverInfo.ResFolder()));
    record.Port = server.port;
    record.FullScreen = display.FullScreen;
    record.WaitVBlank = display.WaitVBlank;
    record.Do3D = display.Do3D;
    record.EnabledMini = serverInfo.EnabledMini;
    record.ScreenWidth = display.ScreenWidth;
    record.ScreenHeight = display.ScreenHeight;
    record.NewInterface = display.NewInterface && !serverInfo.ClassicsUI;
    record.ClientType = serverInfo.ClientType;
    record.AutoClientType = serverInfo.AutoClientType;
    record.AssistantKind = serverInfo.AssistantKind;
    return record;
}

QString GameCommandLine(const QString &clientFolder, const QString &executable, const QString &argument)
{
    return QStringLiteral("%1%2 %3").arg(clientFolder, executable, argument);
}

} // namespace zelto
