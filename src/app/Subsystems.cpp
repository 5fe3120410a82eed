#include "app/Subsystems.h"

#include "app/uLogin.h"
#include "deploy/Deployment.h"
#include "launch/GameStartHost.h"
#include "platform/AccountPlatform.h"
#include "protocol/ClassicAccountDialogs.h"
#include "protocol/GateSession.h"

namespace zelto {

void BindSubsystems(TuClientApp &app, TSubsystems &subsystems)
{
    subsystems.gate = std::make_unique<TGateSession>(app, app, deploy::GateConnectDeadlineMs());
    subsystems.accountDialogs = std::make_unique<TClassicAccountDialogs>(app);
    subsystems.platform = std::make_unique<TAccountPlatform>(app);
    subsystems.gameStart = std::make_unique<TGameStart>(std::make_unique<TGameStartHost>(app));
}

} // namespace zelto
