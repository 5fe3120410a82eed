#pragma once

#include "app/LauncherConfiguration.h"
#include "app/LocalSettings.h"
#include "app/StatusLine.h"
#include "catalog/CatalogueRetrieval.h"
#include "catalog/uServerList.h"
#include "app/Subsystems.h"
#include "catalog/uServerList.h"
#include "guard/uKernelMonitor.h"
#include "protocol/AccountRequests.h"
#include "protocol/GateSession.h"
#include "ui/uCliTypes.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

// The application controller: the one object the skinned window talks to. It owns the
// catalogue, the player's settings and the catalogue pass, holds the window's bound
// controls, reports on the status line, fills the server tree, opens the dialogs, runs the
// start-up pass once, and forwards everything else to the subsystem objects it owns (see
// app/Subsystems.h).
namespace zelto {

class TMainForm;
class TUpdateItem;
class TFrmSetting;

class TuClientApp final : public QObject, public IuApplication, public ICatalogueHost, public IGateHost,
                          public IAccountRequests {
    Q_OBJECT
public:
    // The status report of an operation whose subsystem this build does not carry yet.
    static const QString kNotAvailable;
    static const QString kSpeedWarning;

    // `configuration` is the launcher's deciphered configuration record, kept for the run.
    explicit TuClientApp(const TLauncherConfiguration &configuration);
    ~TuClientApp() override;

    const TLauncherConfiguration &Configuration() const { return m_configuration; }

    // Called once by the main window after its skin is bound.
    void Open();

    // IuApplication
    // While no one is logged in, the account platform's login; then the game start.
    void StartGame() override;
    void CloseLauncher() override;
    void ShowNewAccount() override;
    void ShowChangePwd() override;
    void ShowGetBackPwd() override;
    void OpenURL(const QString &address) override;
    void ShowSettings() override;
    void OpenRepair() override;
    void ToggleResolutionDropDown() override;
    void ShowPhoneReg() override;
    void SetLoginPasswd() override;
    void LoginQueryQQandWXUrl(int kind) override;
    void Start360() override;

    // IStatusLine: every status label of the main window shows the message in its colour.
    void Print(TMessageType type, const QString &message) override;
    // ICatalogueHost
    void FillServerTree() override;
    void LoadSettings() override;
    void SaveServerListCache() override;
    void SaveSettings();
    void PrintEx(const TUpdateItem *item, const QString &message); // the item is not shown

    // Progress of the update passes on the window's two bars.
    void DoFileBegin();
    void DoProgress(qint64 total, qint64 done);
    void DoFileEnd();
    void DoBeginUpdateItem(qint64 total);
    void DoEndUpdateItem();

    void DoHttp();
    // The start, register, change-password and recovery buttons follow the gate's state.
    void SetButtonsEnabled(bool enabled) override;
    void PhoneLbMouseDown();
    void HandleKernelEvent(int code);
    // The handlers the main window binds to its server tree and choice boxes.
    void ConnectServer(QTreeWidgetItem *node);
    void TreeMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void TreeChangeNode(QTreeWidgetItem *node);
    void ServerComboboxChange(QComboBox *sender);
    void ResolutionComboboxChange(TuResolutionCombobox &box);
    // Starts the phone-code countdown of one minute on the phone-code button.
    void StartPhoneCountdown();
    // FMiniTimer's tick: the seconds left on the button, or the button back when none are.
    void PhoneCountdownTick();

    // The server a node of the server tree stands for; none for a heading, or for a node
    // whose server the catalogue no longer holds.
    const TServerItem *ServerOfNode(const QTreeWidgetItem &node);

    // IGateHost
    TuTreeView *ServerTree() const override { return TreeView; }
    bool AtCheckVer() const override { return FAtCheckVer; }
    IClassicAccountDialogs *AccountDialogs() const override { return m_subsystems.accountDialogs.get(); }
    TServerInfo &ServerInfo() override { return FServerInfo; }

    // IAccountRequests: the platform's requests report "not available" until it is bound.
    bool PhoneCodeParam(int kind, const QString &phoneNumber) override;
    bool ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
        const QString &sPasswd2) override;
    bool PhoneRegAccountParam(const QString &phoneNumber, const QString &code, const QString &idNumber,
        const QString &realName, const QString &password, const QString &userName) override;
    // The classic recovery request is not sent by this launcher; the dialog waits for the gate.
    void SendGetBackPassWord(const QString &account, const QString &newPassword, const QString &birthday,
        const QString &answer2, const QString &question2, const QString &answer1, const QString &question1) override;

    // Places a dialog in the middle of the main window.
    void CentreOverMainForm(QWidget &dialog) const;

    TSubsystems &Subsystems() { return m_subsystems; }
    TDMKernelMonitor &KernelMonitor() { return *m_kernelMonitor; }

    // Bound by the main window from its skin; each stays empty when the skin has no such
    // control, and every use tolerates that.
    QPointer<TMainForm> FMainForm;
    QPointer<TuProgressBar> FTuCurProgressBar;
    QPointer<TuProgressBar> FTuAllProgressBar;
    QPointer<TuInfLable> FTuInfLable;
    QString sHomePage;
    QString sPayPage;
    QString sContactPage;
    QPointer<TuTreeView> TreeView;
    QPointer<TuWebBrowser> WebBrowser;
    QPointer<TuEdit> EditID;
    QPointer<TuEdit> EditPW;
    QPointer<TuResolutionCombobox> ResolutionCombobox;
    QPointer<TuPhoneBtn> PhoneBtn;
    QPointer<TLoginExchange> LoginExchange;
    // Created hidden at start-up.
    QPointer<TFrmSetting> FrmSetting;

    QString sOSName;   // sent with every account-platform request
    QString sDeviceId;
    bool FAtCheckVer = true;          // the start-up pass has not finished yet
    bool AutoConnectPending = false;  // the shadow window connects to the selected server
    bool PasswordLogin = true;        // password login, not phone-code login
    quint32 PhoneTickCount = 0;       // tick count at which the phone-code countdown ends
    quint32 QueryTickCount = 0;       // tick count at which QQ / WeChat polling started

    QTimer FTimer;          // 10 ms: runs the start-up pass once
    QTimer FMiniTimer;      // 1000 ms: the phone-code countdown
    QTimer FMiniDownTimer;  // 10 ms: created disabled and never started
    QTimer FTimerQuyery;    // 3000 ms: QQ / WeChat login polling

signals:
    // The server tree was filled with this many servers.
    void ServerTreeFilled(int servers);

private:
    void StartupPass();
    void QueryPollTick();
    void ReportNotAvailable();
    // Runs `work` on the subsystem when it is bound, otherwise reports that it is not.
    template <typename Subsystem, typename Work>
    void Forward(const std::unique_ptr<Subsystem> &subsystem, Work work);
    // The same for an operation that answers true on success; false when it is not bound.
    template <typename Subsystem, typename Work>
    bool Ask(const std::unique_ptr<Subsystem> &subsystem, Work work);

    const TLauncherConfiguration m_configuration;
    TServerInfo FServerInfo;
    TLocalSettings m_localSettings;
    TCatalogueRetrieval m_catalogue;
    TSubsystems m_subsystems;
    QPointer<TDMKernelMonitor> m_kernelMonitor;
};

template <typename Subsystem, typename Work>
void TuClientApp::Forward(const std::unique_ptr<Subsystem> &subsystem, Work work)
{
    if (subsystem)
        work(*subsystem);
    else
        ReportNotAvailable();
}

template <typename Subsystem, typename Work>
bool TuClientApp::Ask(const std::unique_ptr<Subsystem> &subsystem, Work work)
{
    if (subsystem)
        return work(*subsystem);
    ReportNotAvailable();
    return false;
}

} // namespace zelto
