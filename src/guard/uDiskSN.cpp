#include "guard/uDiskSN.h"

#include <QDir>
#include <QFile>

#include <sched.h>
#include <unistd.h>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace zelto {
namespace {

// Sysfs and udev files are a line or a few hundred bytes; more is not read.
constexpr qint64 kMaxFactFileBytes = 64 * 1024;

std::optional<TCpuIdLeaf> CurrentLeaf1()
{
#if defined(__i386__) || defined(__x86_64__)
    // On 32-bit processors this also tests that the ID flag can be toggled.
    if (__get_cpuid_max(0, nullptr) < 1)
        return std::nullopt;
    TCpuIdLeaf leaf{};
    __cpuid(1, leaf[0], leaf[1], leaf[2], leaf[3]);
    return leaf;
#else
    return std::nullopt;
#endif
}

class TMachineProcessorProbe final : public IProcessorProbe {
public:
    int LogicalProcessorCount() override { return int(sysconf(_SC_NPROCESSORS_CONF)); }

    bool SaveAffinity() override { return sched_getaffinity(0, sizeof FSaved, &FSaved) == 0; }

    bool RunOnlyOn(int processor) override
    {
        if (processor < 0 || processor >= CPU_SETSIZE)
            return false;
        cpu_set_t only;
        CPU_ZERO(&only);
        CPU_SET(processor, &only);
        return sched_setaffinity(0, sizeof only, &only) == 0;
    }

    void RestoreAffinity() override { sched_setaffinity(0, sizeof FSaved, &FSaved); }

    std::optional<TCpuIdLeaf> IdentificationLeaf1() override { return CurrentLeaf1(); }

private:
    cpu_set_t FSaved{};
};

QString IdentificationText(const TCpuIdLeaf &leaf, TCPUIdFormat format)
{
    QStringList groups;
    for (quint32 value : leaf)
        groups << QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0'));
    return groups.join(format == TCPUIdFormat::ifDashed ? QStringLiteral("-") : QString());
}

QString ReadFactFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(kMaxFactFileBytes));
}

// "E:ID_SERIAL_SHORT=..." of a udev record, else "E:ID_SERIAL=...".
QString UdevSerial(const QString &record)
{
    QString serial;
    for (const QString &line : record.split(u'\n')) {
        if (line.startsWith(QLatin1String("E:ID_SERIAL_SHORT=")))
            return line.mid(18);
        if (line.startsWith(QLatin1String("E:ID_SERIAL=")) && serial.isEmpty())
            serial = line.mid(12);
    }
    return serial;
}

QString SerialOfDisk(const QDir &disk, const QString &udevDataFolder)
{
    for (const QString &file : {QStringLiteral("device/serial"), QStringLiteral("serial")}) {
        const QString serial = ReadFactFile(disk.filePath(file)).trimmed();
        if (!serial.isEmpty())
            return serial;
    }
    const QString number = ReadFactFile(disk.filePath(QStringLiteral("dev"))).trimmed(); // "8:0"
    if (number.isEmpty())
        return QString();
    return UdevSerial(ReadFactFile(QDir(udevDataFolder).filePath(QStringLiteral("b") + number))).trimmed();
}

} // namespace

std::unique_ptr<IProcessorProbe> MachineProcessorProbe() { return std::make_unique<TMachineProcessorProbe>(); }

TCPUIDInfo::TCPUIDInfo(std::unique_ptr<IProcessorProbe> probe) : FProbe(std::move(probe))
{
    ReadCPUId();
}

void TCPUIDInfo::ReadCPUId()
{
    FCPUInfos.clear();
    FSupportCpuIds.clear();
    FCPUCount = FProbe->LogicalProcessorCount();
    if (!FProbe->SaveAffinity())
        return;
    for (int processor = 0; processor < FCPUCount; ++processor) {
        if (!FProbe->RunOnlyOn(processor))
            break;
        const std::optional<TCpuIdLeaf> leaf = FProbe->IdentificationLeaf1();
        FSupportCpuIds.append(leaf.has_value());
        FCPUInfos.append(leaf ? IdentificationText(*leaf, FCPUIdFormat) : QString());
    }
    FProbe->RestoreAffinity();
}

void TCPUIDInfo::SetCPUIdFormat(TCPUIdFormat format)
{
    FCPUIdFormat = format;
    ReadCPUId();
}

QString TCPUIDInfo::GetFirstCPUInfoString() const
{
    return FCPUInfos.isEmpty() ? QString() : FCPUInfos.first();
}

quint32 ProcessorFeatureWord()
{
    const std::optional<TCpuIdLeaf> leaf = CurrentLeaf1();
    return leaf ? (*leaf)[2] : 0;
}

QString DiskSerialFrom(const QString &sysBlockFolder, const QString &udevDataFolder)
{
    const QDir blocks(sysBlockFolder);
    const QStringList names = blocks.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QDir disk(blocks.filePath(name));
        // Loop, RAM and mapper devices have no device behind them; optical drives and
        // memory sticks are removable.
        if (!QFileInfo::exists(disk.filePath(QStringLiteral("device")))
            || ReadFactFile(disk.filePath(QStringLiteral("removable"))).trimmed() == QLatin1String("1"))
            continue;
        return SerialOfDisk(disk, udevDataFolder);
    }
    return QString();
}

QString GetDiskSerial()
{
    return DiskSerialFrom(QStringLiteral("/sys/block"), QStringLiteral("/run/udev/data"));
}

} // namespace zelto
