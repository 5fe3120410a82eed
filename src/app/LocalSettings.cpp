#include "app/LocalSettings.h"

#include "app/IniFile.h"
#include "app/PasswordCodec.h"
#include "app/TextRules.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace zelto {

QString g_sAccount;
qint32 g_nSID = 0;
qint32 g_nResolutionIndex = 8;
QString g_sResolution;
qint32 g_nWidth = 1024;
qint32 g_nHeight = 768;
bool g_boFullScreen = true;
bool g_boWaitVBlank = true;

bool g_bo3D = true;
qint32 g_nScreenWidth = 1024;
qint32 g_nScreenHeight = 768;
bool g_boNewInterface = false;

QString g_sServerListCache;

namespace {

// The keys of one layout of the settings file.
struct TSettingsLayout {
    QString section, account, sid, resolution, fullScreen, waitVBlank;
};

const TSettingsLayout kClientLayout{QStringLiteral("Client"), QStringLiteral("Account"),
    QStringLiteral("SID"), QStringLiteral("Resolution"), QStringLiteral("FullScreen"),
    QStringLiteral("WaitVBlank")};
// Older launchers' layout: read, never written.
const TSettingsLayout kOlderLayout{QStringLiteral("客户端"), QStringLiteral("默认账号"),
    QStringLiteral("默认服务器"), QStringLiteral("分辨率"), QStringLiteral("窗口化"),
    QStringLiteral("垂直同步")};

} // namespace

TLocalSettings::TLocalSettings(const QString &title) : FTitle(title)
{
    FTitle.replace(u'/', u'_').replace(u'\\', u'_').replace(QChar(0), u'_');
}

QString TLocalSettings::FileName(const char *extension) const
{
    return QDir::tempPath() + u'/' + FTitle + QLatin1String(extension);
}

QString TLocalSettings::SettingsFileName() const
{
    return FileName(".ini");
}

QString TLocalSettings::ServerListCacheFileName() const
{
    return FileName(".txt");
}

void TLocalSettings::LoadSettings()
{
    const TIniFile file(SettingsFileName());
    if (!file.Exists())
        return;
    const bool clientLayout = !file.ReadString(kClientLayout.section, kClientLayout.resolution, QString()).isEmpty();
    const TSettingsLayout &layout = clientLayout ? kClientLayout : kOlderLayout;
    g_sAccount = file.ReadString(layout.section, layout.account, QString());
    g_nSID = file.ReadInteger(layout.section, layout.sid, 0);
    g_nResolutionIndex = file.ReadInteger(layout.section, layout.resolution, 8);
    g_boFullScreen = file.ReadBool(layout.section, layout.fullScreen, true);
    g_boWaitVBlank = file.ReadBool(layout.section, layout.waitVBlank, true);
}

bool TLocalSettings::SaveSettings()
{
    TIniFile file(SettingsFileName());
    const TSettingsLayout &layout = kClientLayout;
    file.WriteString(layout.section, layout.account, g_sAccount);
    file.WriteInteger(layout.section, layout.sid, g_nSID);
    file.WriteInteger(layout.section, layout.resolution, g_nResolutionIndex);
    file.WriteBool(layout.section, layout.fullScreen, g_boFullScreen);
    file.WriteBool(layout.section, layout.waitVBlank, g_boWaitVBlank);
    return file.Save();
}

void TLocalSettings::LoadServerListCache()
{
    QFile file(ServerListCacheFileName());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString cached = DecryptConfigString(SplitLines(QString::fromLatin1(file.readAll())).join(u','));
    if (!cached.isEmpty())
        g_sServerListCache = cached;
}

bool TLocalSettings::SaveServerListCache()
{
    QSaveFile file(ServerListCacheFileName());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(EncryptConfigString(g_sServerListCache).toLatin1() + "\r\n");
    return file.commit();
}

} // namespace zelto
