#pragma once

#include <QString>

// Desktop shortcuts as the freedesktop.org desktop entries that Linux desktops show: a
// "<title>.desktop" file in the desktop folder that starts the target in its own folder.
namespace zelto::os {

// The user's folder behind one of the system's shell folder names ("Desktop",
// "Personal", "My Music", "My Pictures", "My Video", "AppData", "Programs", "Templates");
// empty for any other name.
QString ShellFolderPath(const QString &name);

// The entry's text: Exec quoted so that no character of the path (blank, quote, "$",
// backslash, "%", non-ASCII) is taken as anything but part of it.
QString DesktopEntryText(const QString &target, const QString &title);

// The shortcut file for a title in a folder; a "/" in the title cannot lead elsewhere.
QString DesktopEntryPath(const QString &folder, const QString &title);

// Writes the entry (executable, as desktops want it before they trust one); false on failure.
bool WriteDesktopEntry(const QString &path, const QString &target, const QString &title);

} // namespace zelto::os
