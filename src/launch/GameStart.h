#pragma once

#include "app/StatusLine.h"
#include "app/Subsystems.h"
#include "launch/LaunchRecord.h"

#include <memory>

// Starting the game client: the checks, the environment file, the launch record and the
// client process; and opening the first-aid run.
namespace zelto {

struct TLauncherConfiguration;
class TServerInfo;

// What the game start needs of the application controller.
class IGameStartHost : public IStatusLine {
public:
    virtual const TLauncherConfiguration &Configuration() const = 0;
    virtual const TServerInfo &ServerInfo() const = 0;
    virtual TSelectedServer SelectedServer() const = 0;
    // The package downloader's first-aid run.
    virtual void OpenFirstAidRun() = 0;
    // The client has started: the launcher ends.
    virtual void EndLauncher() = 0;
};

class TGameStart final : public IGameStart {
public:
    explicit TGameStart(IGameStartHost &host) : FHost(host) {}
    explicit TGameStart(std::unique_ptr<IGameStartHost> host) : FOwnHost(std::move(host)), FHost(*FOwnHost) {}

    // For the logged-in player (the controller runs the login before it). Runs on the
    // user-interface thread; reports every refusal itself.
    void StartGame() override;
    void Start360() override;

    static const QString kNoServer;        // "请先选择游戏区！"
    static const QString kMissingClient;   // "客户端文件“%1”不存在，无法启动游戏"
    static const QString kTooManyClients;  // "不可打开更多的客户端！"
    static const QString kStartFailed;     // "游戏启动失败.Error:"

private:
    bool ClientMayStart(const TSelectedServer &server, const QString &executable);
    bool WriteEnvironment(const TSelectedServer &server);
    void StartClient(const TLaunchRecord &record, const QString &executable);

    std::unique_ptr<IGameStartHost> FOwnHost;
    IGameStartHost &FHost;
};

} // namespace zelto
