#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The description of the player's machine that every account-platform request carries: an
// operating-system name and a device id that stays the same across runs, and the computer
// name the real-name binding sends. None of these ever fails: a piece that cannot be read
// contributes empty text (zeros for the network address).
namespace zelto {

enum class TOSPlatform { Win32s, Windows9x, WindowsNT, Other };

// The system version as the name is formed from it.
struct TOSVersionFacts {
    TOSPlatform platform = TOSPlatform::Other;
    int major = 0;
    int minor = 0;
    QString servicePack;   // e.g. "Service Pack 1"; empty when there is none
    bool workstation = true;
};

// "Microsoft Windows " + the version's name + " " + the trimmed service pack.
QString OSNameOf(const TOSVersionFacts &facts);
// This system's facts: not a Windows platform, its product name in place of a service pack.
TOSVersionFacts ReadOSVersionFacts();
QString GetOSName();

// Six upper-case hexadecimal pairs joined by "-": the first adapter, in enumeration order,
// whose address does not begin with 0; else the last address read; zeros when there is none.
QString MacAddressTextOf(const QList<QByteArray> &adapterAddresses);
QString GetMacAddressText(); // the adapters of QNetworkInterface

// Md5AnsiLower of the network address, the disk serial and the first processor's text; empty
// only when the digest itself fails.
QString GetDeviceId();

// The host name's first label, upper-case, at most 15 characters (the NetBIOS form).
QString GetComputerNameText();

} // namespace zelto
