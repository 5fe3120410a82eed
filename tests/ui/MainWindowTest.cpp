#include "LauncherFixture.h"

#include "os/TickCount.h"
#include "ui/LauncherPicture.h"
#include "ui/SkinStream.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QMouseEvent>

namespace zelto::testing {
namespace {

QList<TComponentProperty> With(QList<TComponentProperty> properties, QList<TComponentProperty> more)
{
    properties.append(more);
    return properties;
}

TComponentNode Child(const char *className, const char *name, QRect bounds, QList<TComponentProperty> more = {})
{
    return Node(QString::fromLatin1(className), QString::fromLatin1(name),
        With(Bounds(bounds.x(), bounds.y(), bounds.width(), bounds.height()), more));
}

TComponentProperty Picture(const char *property, const QColor &colour, QSize size)
{
    return Prop(QString::fromLatin1(property), BinaryValue(PngOf(colour, size)));
}

TComponentProperty Url(const char *url) { return Prop(QStringLiteral("URL"), TextValueOf(QString::fromLatin1(url))); }
TComponentProperty Kind(const char *kind) { return Prop(QStringLiteral("URLKind"), IdentValue(QString::fromLatin1(kind))); }

const QRect kStartBounds(600, 400, 100, 40);
const QRect kBackgroundBounds(10, 20, 60, 30);

// A window that holds every registered class once (the URL button thrice), at known places.
TComponentNode SkinWithEveryClass()
{
    QList<TComponentNode> children = {
        Child("TuImage", "Background", kBackgroundBounds, { Picture("Picture.Data", QColor(255, 0, 0, 128), { 60, 30 }) }),
        Child("TuImageButton", "Plain", { 10, 100, 30, 20 }, { Picture("Picture.Data", Qt::blue, { 30, 20 }) }),
        Child("TuURLButton", "Home", { 50, 100, 30, 20 }, { Url("http://home.example/"), Kind("ukHomePage") }),
        Child("TuURLButton", "Pay", { 90, 100, 30, 20 }, { Url("http://pay.example/"), Kind("ukPayPage") }),
        Child("TuURLButton", "Contact", { 130, 100, 30, 20 }, { Url("http://contact.example/"), Kind("ukContactPage") }),
        Child("TuURLButton", "Custom", { 170, 100, 30, 20 }, { Url("http://custom.example/"), Kind("ukCustom") }),
        Child("TuStartBtton", "Start", kStartBounds,
            { Picture("Picture.Data", Qt::green, kStartBounds.size()),
              Picture("PictureDisabled.Data", Qt::darkGray, kStartBounds.size()) }),
        Child("TuMinimizeButton", "Minimize", { 800, 10, 20, 20 }),
        Child("TuCloseButton", "Close", { 830, 10, 20, 20 }),
        Child("TuConfigButton", "Settings", { 10, 420, 60, 20 }),
        Child("TuRegisterButton", "Register", { 600, 450, 60, 20 }),
        Child("TuChangePassButton", "ChangePassword", { 670, 450, 60, 20 }),
        Child("TuGetBackPassButton", "RecoverPassword", { 740, 450, 60, 20 }),
        Child("TuWebBrowser", "Notice", { 10, 150, 300, 200 }),
        Child("TuCurProgressBar", "Current", { 10, 380, 300, 8 }),
        Child("TuAllProgressBar", "All", { 10, 392, 300, 8 }),
        Child("TuLable", "Title", { 10, 2, 200, 16 }, { Prop(QStringLiteral("Caption"), TextValueOf(QStringLiteral(u"标题"))) }),
        Child("TuInfLable", "Status", { 10, 360, 300, 16 }),
        Child("TuTreeView", "Servers", { 600, 60, 250, 150 }),
        Child("TuServerCombobox", "ServerChoice", { 600, 220, 250, 22 }),
        Child("TuResolutionCombobox", "Resolution", { 80, 420, 100, 22 }),
        Child("TuResolutionButton", "ResolutionToggle", { 182, 420, 20, 22 }),
        Child("TuRepairButton", "Repair", { 210, 420, 60, 20 }),
        Child("TuForm", "Panel", { 320, 150, 50, 50 }),
        Child("TuIDEdit", "Account", { 600, 260, 250, 28 }),
        Child("TuPWEdit", "Password", { 600, 300, 250, 28 }),
        Child("TuPhoneBtn", "PhoneCode", { 760, 340, 90, 24 }, { Prop(QStringLiteral("Caption"), TextValueOf(QStringLiteral(u"获取验证码"))) }),
        Child("TuPhoneRepairButton", "PhoneRegister", { 280, 420, 60, 20 }),
        Child("TLoginExchange", "LoginMode", { 600, 340, 150, 24 }, { Prop(QStringLiteral("Check"), BoolValue(true)) }),
        Child("TuQQBtton", "QQ", { 600, 480, 30, 20 }),
        Child("TuWeiXinBtton", "WeChat", { 640, 480, 30, 20 }),
        Child("Tu360Btton", "FirstAid", { 680, 480, 30, 20 }),
    };
    return Node(QStringLiteral("TuForm"), QStringLiteral("MainForm"),
        { Prop(QStringLiteral("ClientWidth"), IntValue(867)), Prop(QStringLiteral("ClientHeight"), IntValue(520)),
          Prop(QStringLiteral("Color"), IdentValue(QStringLiteral("clBtnFace"))),
          Prop(QStringLiteral("TransparentColor"), BoolValue(true)),
          Prop(QStringLiteral("TransparentColorValue"), IdentValue(QStringLiteral("clBtnFace"))) },
        children);
}

class MainWindow : public LauncherFixture {
protected:
    void SetUp() override { Open(SkinWithEveryClass()); }
};

TEST_F(MainWindow, CreatesEveryClassAndSkipsNothingKnown)
{
    EXPECT_EQ(counts.controls, 32);
    EXPECT_EQ(counts.skippedClasses, 0);
    EXPECT_EQ(counts.skippedProperties, 0);
    EXPECT_EQ(main->size(), QSize(867, 520));
    EXPECT_TRUE(main->SkinLoaded);
    EXPECT_EQ(app->FMainForm, main);
}

TEST_F(MainWindow, BindsEveryControlToTheController)
{
    EXPECT_EQ(app->WebBrowser, Find<TuWebBrowser>("Notice"));
    EXPECT_TRUE(app->WebBrowser->Silent());
    EXPECT_EQ(app->sHomePage, QStringLiteral("http://home.example/"));
    EXPECT_EQ(app->sPayPage, QStringLiteral("http://pay.example/"));
    EXPECT_EQ(app->sContactPage, QStringLiteral("http://contact.example/"));
    EXPECT_EQ(app->FTuCurProgressBar, Find<TuProgressBar>("Current"));
    EXPECT_EQ(app->FTuAllProgressBar, Find<TuProgressBar>("All"));
    EXPECT_EQ(app->FTuAllProgressBar->Max(), 0);
    EXPECT_EQ(app->FTuInfLable, Find<TuInfLable>("Status"));
    EXPECT_EQ(app->TreeView, Find<TuTreeView>("Servers"));
    EXPECT_EQ(app->ResolutionCombobox, Find<TuResolutionCombobox>("Resolution"));
    EXPECT_EQ(app->EditID, Find<TuEdit>("Account"));
    EXPECT_EQ(app->EditPW, Find<TuEdit>("Password"));
    EXPECT_EQ(app->PhoneBtn, Find<TuPhoneBtn>("PhoneCode"));
    EXPECT_EQ(app->PhoneBtn->Hint(), QStringLiteral(u"获取验证码"));
    EXPECT_EQ(app->LoginExchange, Find<TLoginExchange>("LoginMode"));
    // The switch is checked: password login, and the phone-code button is not offered.
    EXPECT_TRUE(app->PasswordLogin);
    EXPECT_FALSE(app->PhoneBtn->isVisibleTo(main));
}

TEST_F(MainWindow, ButtonsThatNeedTheGateStartDisabled)
{
    for (const char *name : { "Start", "Register", "RecoverPassword", "ChangePassword", "QQ", "WeChat" })
        EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
    for (const char *name : { "Plain", "Settings", "Repair", "FirstAid", "Close" })
        EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name;

    app->SetButtonsEnabled(true); // the gate connected
    for (const char *name : { "Start", "Register", "RecoverPassword", "ChangePassword" })
        EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name;
    // QQ and WeChat follow the gate only while their login is offered.
    EXPECT_FALSE(Find<QWidget>("QQ")->isEnabled());
    EXPECT_FALSE(Find<QWidget>("WeChat")->isEnabled());
    app->SetButtonsEnabled(false);
    EXPECT_FALSE(Find<QWidget>("Start")->isEnabled());
}

TEST_F(MainWindow, TrueColourDisplayHandsTheImagesToTheShadowWindow)
{
    auto *background = Find<TuImage>("Background");
    EXPECT_FALSE(background->isVisibleTo(main));
    EXPECT_EQ(background->Tag(), 9999);
    // The shadow window draws it at its place with its own alpha.
    const QImage picture = shadow->Picture();
    const QColor inside = picture.pixelColor(kBackgroundBounds.center());
    EXPECT_EQ(inside.red(), 255);
    EXPECT_NEAR(inside.alpha(), 128, 1);
    EXPECT_EQ(picture.pixelColor(kBackgroundBounds.right() + 2, kBackgroundBounds.center().y()).alpha(), 0);
    EXPECT_EQ(picture.pixelColor(kBackgroundBounds.left() - 2, kBackgroundBounds.center().y()).alpha(), 0);
}

class MainWindowOnSixteenBits : public LauncherFixture {
protected:
    MainWindowOnSixteenBits() : LauncherFixture(16) {}
};

TEST_F(MainWindowOnSixteenBits, KeepsTheImagesOnTheMainWindow)
{
    Open(SkinWithEveryClass());
    auto *background = Find<TuImage>("Background");
    EXPECT_TRUE(background->isVisibleTo(main));
    EXPECT_NE(background->Tag(), 9999);
    EXPECT_TRUE(shadow->Picture().isNull());
}

TEST_F(MainWindow, ScreenshotShowsEachControlAtItsPlaceWithItsPicture)
{
    const QImage shot = ComposeLauncherPicture(*main, *shadow);
    // The start button shows its disabled picture until the gate connects.
    EXPECT_EQ(shot.pixelColor(kStartBounds.center()), QColor(Qt::darkGray));
    EXPECT_EQ(shot.pixelColor(kStartBounds.topLeft() + QPoint(1, 1)), QColor(Qt::darkGray));
    EXPECT_EQ(shot.pixelColor(kStartBounds.topLeft() - QPoint(2, 2)).alpha(), 0); // see-through around it
    EXPECT_EQ(shot.pixelColor(25, 110), QColor(Qt::blue));
    // The background image comes from the shadow window, half transparent red.
    EXPECT_EQ(shot.pixelColor(kBackgroundBounds.center()).red(), 255);
    app->SetButtonsEnabled(true);
    EXPECT_EQ(ComposeLauncherPicture(*main, *shadow).pixelColor(kStartBounds.center()), QColor(Qt::green));
}

TEST_F(MainWindow, ColourKeyLeavesOnlyTheControlsCovering)
{
    const QRegion covered = main->CoveredRegion();
    EXPECT_TRUE(covered.contains(kStartBounds.center()));
    EXPECT_FALSE(covered.contains(QPoint(450, 480))); // bare window
    EXPECT_FALSE(covered.contains(kBackgroundBounds.center())); // the image went to the shadow window
}

TEST_F(MainWindow, EditsClearAndRestoreTheirHelpText)
{
    auto *account = Find<TuEdit>("Account");
    auto *password = Find<TuEdit>("Password");
    account->setText(QStringLiteral("stale"));
    QFocusEvent in(QEvent::FocusIn);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(account, &in);
    EXPECT_TRUE(account->HelpText().isEmpty());
    EXPECT_TRUE(account->text().isEmpty());
    QApplication::sendEvent(account, &out);
    EXPECT_EQ(account->HelpText(), QStringLiteral(u"用户名/邮箱/手机号"));

    password->setText(QStringLiteral("secret"));
    QApplication::sendEvent(password, &in);
    EXPECT_TRUE(password->HelpText().isEmpty());
    EXPECT_EQ(password->text(), QStringLiteral("secret"));
    QApplication::sendEvent(password, &out);
    EXPECT_TRUE(password->HelpText().isEmpty()); // text present: no help text
}

TEST_F(MainWindow, PrintColoursTheStatusLine)
{
    struct Case { TMessageType type; QColor colour; };
    for (const Case &c : { Case { TMessageType::mtNormal, QColor(0, 255, 0) }, Case { TMessageType::mtError, QColor(255, 0, 0) },
             Case { TMessageType::mtWaringin, QColor(255, 255, 0) } }) {
        app->Print(c.type, QStringLiteral(u"消息"));
        auto *status = Find<TuInfLable>("Status");
        EXPECT_EQ(status->text(), QStringLiteral(u"消息"));
        EXPECT_EQ(status->palette().color(QPalette::WindowText), c.colour);
    }
}

TEST_F(MainWindow, OperationsWithoutTheirSubsystemSayNotAvailable)
{
    // A build that carries neither the account platform nor the game start.
    app->Subsystems().platform.reset();
    app->Subsystems().gameStart.reset();
    app->SetButtonsEnabled(true);
    Find<QAbstractButton>("Start")->click();
    EXPECT_EQ(Find<TuInfLable>("Status")->text(), TuClientApp::kNotAvailable);
    EXPECT_TRUE(Find<QWidget>("Start")->isEnabled()); // re-enabled after the call
    Find<TuInfLable>("Status")->clear();
    Find<QAbstractButton>("PhoneRegister")->click();
    EXPECT_EQ(Find<TuInfLable>("Status")->text(), TuClientApp::kNotAvailable);
}

TEST_F(MainWindow, LoginSwitchTogglesTheModeAndThePhoneButton)
{
    auto *exchange = Find<TLoginExchange>("LoginMode");
    exchange->click();
    EXPECT_FALSE(exchange->Check());
    EXPECT_FALSE(app->PasswordLogin);
    EXPECT_TRUE(app->PhoneBtn->isVisibleTo(main));
    exchange->click();
    EXPECT_TRUE(app->PasswordLogin);
    EXPECT_FALSE(app->PhoneBtn->isVisibleTo(main));
}

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl &url) { opened.append(url); }
};

TEST_F(MainWindow, LinkButtonsOpenTheirAddress)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "Open");
    Find<QAbstractButton>("Pay")->click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(recorder.opened, QList<QUrl>({ QUrl(QStringLiteral("http://pay.example/")) }));
}

TEST_F(MainWindow, ProgressHandlersDriveTheTwoBars)
{
    app->DoBeginUpdateItem(2);
    app->DoFileBegin();
    EXPECT_EQ(app->FTuCurProgressBar->Max(), 100);
    app->DoProgress(4096, 1024);
    EXPECT_EQ(app->FTuCurProgressBar->Max(), 4096);
    EXPECT_EQ(app->FTuCurProgressBar->Position(), 1024);
    app->DoFileEnd();
    EXPECT_EQ(app->FTuCurProgressBar->Position(), 4096);
    EXPECT_EQ(app->FTuAllProgressBar->Position(), 1);
    app->DoEndUpdateItem();
    EXPECT_EQ(app->FTuAllProgressBar->Position(), 2);
}

TEST_F(MainWindow, ShadowAndMainWindowMoveTogether)
{
    const QPoint start = main->pos();
    main->move(start + QPoint(40, 30));
    QCoreApplication::processEvents(); // window moves are delivered as events
    EXPECT_EQ(main->pos(), start + QPoint(40, 30));
    EXPECT_EQ(shadow->geometry(), main->geometry());
    shadow->move(shadow->pos() + QPoint(-15, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(main->pos(), start + QPoint(25, 35));
    EXPECT_EQ(shadow->pos(), main->pos());

}

TEST_F(MainWindow, DialogsAreCentredOverTheMainWindow)
{
    main->setGeometry(100, 50, 867, 461);
    QWidget dialog;
    dialog.resize(259, 170);
    app->CentreOverMainForm(dialog);
    EXPECT_EQ(dialog.pos(), QPoint(100 + (867 - 259) / 2, 50 + (461 - 170) / 2));
}

TEST_F(MainWindow, PhoneCountdownShowsSecondsAndRestoresTheCaption)
{
    app->PhoneBtn->setEnabled(false);
    app->StartPhoneCountdown();
    EXPECT_TRUE(app->FMiniTimer.isActive());
    app->PhoneTickCount = os::TickCount() + 5500;
    app->PhoneCountdownTick();
    EXPECT_EQ(app->PhoneBtn->text(), QStringLiteral(u"5秒后"));
    app->PhoneTickCount = os::TickCount() - 10;
    app->PhoneCountdownTick();
    EXPECT_FALSE(app->FMiniTimer.isActive());
    EXPECT_TRUE(app->PhoneBtn->isEnabled());
    EXPECT_EQ(app->PhoneBtn->text(), QStringLiteral(u"获取验证码"));
}

TEST_F(MainWindow, SpeedReportsGoToTheStatusLineInRed)
{
    app->HandleKernelEvent(TDMKernelMonitor::kRepeatedDeviationCode);
    auto *status = Find<TuInfLable>("Status");
    EXPECT_EQ(status->text(), TuClientApp::kSpeedWarning);
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    status->clear();
    app->HandleKernelEvent(12345);
    EXPECT_TRUE(status->text().isEmpty());
}

TEST(SkinReading, UnknownClassesAndPropertiesAreSkipped)
{
    TuForm window;
    const TComponentNode skin = Node(QStringLiteral("TuForm"), QStringLiteral("W"),
        { Prop(QStringLiteral("NoSuchProperty"), IntValue(1)), Prop(QStringLiteral("ClientWidth"), TextValueOf(QStringLiteral("wide"))) },
        { Node(QStringLiteral("TNoSuchControl"), QStringLiteral("Unknown"), {}, { Child("TuLable", "Inside", { 0, 0, 5, 5 }) }),
          Child("TuLable", "After", { 1, 2, 3, 4 }) });
    const TSkinReadCounts counts = ReadComponentTree(window, skin);
    EXPECT_EQ(counts.skippedProperties, 2);
    EXPECT_EQ(counts.skippedClasses, 1);
    EXPECT_EQ(window.findChild<QWidget *>(QStringLiteral("Inside")), nullptr);
    ASSERT_NE(window.findChild<QWidget *>(QStringLiteral("After")), nullptr);
    EXPECT_EQ(window.findChild<QWidget *>(QStringLiteral("After"))->geometry(), QRect(1, 2, 3, 4));
}

TEST(SkinReading, DamagedSkinKeepsWhatWasRead)
{
    const TComponentStreamWrite written = WriteComponentStream(SkinWithEveryClass());
    ASSERT_TRUE(written.Ok());
    const QByteArray whole = PackSkinStream(written.bytes);
    TuForm complete;
    ReadSkin(complete, whole);
    TuForm cut;
    ReadSkin(cut, PackSkinStream(written.bytes.left(written.bytes.size() / 2)));
    const int all = int(SkinControlsOf(complete).size());
    const int part = int(SkinControlsOf(cut).size());
    EXPECT_EQ(all, 32);
    EXPECT_GT(part, 0);
    EXPECT_LT(part, all);
    TuForm garbage;
    ReadSkin(garbage, QByteArray(1000, 'x'));
    EXPECT_TRUE(SkinControlsOf(garbage).isEmpty());
}

} // namespace
} // namespace zelto::testing

#include "MainWindowTest.moc"
