#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

// Processor and disk identity: two of the three pieces of the device id the account
// platform receives (guard/MachineIdentity.h). Every read degrades to empty text instead of
// failing.
namespace zelto {

enum class TCPUIdFormat { ifContinuous, ifDashed };

// Registers EAX, EBX, ECX, EDX of processor identification leaf 1.
using TCpuIdLeaf = std::array<quint32, 4>;

// What reading the processors needs of the system; the machine's own unless a test hands
// in another. The affinity is that of the calling thread, the one that runs the reads.
class IProcessorProbe {
public:
    virtual ~IProcessorProbe() = default;
    virtual int LogicalProcessorCount() = 0;
    virtual bool SaveAffinity() = 0;            // false when it cannot be read
    virtual bool RunOnlyOn(int processor) = 0;  // false when the processor cannot be chosen
    virtual void RestoreAffinity() = 0;
    // Leaf 1 of the processor identification instruction on the processor running now;
    // none when that processor lacks the instruction.
    virtual std::optional<TCpuIdLeaf> IdentificationLeaf1() = 0;
};

std::unique_ptr<IProcessorProbe> MachineProcessorProbe();

// The identification text of every logical processor, read once at creation.
class TCPUIDInfo {
public:
    explicit TCPUIDInfo(std::unique_ptr<IProcessorProbe> probe = MachineProcessorProbe());

    void ReadCPUId();
    TCPUIdFormat CPUIdFormat() const { return FCPUIdFormat; }
    void SetCPUIdFormat(TCPUIdFormat format); // re-reads every processor
    // The first processor's text; empty when no processor could be read.
    QString GetFirstCPUInfoString() const;

    int FCPUCount = 0;
    QStringList FCPUInfos;        // empty text for a processor without the instruction
    QList<bool> FSupportCpuIds;

private:
    std::unique_ptr<IProcessorProbe> FProbe;
    TCPUIdFormat FCPUIdFormat = TCPUIdFormat::ifDashed;
};

// The processor feature word (ECX of leaf 1) of the processor running now; 0 without the
// identification instruction.
quint32 ProcessorFeatureWord();

// The serial number of the machine's first fixed disk, trimmed; empty when it cannot be
// read. The disks are those under `sysBlockFolder` with a device behind them, not removable,
// in name order; the serial comes from the device's "serial" file or else from its udev
// record under `udevDataFolder`.
QString DiskSerialFrom(const QString &sysBlockFolder, const QString &udevDataFolder);
QString GetDiskSerial(); // from /sys/block and /run/udev/data

} // namespace zelto
