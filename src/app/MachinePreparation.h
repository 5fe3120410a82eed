#pragma once

#include "os/Display.h"

#include <QString>

// The start-up checks that prepare the machine: a true-colour display, the firewall rule,
// and the RAR reading the update code needs.
namespace zelto {

extern const QString kTrueColourFailedMessage;
extern const QString kRarLibraryDamagedMessage;

// When the display is readable and not at 32 bits per pixel (24 counts as true colour),
// asks for 32; a refusal is shown with the system's code. Start-up continues either way.
void EnsureTrueColorDisplay(os::IDisplay &display);

// Registers the launcher with the firewall; failures are swallowed.
void AddFirewallException(const QString &ruleName, const QString &imagePath);

// The updates unpack RAR archives: checks that RAR reading is available. On failure the
// player is told the launcher is damaged and termination is requested; false then.
bool ExtractRarLibrary();

} // namespace zelto
