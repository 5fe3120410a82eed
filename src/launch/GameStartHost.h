#pragma once

#include "launch/GameStart.h"

// The game start's view of the application controller.
namespace zelto {

class TuClientApp;

// The selected-server values the login-gate session keeps (protocol/SelectedServer.h).
TSelectedServer CurrentSelectedServer();

class TGameStartHost final : public IGameStartHost {
public:
    explicit TGameStartHost(TuClientApp &app) : FApp(app) {}

    const TLauncherConfiguration &Configuration() const override;
    const TServerInfo &ServerInfo() const override;
    TSelectedServer SelectedServer() const override { return CurrentSelectedServer(); }
    void OpenFirstAidRun() override;
    void EndLauncher() override;
    void Print(TMessageType type, const QString &message) override;

private:
    TuClientApp &FApp;
};

} // namespace zelto
