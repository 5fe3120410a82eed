#pragma once

#include <QString>

// The small path helpers of the installation code: version texts of program files, the
// machine-wide registry values, the user's shell folders and a desktop shortcut.
namespace zelto {

// The "FileDescription" or "FileVersion" text of a file's version resource under its first
// translation entry; empty when the file has none or any piece is missing.
QString GetFileDescription(const QString &path);
QString GetFileVersionText(const QString &path);

// How a registry value is read and written.
enum class TRegistryKind { rkString = 1, rkInteger = 2 };

struct TRegistryRead {
    bool Found = false; // the key could be opened and the text is not empty
    QString Text;       // a string with surrounding blanks trimmed, or an integer in decimal
};

// Values under a key below HKEY_LOCAL_MACHINE (key as the system writes it, e.g.
// "\SOFTWARE\WynClient\ExePath"), kept in the store described in app/PathHelpers.cpp.
// Without the rights to the store a read finds nothing and a write fails; nothing is raised.
TRegistryRead ReadMachineRegistry(TRegistryKind kind, const QString &key, const QString &name);
bool WriteMachineRegistry(TRegistryKind kind, const QString &key, const QString &name, const QString &text);
// Where the values are kept: GenericConfigLocation + "/WynClient/HKEY_LOCAL_MACHINE.ini".
QString MachineRegistryFile();

// The user's folder behind a shell folder name such as "Desktop"; empty for an unknown one.
QString GetShellFolder(const QString &name);

// The path of the desktop shortcut a title has (or would have).
QString DesktopShortcutPath(const QString &title);
// Creates the desktop shortcut to `target` named `title`; an existing one is kept as it is.
// A failure is not reported.
void CreateDesktopShortcut(const QString &target, const QString &title);

} // namespace zelto
