#include "LauncherFixture.h"

#include "launch/BrelPath.h"
#include "ui/uGameSetting.h"
#include "ui/uSelPath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTimer>

namespace zelto::testing {
namespace {

TEST(ResolutionList, KeepsWideModesOnceSmallestFirst)
{
    EXPECT_EQ(TFrmSetting::ResolutionList({ { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 800, 600 } }),
        QStringList({ QStringLiteral("800x600"), QStringLiteral("1024x768") }));
    EXPECT_EQ(TFrmSetting::ResolutionList({ { 1920, 1080 }, { 1280, 1024 }, { 1280, 720 }, { 641, 480 } }),
        QStringList({ QStringLiteral("641x480"), QStringLiteral("1280x720"), QStringLiteral("1280x1024"),
            QStringLiteral("1920x1080") }));
    EXPECT_EQ(TFrmSetting::ResolutionList({ { 640, 480 } }), QStringList({ QStringLiteral("800x600"), QStringLiteral("1024x768") }));
}

class SettingsDialog : public LauncherFixture {
protected:
    SettingsDialog()
    {
        display.modes = { { 800, 600 }, { 1024, 768 }, { 1600, 900 } };
        Open(Node(QStringLiteral("TuForm"), QStringLiteral("MainForm"), {}, {}));
        dialog = new TFrmSetting(main);
        app->FrmSetting = dialog;
    }

    // Shows the dialog as the settings button does and presses one of its buttons.
    void ShowAndPress(QPushButton *TFrmSetting::*button, std::function<void()> change = {})
    {
        QTimer::singleShot(0, dialog, [this, button, change] {
            if (change)
                change();
            (dialog->*button)->click();
        });
        app->ShowSettings();
    }

    QString SettingsFile() const { return TLocalSettings(kLauncherTitle).SettingsFileName(); }

    TFrmSetting *dialog = nullptr;
};

TEST_F(SettingsDialog, LoadsTheCurrentSettings)
{
    g_boFullScreen = false;
    g_boWaitVBlank = false;
    g_bo3D = true;
    g_nScreenWidth = 1600;
    g_nScreenHeight = 900;
    dialog->LoadConfig();
    EXPECT_TRUE(dialog->chkWindow->isChecked());
    EXPECT_FALSE(dialog->chkVBlank->isChecked());
    EXPECT_TRUE(dialog->chk3D->isChecked());
    EXPECT_EQ(dialog->cbbScreenSize->currentText(), QStringLiteral("1600x900"));
    g_nScreenWidth = 1280;
    g_nScreenHeight = 720;
    dialog->LoadConfig();
    EXPECT_EQ(dialog->cbbScreenSize->currentText(), QStringLiteral("1024x768"));
}

TEST_F(SettingsDialog, OkStoresAndSavesTheChoices)
{
    g_boFullScreen = true;
    ShowAndPress(&TFrmSetting::BitBtn1, [this] {
        dialog->cbbScreenSize->setCurrentText(QStringLiteral("1600x900"));
        dialog->chkWindow->setChecked(true);
        dialog->chk3D->setChecked(false);
    });
    EXPECT_EQ(dialog->result(), TFrmSetting::kOkResult);
    EXPECT_EQ(g_nScreenWidth, 1600);
    EXPECT_EQ(g_nScreenHeight, 900);
    EXPECT_FALSE(g_boFullScreen);
    EXPECT_FALSE(g_bo3D);
    EXPECT_FALSE(g_boNewInterface);
    QFile settings(SettingsFile());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().contains("FullScreen=0"));
}

TEST_F(SettingsDialog, CancelChangesNothingAndWritesNothing)
{
    g_nScreenWidth = 1024;
    g_boFullScreen = true;
    ShowAndPress(&TFrmSetting::BitBtn2, [this] {
        dialog->cbbScreenSize->setCurrentText(QStringLiteral("1600x900"));
        dialog->chkWindow->setChecked(true);
    });
    EXPECT_EQ(dialog->result(), TFrmSetting::kCancelResult);
    EXPECT_EQ(g_nScreenWidth, 1024);
    EXPECT_TRUE(g_boFullScreen);
    EXPECT_FALSE(QFile::exists(SettingsFile()));
}

class GameDirectoryDialog : public ::testing::Test {
protected:
    ~GameDirectoryDialog() override { g_sBrelPath = m_saved; }

    RecordingNotifier notifier;
    TFrmSelPath dialog;
    QString m_saved = g_sBrelPath;
};

TEST_F(GameDirectoryDialog, DefaultFolderEndsWithASeparator)
{
    dialog.FDefaultPath = QStringLiteral("/games/");
    dialog.FChannel = 7;
    dialog.btndefault->click();
    EXPECT_EQ(g_sBrelPath, QStringLiteral("/games/GameClient7/"));
}

TEST_F(GameDirectoryDialog, PickedFolderEndsWithASeparatorAndCancelKeepsTheOld)
{
    g_sBrelPath = QStringLiteral("/old/");
    dialog.show();
    dialog.btnselpath->click(); // the player cancels the picker
    EXPECT_EQ(notifier.pickerTitles, QStringList({ QStringLiteral(u"请选择下载客户端的目录") }));
    EXPECT_EQ(g_sBrelPath, QStringLiteral("/old/"));
    EXPECT_TRUE(dialog.isVisible());
    notifier.folderAnswers << QStringLiteral("/data/client");
    dialog.btnselpath->click();
    EXPECT_EQ(g_sBrelPath, QStringLiteral("/data/client/"));
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace zelto::testing
