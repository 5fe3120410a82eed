#include "app/IniFile.h"
#include "app/LocalSettings.h"
#include "app/PasswordCodec.h"
#include "app/Resolutions.h"
#include "os/AnsiCodePage.h"
#include "support/LocalState.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace zelto::testing {
namespace {

const QString kTitle = QStringLiteral("神话登陆器");

class LocalSettingsTest : public ::testing::Test {
protected:
    void WriteSettingsFile(const QString &text)
    {
        QFile file(settings.SettingsFileName());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(os::ToAnsi(text));
    }
    QString SettingsFileText() const
    {
        QFile file(settings.SettingsFileName());
        return file.open(QIODevice::ReadOnly) ? os::FromAnsi(file.readAll()) : QString();
    }

    ScopedLocalState state;
    TLocalSettings settings{kTitle};
};

TEST_F(LocalSettingsTest, FilesLieInTheTemporaryFolderNamedAfterTheTitle)
{
    EXPECT_EQ(settings.SettingsFileName(), QDir::tempPath() + QStringLiteral("/神话登陆器.ini"));
    EXPECT_EQ(settings.ServerListCacheFileName(), QDir::tempPath() + QStringLiteral("/神话登陆器.txt"));
    EXPECT_EQ(TLocalSettings(QStringLiteral("../a\\b")).SettingsFileName(), QDir::tempPath() + QStringLiteral("/.._a_b.ini"));
}

TEST_F(LocalSettingsTest, MissingFileLeavesTheValues)
{
    g_sAccount = QStringLiteral("kept");
    g_boFullScreen = false;
    settings.LoadSettings();
    EXPECT_EQ(g_sAccount, QStringLiteral("kept"));
    EXPECT_FALSE(g_boFullScreen);
}

TEST_F(LocalSettingsTest, ReadsTheLayoutThatHoldsAResolution)
{
    struct Case {
        const char *name;
        const char *file;
        const char *account;
        int sid, resolution;
        bool fullScreen, waitVBlank;
    };
    const Case cases[] = {
        {"client layout", "[Client]\r\nAccount=张三\r\nSID=12\r\nResolution=3\r\nFullScreen=0\r\nWaitVBlank=2\r\n",
            "张三", 12, 3, false, true},
        {"older layout", "[客户端]\r\n默认账号=李四\r\n默认服务器=7\r\n分辨率=1\r\n窗口化=0\r\n垂直同步=0\r\n",
            "李四", 7, 1, false, false},
        {"empty resolution falls back", "[Client]\nAccount=a\nResolution=\n[客户端]\n默认账号=old\n分辨率=5\n",
            "old", 0, 5, true, true},
        {"missing keys and malformed numbers", "[client]\nresolution=x\nSID=1e3\n", "", 0, 8, true, true},
    };
    for (const Case &c : cases) {
        WriteSettingsFile(QString::fromUtf8(c.file));
        g_sAccount = QStringLiteral("before");
        g_nSID = -1;
        settings.LoadSettings();
        EXPECT_EQ(g_sAccount, QString::fromUtf8(c.account)) << c.name;
        EXPECT_EQ(g_nSID, c.sid) << c.name;
        EXPECT_EQ(g_nResolutionIndex, c.resolution) << c.name;
        EXPECT_EQ(g_boFullScreen, c.fullScreen) << c.name;
        EXPECT_EQ(g_boWaitVBlank, c.waitVBlank) << c.name;
    }
}

TEST_F(LocalSettingsTest, SaveWritesTheClientKeysAndKeepsEverythingElse)
{
    WriteSettingsFile(QStringLiteral("; 注释\r\n[客户端]\r\n默认账号=李四\r\n\r\n[Other]\r\nKey=值\r\n"));
    settings.LoadSettings();
    g_nSID = 21;
    g_boWaitVBlank = false;
    ASSERT_TRUE(settings.SaveSettings());
    EXPECT_EQ(SettingsFileText(), QStringLiteral("; 注释\r\n[客户端]\r\n默认账号=李四\r\n\r\n[Other]\r\nKey=值\r\n"
                                                 "[Client]\r\nAccount=李四\r\nSID=21\r\nResolution=8\r\n"
                                                 "FullScreen=1\r\nWaitVBlank=0\r\n"));

    g_sAccount = QStringLiteral("王五");
    ASSERT_TRUE(settings.SaveSettings());
    EXPECT_TRUE(SettingsFileText().contains(QStringLiteral("[Client]\r\nAccount=王五\r\nSID=21\r\n")));
    EXPECT_TRUE(SettingsFileText().startsWith(QStringLiteral("; 注释\r\n[客户端]\r\n默认账号=李四\r\n")));
}

TEST_F(LocalSettingsTest, SettingsFileIsCodePage936)
{
    g_sAccount = QStringLiteral("张三");
    ASSERT_TRUE(settings.SaveSettings());
    QFile file(settings.SettingsFileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Account=\xD5\xC5\xC8\xFD\r\n"));
}

TEST_F(LocalSettingsTest, TitlesKeepSeparateFiles)
{
    TLocalSettings other(QStringLiteral("另一个"));
    g_sAccount = QStringLiteral("first");
    ASSERT_TRUE(settings.SaveSettings());
    g_sAccount = QStringLiteral("second");
    ASSERT_TRUE(other.SaveSettings());
    settings.LoadSettings();
    EXPECT_EQ(g_sAccount, QStringLiteral("first"));
}

TEST_F(LocalSettingsTest, CacheIsOneEncipheredLine)
{
    g_sServerListCache = QStringLiteral("{\"serverGroup\":[{\"name\":\"一区\"}]}");
    ASSERT_TRUE(settings.SaveServerListCache());
    QFile file(settings.ServerListCacheFileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    ASSERT_TRUE(content.endsWith("\r\n"));
    EXPECT_EQ(content.count('\n'), 1);
    EXPECT_EQ(DecryptConfigString(QString::fromLatin1(content.chopped(2))), g_sServerListCache);

    const QString saved = g_sServerListCache;
    g_sServerListCache.clear();
    settings.LoadServerListCache();
    EXPECT_EQ(g_sServerListCache, saved);
}

TEST_F(LocalSettingsTest, CacheThatDeciphersToNothingLeavesTheCache)
{
    g_sServerListCache = QStringLiteral("kept");
    settings.LoadServerListCache(); // no file
    EXPECT_EQ(g_sServerListCache, QStringLiteral("kept"));
    QFile file(settings.ServerListCacheFileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\r\n");
    file.close();
    settings.LoadServerListCache();
    EXPECT_EQ(g_sServerListCache, QStringLiteral("kept"));
}

TEST_F(LocalSettingsTest, CacheLinesAreReadAsOneText)
{
    const QString first = QStringLiteral("{\"serverGroup\":[]}");
    const QString second = QStringLiteral("{\"srvRoot\":\"gate\"}");
    QFile file(settings.ServerListCacheFileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((EncryptConfigString(first) + QStringLiteral("\r\n") + EncryptConfigString(second) + QStringLiteral("\r\n")).toLatin1());
    file.close();
    settings.LoadServerListCache();
    EXPECT_NE(g_sServerListCache, first);
    EXPECT_NE(g_sServerListCache, second);
}

TEST(IniFile, NamesMatchWithoutLetterCaseAndQuotesAreDropped)
{
    ScopedLocalState state;
    const QString fileName = QDir::tempPath() + QStringLiteral("/t.ini");
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[client]\nACCOUNT = \"a b\" \n[Client]\nAccount=second\n");
    file.close();
    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadString("Client", "account", QString()), QStringLiteral("a b"));
    ini.WriteString("CLIENT", "Account", "c");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(TIniFile(fileName).ReadString("client", "account", QString()), QStringLiteral("c"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[client]\r\nACCOUNT =c\r\n[Client]\r\nAccount=second\r\n"));
}

class FakeResolutionBox : public IResolutionBox {
public:
    void ReplaceItems(const QStringList &newItems) override { items = newItems; }
    void SelectItem(int index) override { selected = index; }

    QStringList items;
    int selected = -1;
};

TEST(Resolutions, StoredIndexOutsideTheListSelectsTheDefault)
{
    ScopedLocalState state;
    const std::pair<int, QString> cases[] = {{10, "1024x768"}, {-1, "1024x768"}, {99, "1024x768"},
        {0, "1920x1080"}, {9, "800x600"}};
    for (const auto &[stored, text] : cases) {
        g_nResolutionIndex = stored;
        FakeResolutionBox first, second;
        LoadResolutions({&first, &second});
        EXPECT_EQ(first.items, ResolutionList());
        EXPECT_EQ(second.items.size(), 10);
        EXPECT_EQ(first.items[first.selected], text) << stored;
        EXPECT_EQ(second.selected, first.selected);
        EXPECT_EQ(g_sResolution, text);
        EXPECT_EQ(QStringLiteral("%1x%2").arg(g_nWidth).arg(g_nHeight), text);
    }
}

TEST(Resolutions, ApplySplitsDigitsAroundTheFirstOtherCharacter)
{
    ScopedLocalState state;
    const std::tuple<const char *, int, int> cases[] = {{"800x600", 800, 600}, {"1920x1080", 1920, 1080},
        {"1280*720", 1280, 720}, {"", 1024, 768}, {"x600", 1024, 600}, {"1024x768x32", 1024, 76832},
        {"99999999999x1", 1024, 1}};
    for (const auto &[text, width, height] : cases) {
        g_sResolution = QLatin1String(text);
        ApplyResolution();
        EXPECT_EQ(g_nWidth, width) << text;
        EXPECT_EQ(g_nHeight, height) << text;
    }
}

TEST(Resolutions, PickingAnEntryChoosesIt)
{
    ScopedLocalState state;
    ResolutionComboboxChange(5, QStringLiteral("1280x800"));
    EXPECT_EQ(g_nResolutionIndex, 5);
    EXPECT_EQ(g_sResolution, QStringLiteral("1280x800"));
    EXPECT_EQ(g_nWidth, 1280);
    ResolutionComboboxChange(-1, QStringLiteral("800x600"));
    EXPECT_EQ(g_nResolutionIndex, 5);
    EXPECT_EQ(g_sResolution, QStringLiteral("1280x800"));
}

} // namespace
} // namespace zelto::testing
