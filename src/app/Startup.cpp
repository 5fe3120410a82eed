#include "app/Startup.h"

#include "app/ConfigurationReader.h"
#include "app/HomePath.h"
#include "app/MachinePreparation.h"
#include "app/Relocation.h"
#include "app/Termination.h"
#include "app/Trace.h"
#include "app/uLogin.h"
#include "os/SingleInstance.h"
#include "protocol/EDcode.h"
#include "ui/LauncherPicture.h"
#include "ui/SkinBuilder.h"
#include "ui/SkinStream.h"
#include "ui/uCliTypes.h"
#include "ui/uGameSetting.h"
#include "ui/uMainFrm.h"
#include "ui/uSelPath.h"
#include "ui/uSplashFrm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace zelto {
namespace {

const QString kFirewallRuleName = QStringLiteral("ZeltoLogin");
// A picture of the window is written here once the server tree has been filled.
constexpr char kScreenshotVariable[] = "ZELTO_SCREENSHOT";
constexpr int kScreenshotSettleMs = 800;
constexpr int kNoticeLoadDeadlineMs = 5000;

// The windows of a run, in creation order; the shadow window owns the main window.
struct TLauncherWindows {
    std::unique_ptr<TSplashForm_Login_ZeltoPrime> shadow;
    TMainForm *main = nullptr;
    std::unique_ptr<TFrmSelPath> selPath;
    std::unique_ptr<TFrmSetting> settings;
};

// Module initialisation, in the order the modules depend on each other.
bool InitialiseModules()
{
    DefaultMessageCoder();
    RegisterSkinClasses();
    return ExtractRarLibrary();
}

QString WithSeparator(const QString &folder) { return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'); }

void UseLauncherFolderAsCurrent()
{
    const QString launcherFolder = WithSeparator(QCoreApplication::applicationDirPath());
    if (WithSeparator(QDir::currentPath()) != launcherFolder)
        QDir::setCurrent(launcherFolder);
}

TMainForm::SkinReader LauncherSkin()
{
    return [](TuCustomForm &window) { ReadSkin(window, ReadSkinStream()); };
}

TLauncherWindows CreateWindows(TuClientApp *controller, const QString &title)
{
    TLauncherWindows windows;
    windows.shadow = std::make_unique<TSplashForm_Login_ZeltoPrime>(controller);
    windows.shadow->FormCreate(title);
    windows.main = new TMainForm(*windows.shadow, controller);
    windows.shadow->SetMainForm(windows.main);
    windows.main->FormCreate(LauncherSkin());
    windows.selPath = std::make_unique<TFrmSelPath>(windows.main);
    windows.selPath->FDefaultPath = HomePath();
    windows.selPath->FChannel = controller ? qint32(controller->Configuration().nGMChannel) : 0;
    windows.settings = std::make_unique<TFrmSetting>(windows.main);
    windows.settings->SetSelPathDialog(windows.selPath.get());
    if (controller)
        controller->FrmSetting = windows.settings.get();
    return windows;
}

bool SavePicture(TLauncherWindows &windows, const QString &path)
{
    const bool saved = ComposeLauncherPicture(*windows.main, *windows.shadow).save(path, "PNG");
    if (!saved)
        std::fprintf(stderr, "zelto-launcher: cannot write %s\n", qUtf8Printable(path));
    return saved;
}

// Shows the notice page the skin names, as the player would see it after the server list.
void LoadNoticePages(TMainForm &mainForm)
{
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    int loading = 0;
    for (TuWebBrowser *browser : mainForm.findChildren<TuWebBrowser *>()) {
        if (browser->OpenUrl().isEmpty())
            continue;
        ++loading;
        QObject::connect(browser, &QWebEngineView::loadFinished, &loop, [&loading, &loop] {
            if (--loading == 0)
                loop.quit();
        });
        browser->NavigateToStart();
    }
    if (loading == 0)
        return;
    deadline.start(kNoticeLoadDeadlineMs);
    loop.exec();
    // The page is painted a moment after it has loaded.
    QTimer::singleShot(kScreenshotSettleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

int PreviewSkin(const QString &outPath)
{
    TLauncherWindows windows = CreateWindows(nullptr, ReadTitle());
    windows.shadow->show();
    LoadNoticePages(*windows.main);
    return SavePicture(windows, outPath) ? 0 : 1;
}

void ScreenshotWhenTreeFilled(TuClientApp &controller, TLauncherWindows &windows, const QString &path)
{
    QObject::connect(&controller, &TuClientApp::ServerTreeFilled, &controller, [&windows, path](int servers) {
        if (servers == 0)
            return;
        QTimer::singleShot(kScreenshotSettleMs, windows.shadow.get(), [&windows, path] {
            SavePicture(windows, path);
            RequestApplicationTermination();
        });
    });
}

} // namespace

int RunLauncher(QApplication &app)
{
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("The game launcher."));
    options.addHelpOption();
    const QCommandLineOption preview(QStringLiteral("preview-skin"),
        QStringLiteral("Render the window with the carried skin to a PNG file and exit."), QStringLiteral("OUT.png"));
    options.addOption(preview);
    options.process(app);

    if (!InitialiseModules())
        return 0;
    Trace(QStringLiteral(u"程序启动 %1").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
    if (options.isSet(preview))
        return PreviewSkin(options.value(preview));

    const QString title = ReadTitle();
    QGuiApplication::setApplicationDisplayName(title);
    const QString instanceName = QStringLiteral("_Zelto_LOGIN_") + title;
    os::SingleInstance instance(instanceName);
    if (instance.AskRunningInstanceToRaise())
        return 0;

    const QString launcherPath = QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath();
    RelocateFromSystemDrive(os::SystemDriveTable(), launcherPath);
    if (ApplicationTerminationRequested())
        return app.exec(); // the relaunched copy, or nothing when the launcher cannot run, goes on
    EnsureTrueColorDisplay(os::Display());

    auto controller = std::make_unique<TuClientApp>(ReadLauncherConfiguration());
    instance.Claim();
    UseLauncherFolderAsCurrent();
    TLauncherWindows windows = CreateWindows(controller.get(), title);
    QObject::connect(&instance, &os::SingleInstance::RaiseRequested, windows.shadow.get(),
        &TSplashForm_Login_ZeltoPrime::BringToFront);
    // Registered once the home path is known, so a copy elsewhere gets no rule of its own.
    if (WithSeparator(QFileInfo(launcherPath).absolutePath()) == HomePath())
        AddFirewallException(kFirewallRuleName, launcherPath);
    const QString screenshot = qEnvironmentVariable(kScreenshotVariable);
    if (!screenshot.isEmpty())
        ScreenshotWhenTreeFilled(*controller, windows, screenshot);
    windows.shadow->show();

    app.exec();
    // Module finalisation: the controller writes the settings as it goes.
    windows = {};
    controller.reset();
    return 0;
}

} // namespace zelto
