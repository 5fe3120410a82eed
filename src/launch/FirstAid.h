#pragma once

#include "app/ConfigurationReader.h"

#include <QString>

// The first-aid tool: a repair tool the launcher carries in its own file, once for 32-bit and
// once for 64-bit systems. The package downloader's first-aid run unpacks the carried package
// next to the launcher and starts the tool; everything here may run on its worker thread.
namespace zelto {

inline constexpr char kFirstAidToolName[] = "SuperKillller.exe";

QString FirstAidPackageName(bool bo64);     // "360compkill_64.zip" / "360compkill_32.zip"
QString FirstAidFolderName(bool bo64);      // "360compkill_64" / "360compkill_32"
QString FirstAidVersionFileName(bool bo64); // "mod_360version_64.txt" / "mod_360version_32.txt"

// The running launcher's folder, with a trailing separator.
QString LauncherFolder();

// Copies the carried package of that bitness into its package file next to the launcher.
// False, writing nothing, when the launcher carries none (length 0 or less) or its trailer
// puts the package outside the file. Throws std::runtime_error when the launcher cannot be
// read or the package file cannot be written.
bool Put360File(bool bo64, const QString &launcherPath = RunningExecutablePath());

// Starts the tool found in the unpacked folder of that bitness.
void FindAndStart360(bool bo64, const QString &launcherFolder = LauncherFolder());

// Searches the folder depth first (sub-folders before the entries after them, in name order)
// for "SuperKillller.exe" in any letter case and starts the first one found with
// " /autoapp /strict" in its own folder; a failed start is shown in a message box. True when
// a tool was found. Folders reached through symbolic links are not searched.
bool StartFirstAidTool(const QString &directory);

} // namespace zelto
