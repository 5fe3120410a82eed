#include "support/LocalState.h"

#include "app/LocalSettings.h"
#include "app/RunningClients.h"
#include "launch/BrelPath.h"
#include "launch/GameType.h"
#include "platform/PlatformSession.h"
#include "protocol/SelectedServer.h"

#include <QDir>

namespace zelto::testing {
namespace {

void ResetProcessWideValues()
{
    g_sAccount.clear();
    g_nSID = 0;
    g_nResolutionIndex = 8;
    g_sResolution.clear();
    g_nWidth = 1024;
    g_nHeight = 768;
    g_boFullScreen = true;
    g_boWaitVBlank = true;
    g_bo3D = true;
    g_nScreenWidth = 1024;
    g_nScreenHeight = 768;
    g_boNewInterface = false;
    g_sServerListCache.clear();
    GameType = QStringLiteral("brel");
    g_sBrelPath.clear();
    RunningClients().clear();
    g_sServerName.clear();
    g_sServerKey.clear();
    g_sServerAddr.clear();
    g_nServerPort = 0;
    g_nServerID = 0;
    PlatformSession().Reset();
}

} // namespace

ScopedLocalState::ScopedLocalState(int gatewaySpacingMs)
{
    QDir(FFolder.path()).mkpath(QStringLiteral("tmp"));
    QDir(FFolder.path()).mkpath(QStringLiteral("config"));
    SetEnvironment("TMPDIR", (FFolder.path() + QStringLiteral("/tmp")).toLocal8Bit());
    SetEnvironment("HOME", FFolder.path().toLocal8Bit());
    SetEnvironment("XDG_CONFIG_HOME", (FFolder.path() + QStringLiteral("/config")).toLocal8Bit());
    SetEnvironment("ZELTO_GATEWAY_SPACING_MS", QByteArray::number(gatewaySpacingMs));
    ResetProcessWideValues();
}

ScopedLocalState::~ScopedLocalState()
{
    ResetProcessWideValues();
    for (const auto &[name, value] : FSaved) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
}

void ScopedLocalState::SetEnvironment(const char *name, const QByteArray &value)
{
    if (!FSaved.contains(name))
        FSaved[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    qputenv(name, value);
}

} // namespace zelto::testing
