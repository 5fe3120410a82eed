#include "guard/MachineIdentity.h"
#include "guard/uDiskSN.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sched.h>

namespace zelto {
namespace {

struct OSNameCase {
    const char *name;
    TOSVersionFacts facts;
    const char *expected;
};

void PrintTo(const OSNameCase &c, std::ostream *out) { *out << c.name; }

class OSName : public ::testing::TestWithParam<OSNameCase> {};

TEST_P(OSName, FollowsTheVersionTable)
{
    EXPECT_EQ(OSNameOf(GetParam().facts).toStdString(), GetParam().expected);
}

const OSNameCase kOSNameCases[] = {
    {"Seven_ServicePack1", {TOSPlatform::WindowsNT, 6, 1, "Service Pack 1", true}, "Microsoft Windows 7 Service Pack 1"},
    {"Server2012R2_NoServicePack", {TOSPlatform::WindowsNT, 6, 3, "", false}, "Microsoft Windows Server 2012 R2 "},
    {"Ten", {TOSPlatform::WindowsNT, 10, 0, "", true}, "Microsoft Windows 10 "},
    {"Server2016", {TOSPlatform::WindowsNT, 10, 0, "", false}, "Microsoft Windows Server 2016 "},
    {"Vista_ServicePackTrimmed", {TOSPlatform::WindowsNT, 6, 0, "  Service Pack 2 ", true}, "Microsoft Windows Vista Service Pack 2"},
    {"Server2008", {TOSPlatform::WindowsNT, 6, 0, "", false}, "Microsoft Windows Server 2008 "},
    {"Eight", {TOSPlatform::WindowsNT, 6, 2, "", true}, "Microsoft Windows 8 "},
    {"XP_OnServer", {TOSPlatform::WindowsNT, 5, 1, "Service Pack 3", false}, "Microsoft Windows XP Service Pack 3"},
    {"Server2003", {TOSPlatform::WindowsNT, 5, 2, "", false}, "Microsoft Windows 2003 "},
    {"Win2000", {TOSPlatform::WindowsNT, 5, 0, "", true}, "Microsoft Windows 2000 "},
    {"NT351", {TOSPlatform::WindowsNT, 3, 51, "", true}, "Microsoft Windows NT 3.51 "},
    {"NT40", {TOSPlatform::WindowsNT, 4, 0, "", false}, "Microsoft Windows NT 4.0 "},
    {"UnknownNT", {TOSPlatform::WindowsNT, 6, 4, "", true}, "Microsoft Windows  "},
    {"Win95", {TOSPlatform::Windows9x, 4, 0, "", true}, "Microsoft Windows 95 "},
    {"Win98_ReportedAs4_10", {TOSPlatform::Windows9x, 4, 10, "", true}, "Microsoft Windows 98 "},
    {"Me_ReportedAs4_90", {TOSPlatform::Windows9x, 4, 90, "", true}, "Microsoft Windows Me "},
    {"Other9x", {TOSPlatform::Windows9x, 4, 20, "", true}, "Microsoft Windows 9x "},
    {"Win32s", {TOSPlatform::Win32s, 3, 11, "", true}, "Microsoft Windows 32 "},
    {"OtherPlatform", {TOSPlatform::Other, 6, 1, "Debian GNU/Linux 12", true}, "Microsoft Windows  Debian GNU/Linux 12"},
};

INSTANTIATE_TEST_SUITE_P(Versions, OSName, ::testing::ValuesIn(kOSNameCases),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MacAddress, TakesTheFirstAdapterWhoseAddressDoesNotStartWithZero)
{
    const QByteArray loopback(6, '\0');
    const QByteArray leadingZero = QByteArray::fromHex("00155d010203");
    const QByteArray first = QByteArray::fromHex("0a1b2c3d4e5f");
    const QByteArray second = QByteArray::fromHex("f0e1d2c3b4a5");
    EXPECT_EQ(MacAddressTextOf({loopback, leadingZero, first, second}), QStringLiteral("0A-1B-2C-3D-4E-5F"));
    EXPECT_EQ(MacAddressTextOf({}), QStringLiteral("00-00-00-00-00-00"));
    EXPECT_EQ(MacAddressTextOf({loopback, leadingZero}), QStringLiteral("00-15-5D-01-02-03")); // the last one read
}

TEST(MachineIdentity, IsStableAndWellFormedOnThisMachine)
{
    const QString deviceId = GetDeviceId();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(deviceId).hasMatch()) << deviceId.toStdString();
    EXPECT_EQ(GetDeviceId(), deviceId);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([0-9A-F]{2}-){5}[0-9A-F]{2}$")).match(GetMacAddressText()).hasMatch());
    EXPECT_TRUE(GetOSName().startsWith(QStringLiteral("Microsoft Windows ")));
    const QString computer = GetComputerNameText();
    EXPECT_LE(computer.size(), 15);
    EXPECT_EQ(computer, computer.toUpper());
}

// A processor table in place of the machine's; records how the affinity was handled.
class TableProbe final : public IProcessorProbe {
public:
    struct Log {
        QList<int> chosen;
        int restores = 0;
    };

    TableProbe(QList<std::optional<TCpuIdLeaf>> processors, Log &log) : FProcessors(std::move(processors)), FLog(log) {}

    int LogicalProcessorCount() override { return int(FProcessors.size()); }
    bool SaveAffinity() override { return affinityReadable; }
    bool RunOnlyOn(int processor) override
    {
        if (processor >= choosable)
            return false;
        FLog.chosen.append(processor);
        FCurrent = processor;
        return true;
    }
    void RestoreAffinity() override { ++FLog.restores; }
    std::optional<TCpuIdLeaf> IdentificationLeaf1() override { return FProcessors[FCurrent]; }

    bool affinityReadable = true;
    int choosable = 1000;

private:
    QList<std::optional<TCpuIdLeaf>> FProcessors;
    Log &FLog;
    int FCurrent = -1;
};

const TCpuIdLeaf kLeafA{0x000906ea, 0x00100800, 0x7ffafbff, 0xbfebfbff};
const TCpuIdLeaf kLeafB{0x000906ea, 0x01100800, 0x7ffafbff, 0xbfebfbff};

TEST(CPUIDInfo, ReadsEveryProcessorOnItsOwnAndRestoresTheAffinity)
{
    TableProbe::Log log;
    TCPUIDInfo info(std::make_unique<TableProbe>(QList<std::optional<TCpuIdLeaf>>{kLeafA, std::nullopt, kLeafB}, log));
    EXPECT_EQ(info.FCPUCount, 3);
    EXPECT_EQ(info.FCPUInfos, (QStringList{"000906ea-00100800-7ffafbff-bfebfbff", "", "000906ea-01100800-7ffafbff-bfebfbff"}));
    EXPECT_EQ(info.FSupportCpuIds, (QList<bool>{true, false, true}));
    EXPECT_EQ(log.chosen, (QList<int>{0, 1, 2}));
    EXPECT_EQ(log.restores, 1);
    EXPECT_EQ(info.GetFirstCPUInfoString(), QStringLiteral("000906ea-00100800-7ffafbff-bfebfbff"));

    info.SetCPUIdFormat(TCPUIdFormat::ifContinuous);
    EXPECT_EQ(info.GetFirstCPUInfoString(), QStringLiteral("000906ea001008007ffafbffbfebfbff"));
    EXPECT_EQ(log.restores, 2);
}

TEST(CPUIDInfo, DegradesWhenTheAffinityCannotBeReadOrSet)
{
    TableProbe::Log unreadableLog;
    auto unreadable = std::make_unique<TableProbe>(QList<std::optional<TCpuIdLeaf>>{kLeafA, kLeafB}, unreadableLog);
    unreadable->affinityReadable = false;
    const TCPUIDInfo none(std::move(unreadable));
    EXPECT_EQ(none.FCPUCount, 2);
    EXPECT_TRUE(none.FCPUInfos.isEmpty());
    EXPECT_TRUE(none.GetFirstCPUInfoString().isEmpty());
    EXPECT_EQ(unreadableLog.restores, 0);

    TableProbe::Log partLog;
    auto part = std::make_unique<TableProbe>(QList<std::optional<TCpuIdLeaf>>{kLeafA, kLeafB, kLeafB}, partLog);
    part->choosable = 1;
    const TCPUIDInfo first(std::move(part));
    EXPECT_EQ(first.FCPUInfos.size(), 1); // the loop stops at the processor that cannot be chosen
    EXPECT_EQ(partLog.restores, 1);
}

TEST(CPUIDInfo, LeavesTheThreadsAffinityAsItWas)
{
    cpu_set_t before;
    ASSERT_EQ(sched_getaffinity(0, sizeof before, &before), 0);
    const TCPUIDInfo info;
    cpu_set_t after;
    ASSERT_EQ(sched_getaffinity(0, sizeof after, &after), 0);
    EXPECT_TRUE(CPU_EQUAL(&before, &after));
    EXPECT_GE(info.FCPUCount, 1);
#if defined(__x86_64__)
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{8}(-[0-9a-f]{8}){3}$")).match(info.GetFirstCPUInfoString()).hasMatch())
        << info.GetFirstCPUInfoString().toStdString();
#endif
}

// A /sys/block and udev tree of the test's own.
class DiskSerial : public ::testing::Test {
protected:
    void Write(const QString &relative, const QByteArray &content)
    {
        const QString path = folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void Disk(const QString &name, bool removable)
    {
        QDir().mkpath(folder.filePath(QStringLiteral("block/%1/device").arg(name)));
        Write(QStringLiteral("block/%1/removable").arg(name), removable ? "1\n" : "0\n");
    }
    QString Serial() const { return DiskSerialFrom(folder.filePath("block"), folder.filePath("udev")); }

    QTemporaryDir folder;
};

TEST_F(DiskSerial, IsTheTrimmedSerialOfTheFirstFixedDisk)
{
    Write("block/loop0/removable", "0\n"); // no device behind it
    Disk("sda", false);
    Disk("sdb", false);
    Disk("sr0", true);
    Write("block/sda/device/serial", "  WD-WCC4E1234567  \n");
    Write("block/sdb/device/serial", "SECOND\n");
    Write("block/sr0/device/serial", "OPTICAL\n");
    EXPECT_EQ(Serial(), QStringLiteral("WD-WCC4E1234567"));
}

TEST_F(DiskSerial, FallsBackToTheDisksOwnFileAndToUdev)
{
    Disk("vda", false);
    Write("block/vda/serial", "virtio-77\n");
    EXPECT_EQ(Serial(), QStringLiteral("virtio-77"));

    QFile::remove(folder.filePath("block/vda/serial"));
    Write("block/vda/dev", "254:0\n");
    Write("udev/b254:0", "S:disk/by-id/x\nE:ID_SERIAL=QEMU_HARDDISK_QM0001\nE:ID_SERIAL_SHORT=QM0001 \n");
    EXPECT_EQ(Serial(), QStringLiteral("QM0001"));

    QFile::remove(folder.filePath("udev/b254:0"));
    EXPECT_TRUE(Serial().isEmpty());
    EXPECT_TRUE(DiskSerialFrom(folder.filePath("nothing"), folder.filePath("nothing")).isEmpty());
}

} // namespace
} // namespace zelto
