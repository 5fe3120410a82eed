#include "PlatformFixture.h"

#include "platform/FSmallAccount.h"
#include "SkinFiles.h"
#include "ui/SkinBuilder.h"
#include "ui/uCliTypes.h"
#include "ui/uMainFrm.h"
#include "ui/uSplashFrm.h"

#include <QKeyEvent>
#include <QListWidget>

namespace zelto::testing {
namespace {

// The launcher's default skin: boxes, login switch on password login, start button, status line.
TComponentNode DefaultSkin()
{
    return pack::ReadSkinTextFile(QStringLiteral(ZELTO_SOURCE_DIR "/skins/default/skin.txt"));
}

// Types text into a box key by key, as a player would.
void Type(QWidget &box, const QString &text)
{
    box.setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(&box, &press);
    }
}

class LoginWindow : public PlatformTest {
protected:
    void OpenWindow()
    {
        Serve({{"accounts", QJsonArray{Account("player1", "secret1", 1,
                   {{"user_id", "501"},
                       {"small_list", QJsonArray{SmallAccount("s-1", "first", "一号"), SmallAccount("s-2", "second", "二号")}}})}}});
        shadow = std::make_unique<TSplashForm_Login_ZeltoPrime>(app.get());
        window = new TMainForm(*shadow, app.get());
        shadow->SetMainForm(window);
        const TComponentNode skin = DefaultSkin();
        window->FormCreate([&skin](TuCustomForm &form) { ReadComponentTree(form, skin); });
        app->SetButtonsEnabled(true); // as the login gate does once it is connected
        // The player picks the second sub-account with the keyboard and presses Enter.
        player = [](QDialog &dialog) {
            auto &choice = static_cast<TFrmSmallAccount &>(dialog);
            choice.List().setFocus();
            for (int key : {Qt::Key_Down, Qt::Key_Return}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QCoreApplication::sendEvent(key == Qt::Key_Down ? static_cast<QWidget *>(&choice.List()) : &dialog, &press);
            }
        };
    }

    void PressStartAsThePlayer()
    {
        ASSERT_TRUE(app->EditID && app->EditPW);
        Type(*app->EditID, QStringLiteral("player1"));
        Type(*app->EditPW, QStringLiteral("secret1"));
        auto *start = window->findChild<QAbstractButton *>(QStringLiteral("Start"));
        ASSERT_TRUE(start && start->isEnabled());
        start->click();
        EXPECT_TRUE(start->isEnabled()); // disabled only while the press runs
    }

    QString StatusLine() const { return window->findChild<QLabel *>(QStringLiteral("Status"))->text(); }

    void TearDown() override
    {
        delete window;
        shadow.reset();
        PlatformTest::TearDown();
    }

    std::unique_ptr<TSplashForm_Login_ZeltoPrime> shadow;
    QPointer<TMainForm> window;
};

TEST_F(LoginWindow, APlayerLogsInChoosesASubAccountAndReachesTheGameStart)
{
    OpenWindow();
    BindGameStart();
    PressStartAsThePlayer();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_EQ(dialogsShown, 1);
    ASSERT_EQ(gameStarts.size(), 1);
    EXPECT_EQ(gameStarts[0].user_id, QStringLiteral("s-2"));
    EXPECT_EQ(gameStarts[0].token, QStringLiteral("gt-s-2"));
    EXPECT_EQ(gameStarts[0].small_user_name, QStringLiteral("second"));
    EXPECT_EQ(gameStarts[0].account, QStringLiteral("player1"));
    EXPECT_EQ(LastRequest("login").Field("username"), QStringLiteral("player1"));
    EXPECT_EQ(LastRequest("login").ext.value("event").toString(), QStringLiteral("password"));
}

TEST_F(LoginWindow, WithoutAGameStartTheStatusLineSaysWhereTheLoginEnded)
{
    OpenWindow();
    PressStartAsThePlayer();
    EXPECT_EQ(StatusLine(), TuClientApp::kLoggedInNoGameStart);
    EXPECT_EQ(Requests("sec_login").size(), 1);
}

} // namespace
} // namespace zelto::testing
