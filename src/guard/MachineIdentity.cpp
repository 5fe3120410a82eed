#include "guard/MachineIdentity.h"

#include "app/Digests.h"
#include "guard/uDiskSN.h"

#include <QNetworkInterface>
#include <QSysInfo>

#include <array>

namespace zelto {
namespace {

constexpr int kMacAddressBytes = 6;
constexpr int kComputerNameLimit = 15;
constexpr int kAnyVersion = -1;

struct TOSNameRow {
    TOSPlatform platform;
    int major;   // kAnyVersion: every version of the platform
    int minor;   // as the version number reads: 4.1 for 4.10, 3.51 for 3.51
    const char *workstation;
    const char *server;
};

constexpr std::array kOSNames{
    TOSNameRow{TOSPlatform::Win32s, kAnyVersion, 0, "32", "32"},
    TOSNameRow{TOSPlatform::Windows9x, 4, 0, "95", "95"},
    TOSNameRow{TOSPlatform::Windows9x, 4, 1, "98", "98"},
    TOSNameRow{TOSPlatform::Windows9x, 4, 9, "Me", "Me"},
    TOSNameRow{TOSPlatform::Windows9x, kAnyVersion, 0, "9x", "9x"},
    TOSNameRow{TOSPlatform::WindowsNT, 3, 51, "NT 3.51", "NT 3.51"},
    TOSNameRow{TOSPlatform::WindowsNT, 4, 0, "NT 4.0", "NT 4.0"},
    TOSNameRow{TOSPlatform::WindowsNT, 5, 0, "2000", "2000"},
    TOSNameRow{TOSPlatform::WindowsNT, 5, 1, "XP", "XP"},
    TOSNameRow{TOSPlatform::WindowsNT, 5, 2, "2003", "2003"},
    TOSNameRow{TOSPlatform::WindowsNT, 6, 0, "Vista", "Server 2008"},
    TOSNameRow{TOSPlatform::WindowsNT, 6, 1, "7", "Server 2008 R2"},
    TOSNameRow{TOSPlatform::WindowsNT, 6, 2, "8", "Server 2012"},
    TOSNameRow{TOSPlatform::WindowsNT, 6, 3, "8.1", "Server 2012 R2"},
    TOSNameRow{TOSPlatform::WindowsNT, 10, 0, "10", "Server 2016"},
};

// The minor version as the digits after the point of "major.minor" read as a number: the
// system reports 98 as 4.10 and Me as 4.90, which compare equal to 4.1 and 4.9.
int SignificantMinor(int minor)
{
    while (minor != 0 && minor % 10 == 0)
        minor /= 10;
    return minor;
}

QString VersionName(const TOSVersionFacts &facts)
{
    const int minor = SignificantMinor(facts.minor);
    for (const TOSNameRow &row : kOSNames) {
        if (row.platform != facts.platform)
            continue;
        if (row.major == kAnyVersion || (row.major == facts.major && row.minor == minor))
            return QString::fromLatin1(facts.workstation ? row.workstation : row.server);
    }
    return QString();
}

} // namespace

QString OSNameOf(const TOSVersionFacts &facts)
{
    return QStringLiteral("Microsoft Windows ") + VersionName(facts) + u' ' + facts.servicePack.trimmed();
}

TOSVersionFacts ReadOSVersionFacts()
{
    TOSVersionFacts facts;
    const QStringList kernel = QSysInfo::kernelVersion().split(u'.');
    facts.major = kernel.value(0).toInt();
    facts.minor = kernel.value(1).toInt();
    facts.servicePack = QSysInfo::prettyProductName();
    return facts;
}

QString GetOSName() { return OSNameOf(ReadOSVersionFacts()); }

QString MacAddressTextOf(const QList<QByteArray> &adapterAddresses)
{
    QByteArray address(kMacAddressBytes, '\0');
    for (const QByteArray &read : adapterAddresses) {
        address = read.left(kMacAddressBytes).leftJustified(kMacAddressBytes, '\0');
        if (address[0] != '\0')
            break;
    }
    return QString::fromLatin1(address.toHex('-').toUpper());
}

QString GetMacAddressText()
{
    QList<QByteArray> addresses;
    for (const QNetworkInterface &adapter : QNetworkInterface::allInterfaces()) {
        const QByteArray address = QByteArray::fromHex(adapter.hardwareAddress().toLatin1());
        if (address.size() == kMacAddressBytes)
            addresses.append(address);
    }
    return MacAddressTextOf(addresses);
}

QString GetDeviceId()
{
    try {
        const TCPUIDInfo processors;
        return Md5AnsiLower(GetMacAddressText() + GetDiskSerial() + processors.GetFirstCPUInfoString());
    } catch (...) {
        return QString();
    }
}

QString GetComputerNameText()
{
    return QSysInfo::machineHostName().section(u'.', 0, 0).toUpper().left(kComputerNameLimit);
}

} // namespace zelto
