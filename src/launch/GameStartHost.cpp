#include "launch/GameStartHost.h"

#include "app/Termination.h"
#include "app/uLogin.h"
#include "protocol/SelectedServer.h"

namespace zelto {

TSelectedServer CurrentSelectedServer()
{
    return { g_sServerName, g_sServerKey, g_sServerAddr, g_nServerPort, g_nServerID };
}

const TLauncherConfiguration &TGameStartHost::Configuration() const { return FApp.Configuration(); }

const TServerInfo &TGameStartHost::ServerInfo() const { return FApp.ServerInfo(); }

void TGameStartHost::OpenFirstAidRun()
{
    if (IClientDownloader *downloader = FApp.Subsystems().downloader.get())
        downloader->OpenDown(IClientDownloader::kFirstAidRun);
    else
        FApp.Print(TMessageType::mtWaringin, TuClientApp::kNotAvailable);
}

void TGameStartHost::EndLauncher() { RequestApplicationTermination(); }

void TGameStartHost::Print(TMessageType type, const QString &message) { FApp.Print(type, message); }

} // namespace zelto
