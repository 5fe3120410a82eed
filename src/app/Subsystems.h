#pragma once

#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <memory>

class QComboBox;
class QTreeWidgetItem;

// The subsystems the application controller forwards to. Each is a member object of the
// controller behind one of these interfaces, bound in BindSubsystems; a subsystem that is
// not bound makes its operations report that they are not available.
namespace zelto {

class TuClientApp;
enum class TAccountDialog;

// The login-gate session: connects to the chosen server and follows its state.
class IGateSession {
public:
    virtual ~IGateSession() = default;
    virtual void ConnectServer(QTreeWidgetItem *node) = 0;
    virtual void TreeMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position) = 0;
    virtual void TreeChangeNode(QTreeWidgetItem *node) = 0;
    virtual void ServerComboboxChange(QComboBox *sender) = 0;
    virtual bool Connected() const = 0;
    virtual void CloseSocket() = 0;
};

// The account platform's flows that the controls and the account dialogs start.
class IAccountPlatform {
public:
    virtual ~IAccountPlatform() = default;
    // The start button's login part. True when the press ends there: no one is logged in, so
    // the login runs instead, and starts the game itself once it holds a user id.
    virtual bool LoginBeforeStart() = 0;
    virtual void ShowPhoneReg() = 0;
    virtual void PhoneLbMouseDown() = 0;          // a phone code for the account typed in
    virtual void LoginQueryQQandWXUrl(int kind) = 0;
    virtual void LoginQueryQQandWXQuery() = 0;
    virtual bool QQLoginOffered() const = 0;
    virtual bool WeChatLoginOffered() const = 0;
    // The platform requests the classic account dialogs make; each answers true on success
    // and reports its failure itself.
    virtual bool PhoneCodeParam(int kind, const QString &phoneNumber) = 0;
    virtual bool ChangePasswdParam(const QString &sAccount, const QString &sPasswd1, const QString &sCode,
        const QString &sPasswd2) = 0;
    virtual bool PhoneRegAccountParam(const QString &phoneNumber, const QString &code, const QString &idNumber,
        const QString &realName, const QString &password, const QString &userName) = 0;
};

// The classic account dialogs answered by the login gate.
class IClassicAccountDialogs {
public:
    virtual ~IClassicAccountDialogs() = default;
    virtual void ShowNewAccount() = 0;
    virtual void ShowChangePwd() = 0;
    virtual void ShowGetBackPwd() = 0;
    // The login gate's answers close a dialog or give its confirm button back.
    virtual void CloseDialog(TAccountDialog dialog) = 0;
    virtual void EnableConfirm(TAccountDialog dialog) = 0;
};

// Starting the game client and the first-aid tool.
class IGameStart {
public:
    virtual ~IGameStart() = default;
    // The game start for the logged-in player: server choice, client files, environment
    // file, launch. The controller runs the account platform's login part before it.
    virtual void StartGame() = 0;
    virtual void Start360() = 0;
};

// The game-client package downloader and its window.
class IClientDownloader {
public:
    virtual ~IClientDownloader() = default;
    static constexpr int kNormalRun = 0;   // also the repair button's
    static constexpr int kFirstAidRun = 1; // the first-aid button's
    virtual void OpenDown(int kind) = 0;
};

// The launcher's installation into the game-client folder, its self-update and the update
// passes over the catalogue's files.
class IStartupUpdates {
public:
    virtual ~IStartupUpdates() = default;
    virtual void InstallIntoClientFolder() = 0;
    // True when a replacement has been started and the launcher must end.
    virtual bool UpdateMySelf() = 0;
    virtual void CreateDesktopShortcut() = 0;
    virtual void RunUpdatePasses() = 0;   // on-demand registration, system and background passes
};

struct TSubsystems {
    std::unique_ptr<IGateSession> gate;
    std::unique_ptr<IAccountPlatform> platform;
    std::unique_ptr<IClassicAccountDialogs> accountDialogs;
    std::unique_ptr<IGameStart> gameStart;
    std::unique_ptr<IClientDownloader> downloader;
    std::unique_ptr<IStartupUpdates> startupUpdates;
};

// The one place where the subsystems built so far are bound to the controller.
void BindSubsystems(TuClientApp &app, TSubsystems &subsystems);

} // namespace zelto
