#include "app/uLogin.h"

#include "app/Resolutions.h"
#include "app/Termination.h"
#include "app/Trace.h"
#include "guard/MachineIdentity.h"
#include "os/TickCount.h"
#include "os/UrlOpener.h"
#include "ui/ServerItemData.h"
#include "ui/uGameSetting.h"
#include "ui/uMainFrm.h"

#include <QApplication>

#include <algorithm>
#include <limits>

namespace zelto {

const QString TuClientApp::kNotAvailable = QStringLiteral(u"该功能暂未开放");
const QString TuClientApp::kSpeedWarning = QStringLiteral(u"发现系统速度不正常，请勿使用加速软件");

namespace {

constexpr int kStartupTimerMs = 10;
constexpr int kPhoneCountdownTickMs = 1000;
constexpr int kQueryPollMs = 3000;
constexpr quint32 kPhoneCountdownMs = 60000;
constexpr quint32 kQueryPollLimitMs = 59999;

int ClampToInt(qint64 value) { return int(std::clamp<qint64>(value, 0, std::numeric_limits<int>::max())); }

} // namespace

TuClientApp::TuClientApp(const TLauncherConfiguration &configuration)
    : m_configuration(configuration)
    , m_localSettings(configuration.sTitle.Text())
    , m_catalogue(FServerInfo, *this)
{
    m_localSettings.LoadSettings();
    m_localSettings.LoadServerListCache();
    g_nSID = 0; // taken up again when a server list is loaded, which loads the settings anew
    for (QTimer *timer : { &FTimer, &FMiniDownTimer })
        timer->setInterval(kStartupTimerMs);
    FMiniTimer.setInterval(kPhoneCountdownTickMs);
    FTimerQuyery.setInterval(kQueryPollMs);
    connect(&FTimer, &QTimer::timeout, this, &TuClientApp::StartupPass);
    connect(&FMiniTimer, &QTimer::timeout, this, &TuClientApp::PhoneCountdownTick);
    connect(&FTimerQuyery, &QTimer::timeout, this, &TuClientApp::QueryPollTick);

    BindSubsystems(*this, m_subsystems);

    // The speed monitor belongs to the application, like the windows.
    m_kernelMonitor = new TDMKernelMonitor(QCoreApplication::instance());
    m_kernelMonitor->SetKernelEvent([this](int code) { HandleKernelEvent(code); });
    sOSName = GetOSName();
    sDeviceId = GetDeviceId();
    g_ClientApp = this;
}

TuClientApp::~TuClientApp()
{
    g_ClientApp = nullptr;
    SaveSettings();
    delete m_kernelMonitor;
}

void TuClientApp::Open()
{
    FTimer.start();
    const QString account = g_sAccount;
    if (!EditID || account.isEmpty())
        return;
    EditID->SetHelpText(QString());
    EditID->setText(account);
    if (EditPW)
        EditPW->clear(); // no session password exists before the first login
}

void TuClientApp::StartupPass()
{
    FTimer.stop();
    const TCatalogueAddresses addresses { m_configuration.ServerListURL.Text(),
        m_configuration.ServerListURL2.Text(), m_configuration.ServerListURL3.Text() };
    const bool catalogue = m_catalogue.CheckServerInfo(addresses);
    if (m_subsystems.startupUpdates)
        m_subsystems.startupUpdates->InstallIntoClientFolder();
    LoadSettings();
    if (FMainForm) {
        QList<IResolutionBox *> boxes;
        for (TuControl *control : SkinControlsOf(*FMainForm)) {
            if (IsSkinClass(&control->Widget(), QLatin1StringView("TuResolutionCombobox")))
                boxes.append(static_cast<TuResolutionCombobox *>(&control->Widget()));
        }
        LoadResolutions(boxes);
    }
    if (catalogue) {
        DoHttp();
        IStartupUpdates *updates = m_subsystems.startupUpdates.get();
        if (updates && updates->UpdateMySelf()) {
            RequestApplicationTermination();
            return;
        }
        if (updates) {
            updates->CreateDesktopShortcut();
            updates->RunUpdatePasses();
        }
        if (FServerInfo.EnabledMini)
            FMiniTimer.start();
        else
            FMiniTimer.stop();
        m_kernelMonitor->SetSpeed(true);
    }
    FAtCheckVer = false;
}

void TuClientApp::ReportNotAvailable() { Print(TMessageType::mtWaringin, kNotAvailable); }

void TuClientApp::StartGame()
{
    if (m_subsystems.platform && m_subsystems.platform->LoginBeforeStart())
        return;
    Forward(m_subsystems.gameStart, [](IGameStart &start) { start.StartGame(); });
}

void TuClientApp::CloseLauncher()
{
    if (m_subsystems.gate && m_subsystems.gate->Connected())
        m_subsystems.gate->CloseSocket();
    RequestApplicationTermination();
}

void TuClientApp::ShowNewAccount()
{
    Forward(m_subsystems.accountDialogs, [](IClassicAccountDialogs &dialogs) { dialogs.ShowNewAccount(); });
}

void TuClientApp::ShowChangePwd()
{
    Forward(m_subsystems.accountDialogs, [](IClassicAccountDialogs &dialogs) { dialogs.ShowChangePwd(); });
}

void TuClientApp::ShowGetBackPwd()
{
    Forward(m_subsystems.accountDialogs, [](IClassicAccountDialogs &dialogs) { dialogs.ShowGetBackPwd(); });
}

void TuClientApp::OpenURL(const QString &address)
{
    if (!os::OpenUrlInBrowser(address))
        Trace(QStringLiteral("无法打开网址 %1").arg(address));
}

void TuClientApp::ShowSettings()
{
    if (!FrmSetting)
        return;
    CentreOverMainForm(*FrmSetting);
    FrmSetting->LoadConfig();
    if (FrmSetting->exec() == TFrmSetting::kOkResult)
        SaveSettings();
}

void TuClientApp::LoadSettings() { m_localSettings.LoadSettings(); }

void TuClientApp::SaveSettings()
{
    if (!m_localSettings.SaveSettings())
        Trace(QStringLiteral(u"无法写入设置文件 %1").arg(m_localSettings.SettingsFileName()));
}

void TuClientApp::SaveServerListCache() { m_localSettings.SaveServerListCache(); }

void TuClientApp::OpenRepair() { DoHttp(); }

void TuClientApp::DoHttp()
{
    Forward(m_subsystems.downloader, [](IClientDownloader &downloader) { downloader.OpenDown(IClientDownloader::kNormalRun); });
}

void TuClientApp::ToggleResolutionDropDown()
{
    if (ResolutionCombobox)
        ResolutionCombobox->SetDroppedDown(!ResolutionCombobox->DroppedDown());
}

void TuClientApp::ShowPhoneReg()
{
    Forward(m_subsystems.platform, [](IAccountPlatform &platform) { platform.ShowPhoneReg(); });
}

void TuClientApp::SetLoginPasswd()
{
    if (LoginExchange)
        PasswordLogin = LoginExchange->Check();
    if (PhoneBtn)
        PhoneBtn->setVisible(!PasswordLogin);
}

void TuClientApp::LoginQueryQQandWXUrl(int kind)
{
    Forward(m_subsystems.platform, [kind](IAccountPlatform &platform) { platform.LoginQueryQQandWXUrl(kind); });
}

void TuClientApp::Start360()
{
    Forward(m_subsystems.gameStart, [](IGameStart &start) { start.Start360(); });
}

void TuClientApp::Print(TMessageType type, const QString &message)
{
    if (!FMainForm)
        return;
    const QColor colour = ColorFromTColor(StatusColour(type));
    for (TuControl *control : SkinControlsOf(*FMainForm)) {
        if (!IsSkinClass(&control->Widget(), QLatin1StringView("TuInfLable")))
            continue;
        auto &label = static_cast<TuInfLable &>(control->Widget());
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, colour);
        label.setPalette(palette);
        label.setText(message);
    }
}

void TuClientApp::PrintEx(const TUpdateItem *, const QString &message) { Print(TMessageType::mtNormal, message); }

void TuClientApp::DoFileBegin()
{
    if (!FTuCurProgressBar)
        return;
    FTuCurProgressBar->SetMin(0);
    FTuCurProgressBar->SetMax(100);
    FTuCurProgressBar->SetPosition(0);
}

void TuClientApp::DoProgress(qint64 total, qint64 done)
{
    if (!FTuCurProgressBar)
        return;
    FTuCurProgressBar->SetMin(0);
    FTuCurProgressBar->SetMax(int(ClampToInt(total)));
    FTuCurProgressBar->SetPosition(int(ClampToInt(done)));
}

void TuClientApp::DoFileEnd()
{
    if (FTuCurProgressBar)
        FTuCurProgressBar->SetPosition(FTuCurProgressBar->Max());
    if (FTuAllProgressBar)
        FTuAllProgressBar->SetPosition(FTuAllProgressBar->Position() + 1);
}

void TuClientApp::DoBeginUpdateItem(qint64 total)
{
    if (!FTuCurProgressBar)
        return;
    FTuCurProgressBar->SetMin(0);
    FTuCurProgressBar->SetMax(int(ClampToInt(total)));
}

void TuClientApp::DoEndUpdateItem()
{
    if (FTuAllProgressBar)
        FTuAllProgressBar->SetPosition(FTuAllProgressBar->Position() + 1);
}

void TuClientApp::FillServerTree()
{
    if (WebBrowser) {
        WebBrowser->SetSilent(true);
        WebBrowser->SetRefuseNewWindows(true);
        WebBrowser->NavigateToStart();
    }
    int servers = 0;
    if (TreeView) {
        TreeView->setUpdatesEnabled(false);
        TreeView->clear();
        QTreeWidgetItem *heading = nullptr;
        QTreeWidgetItem *firstServer = nullptr;
        QTreeWidgetItem *remembered = nullptr;
        for (const TServerTreeLine &line : ServerTreeOrder(FServerInfo.ServerList)) {
            if (!line.Server) {
                heading = new QTreeWidgetItem(TreeView, { line.Heading });
                continue;
            }
            auto *node = new QTreeWidgetItem(heading, { line.Server->DisplayName + line.Server->StateText() });
            node->setData(0, kServerRole, ServerItemData(line.Server));
            ++servers;
            if (!firstServer)
                firstServer = node;
            // A server id that is not a decimal number never matches the remembered one.
            bool decimal = false;
            if (g_nSID != 0 && line.Server->Srvid.toInt(&decimal) == g_nSID && decimal)
                remembered = node;
        }
        QTreeWidgetItem *defaultNode = remembered ? remembered : firstServer;
        TreeView->expandAll();
        TreeView->setUpdatesEnabled(true);
        if (TreeView->topLevelItemCount() > 0) {
            SetButtonsEnabled(false);
            if (defaultNode) {
                TreeView->scrollToItem(defaultNode->parent(), QAbstractItemView::PositionAtTop);
                TreeView->setCurrentItem(defaultNode);
            }
            if (TreeView->isEnabled())
                AutoConnectPending = true;
        }
    }
    emit ServerTreeFilled(servers);
}

const TServerItem *TuClientApp::ServerOfNode(const QTreeWidgetItem &node)
{
    return ServerItemOf(FServerInfo.ServerList, node.data(0, kServerRole));
}

void TuClientApp::SetButtonsEnabled(bool enabled)
{
    if (!FMainForm)
        return;
    const IAccountPlatform *platform = m_subsystems.platform.get();
    for (TuControl *control : SkinControlsOf(*FMainForm)) {
        QWidget &widget = control->Widget();
        const bool gated = IsSkinClass(&widget, QLatin1StringView("TuStartBtton"))
            || IsSkinClass(&widget, QLatin1StringView("TuGetBackPassButton"))
            || IsSkinClass(&widget, QLatin1StringView("TuRegisterButton"))
            || IsSkinClass(&widget, QLatin1StringView("TuChangePassButton"));
        const bool thirdParty = platform
            && ((IsSkinClass(&widget, QLatin1StringView("TuQQBtton")) && platform->QQLoginOffered())
                || (IsSkinClass(&widget, QLatin1StringView("TuWeiXinBtton")) && platform->WeChatLoginOffered()));
        if (gated || thirdParty)
            widget.setEnabled(enabled);
        if (thirdParty && !enabled)
            FTimerQuyery.stop();
    }
}

void TuClientApp::PhoneLbMouseDown()
{
    Forward(m_subsystems.platform, [](IAccountPlatform &platform) { platform.PhoneLbMouseDown(); });
}

void TuClientApp::HandleKernelEvent(int code)
{
    if (code == TDMKernelMonitor::kDeviationCode || code == TDMKernelMonitor::kRepeatedDeviationCode)
        Print(TMessageType::mtError, kSpeedWarning);
}

void TuClientApp::ConnectServer(QTreeWidgetItem *node)
{
    Forward(m_subsystems.gate, [node](IGateSession &gate) { gate.ConnectServer(node); });
}

void TuClientApp::TreeMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position)
{
    Forward(m_subsystems.gate, [=](IGateSession &gate) { gate.TreeMouseDown(button, shift, position); });
}

void TuClientApp::TreeChangeNode(QTreeWidgetItem *node)
{
    if (m_subsystems.gate)
        m_subsystems.gate->TreeChangeNode(node);
}

void TuClientApp::ServerComboboxChange(QComboBox *sender)
{
    Forward(m_subsystems.gate, [sender](IGateSession &gate) { gate.ServerComboboxChange(sender); });
}

bool TuClientApp::PhoneCodeParam(int kind, const QString &phoneNumber)
{
    return Ask(m_subsystems.platform, [&](IAccountPlatform &platform) { return platform.PhoneCodeParam(kind, phoneNumber); });
}

bool TuClientApp::ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
    const QString &sPasswd2)
{
    return Ask(m_subsystems.platform,
        [&](IAccountPlatform &platform) { return platform.ChangePasswdParam(sAccount, sPasswd1, sCode, sPasswd2); });
}

bool TuClientApp::PhoneRegAccountParam(const QString &phoneNumber, const QString &code, const QString &idNumber,
    const QString &realName, const QString &password, const QString &userName)
{
    return Ask(m_subsystems.platform, [&](IAccountPlatform &platform) {
        return platform.PhoneRegAccountParam(phoneNumber, code, idNumber, realName, password, userName);
    });
}

void TuClientApp::SendGetBackPassWord(const QString &account, const QString &, const QString &, const QString &,
    const QString &, const QString &, const QString &)
{
    Trace(QStringLiteral(u"找回密码 %1").arg(account));
}

void TuClientApp::ResolutionComboboxChange(TuResolutionCombobox &box)
{
    zelto::ResolutionComboboxChange(box.currentIndex(), box.currentText());
}

void TuClientApp::StartPhoneCountdown()
{
    PhoneTickCount = os::TickCount() + kPhoneCountdownMs;
    FMiniTimer.start();
}

void TuClientApp::PhoneCountdownTick()
{
    const quint32 now = os::TickCount();
    if (PhoneBtn)
        PhoneBtn->setText(QString::number((PhoneTickCount - now) / 1000) + QStringLiteral(u"秒后"));
    if (PhoneTickCount < now) {
        FMiniTimer.stop();
        if (PhoneBtn) {
            PhoneBtn->setEnabled(true);
            PhoneBtn->setText(PhoneBtn->Hint());
        }
    }
}

void TuClientApp::QueryPollTick()
{
    if (os::TickCount() - QueryTickCount > kQueryPollLimitMs) {
        FTimerQuyery.stop();
        return;
    }
    Forward(m_subsystems.platform, [](IAccountPlatform &platform) { platform.LoginQueryQQandWXQuery(); });
}

void TuClientApp::CentreOverMainForm(QWidget &dialog) const
{
    if (!FMainForm)
        return;
    const QRect main = FMainForm->geometry();
    dialog.move(main.left() + (main.width() - dialog.width()) / 2,
        main.top() + (main.height() - dialog.height()) / 2);
}

} // namespace zelto
