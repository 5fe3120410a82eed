#include "launch/GameStart.h"

#include "app/Notifier.h"
#include "app/PasswordCodec.h"
#include "app/RunningClients.h"
#include "app/Trace.h"
#include "catalog/uServerList.h"
#include "launch/BrelPath.h"
#include "launch/GameClient.h"
#include "launch/GameEnvironment.h"
#include "launch/ProgramStartText.h"
#include "os/Processes.h"
#include "platform/PlatformSession.h"

#include <QFileInfo>

#include <exception>

namespace zelto {
namespace {

const QString kCaption = QStringLiteral(u"提示");

void Refuse(const QString &message) { Notifier().ShowMessage(message, kCaption, NoticeIcon::Error); }

} // namespace

const QString TGameStart::kNoServer = QStringLiteral(u"请先选择游戏区！");
const QString TGameStart::kMissingClient = QStringLiteral(u"客户端文件“%1”不存在，无法启动游戏");
const QString TGameStart::kTooManyClients = QStringLiteral(u"不可打开更多的客户端！");
const QString TGameStart::kStartFailed = QStringLiteral(u"游戏启动失败.Error:");

void TGameStart::StartGame()
{
    const TSelectedServer server = FHost.SelectedServer();
    const QString executable = ClientLayout(CurrentClientKind()).executable;
    if (!ClientMayStart(server, executable))
        return;
    const TLaunchRecord record = BuildLaunchRecord(server, FHost.ServerInfo(), CurrentDisplaySettings());
    if (!WriteEnvironment(server))
        return;
    // Whatever happens next, a later start logs in afresh.
    PlatformSession().user_id.clear();
    StartClient(record, executable);
}

void TGameStart::Start360() { FHost.OpenFirstAidRun(); }

bool TGameStart::ClientMayStart(const TSelectedServer &server, const QString &executable)
{
    if (server.id == 0) {
        Refuse(kNoServer);
        return false;
    }
    Trace(QStringLiteral("开始启动游戏 "));
    if (!QFileInfo(g_sBrelPath + executable).isFile()) {
        FHost.Print(TMessageType::mtError, kMissingClient.arg(executable));
        return false;
    }
    if (RunningClients().size() >= FHost.ServerInfo().MaxClient) {
        Refuse(kTooManyClients);
        return false;
    }
    return true;
}

bool TGameStart::WriteEnvironment(const TSelectedServer &server)
{
    try {
        WriteGameEnvironment(FHost.Configuration(), server.id);
        return true;
    } catch (const std::exception &error) {
        // The client cannot play without its session; it is not started.
        Trace(QStringLiteral("WriteGameEnvironment: %1").arg(QString::fromStdString(error.what())));
        Refuse(QStringLiteral(u"无法写入游戏环境文件“%1”，游戏未启动").arg(EnvironmentFilePath(CurrentGameClient())));
        return false;
    }
}

void TGameStart::StartClient(const TLaunchRecord &record, const QString &executable)
{
    const QString argument = EncryptLaunchArgument(record.ToBytes());
    Trace(QStringLiteral("sCommandLine ") + GameCommandLine(g_sBrelPath, executable, argument));
    const os::TProgramStart start = os::StartDetachedProgram(g_sBrelPath + executable, { argument }, g_sBrelPath);
    if (!start.started) {
        Trace(QStringLiteral("CreateProcess: %1").arg(start.reason));
        FHost.Print(TMessageType::mtError, NotStartedText(kStartFailed, executable, start));
        return;
    }
    RunningClients().append(QString::number(start.processId));
    FHost.EndLauncher();
}

} // namespace zelto
