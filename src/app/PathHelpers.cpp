#include "app/PathHelpers.h"

#include "app/IniFile.h"
#include "app/TextRules.h"
#include "os/DesktopEntry.h"
#include "os/ExecutableVersion.h"
#include "os/VersionInfoBlock.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace zelto {
namespace {

// The registry store is an INI file in UTF-8: one section per key path without its leading
// separator ("SOFTWARE\WynClient\ExePath"), one line per value.
QString SectionOf(const QString &key)
{
    QString section = key;
    while (section.startsWith(u'\\'))
        section.remove(0, 1);
    return section;
}

// The store's file when its folder exists or could be made and a present file is readable
// and writable: the rights the system asks for when a key is opened with creation allowed.
std::optional<QString> OpenRegistryStore()
{
    const QString file = MachineRegistryFile();
    if (!QDir().mkpath(QFileInfo(file).path()))
        return std::nullopt;
    const QFileInfo info(file);
    if (info.exists() ? !(info.isReadable() && info.isWritable()) : !QFileInfo(info.path()).isWritable())
        return std::nullopt;
    return file;
}

} // namespace

QString GetFileDescription(const QString &path)
{
    return os::VersionInfoString(os::ReadVersionInfoBlock(path), QStringLiteral("FileDescription"));
}

QString GetFileVersionText(const QString &path)
{
    return os::VersionInfoString(os::ReadVersionInfoBlock(path), QStringLiteral("FileVersion"));
}

QString MachineRegistryFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/WynClient/HKEY_LOCAL_MACHINE.ini");
}

TRegistryRead ReadMachineRegistry(TRegistryKind kind, const QString &key, const QString &name)
{
    const std::optional<QString> store = OpenRegistryStore();
    if (!store)
        return {};
    QString text = TIniFile(*store, TIniEncoding::Utf8).ReadString(SectionOf(key), name, QString()).trimmed();
    if (kind == TRegistryKind::rkInteger)
        text = ParseDecimalInt32(text) ? QString::number(*ParseDecimalInt32(text)) : QString();
    return {!text.isEmpty(), text};
}

bool WriteMachineRegistry(TRegistryKind kind, const QString &key, const QString &name, const QString &text)
{
    const std::optional<QString> store = OpenRegistryStore();
    if (!store)
        return false;
    TIniFile file(*store, TIniEncoding::Utf8);
    file.WriteString(SectionOf(key), name,
        kind == TRegistryKind::rkInteger ? QString::number(ParseDecimalInt32(text.trimmed()).value_or(0)) : text);
    return file.Save();
}

QString GetShellFolder(const QString &name) { return os::ShellFolderPath(name); }

QString DesktopShortcutPath(const QString &title)
{
    return os::DesktopEntryPath(GetShellFolder(QStringLiteral("Desktop")), title);
}

void CreateDesktopShortcut(const QString &target, const QString &title)
{
    const QString path = DesktopShortcutPath(title);
    if (!QFileInfo::exists(path))
        os::WriteDesktopEntry(path, target, title);
}

} // namespace zelto
