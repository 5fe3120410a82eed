#include "guard/uKernelMonitor.h"

#include "os/TickCount.h"

namespace zelto {
namespace {

constexpr qint64 kToleranceMs = 20;
constexpr int kDeviationsPerRepeatReport = 6;

class SystemClocks final : public IMonitorClocks {
public:
    quint32 TickCount() const override { return os::TickCount(); }
    QDateTime LocalNow() const override { return QDateTime::currentDateTime(); }
};

} // namespace

IMonitorClocks &SystemMonitorClocks()
{
    static SystemClocks clocks;
    return clocks;
}

TDMKernelMonitor::TDMKernelMonitor(QObject *owner, IMonitorClocks &clocks)
    : QObject(owner)
    , m_clocks(clocks)
{
    TimerExec.setInterval(kIntervalMs);
    connect(&TimerExec, &QTimer::timeout, this, &TDMKernelMonitor::TimerExecTimer);
}

bool TDMKernelMonitor::Speed() const { return TimerExec.isActive(); }

void TDMKernelMonitor::SetSpeed(bool running)
{
    TakeReadings();
    if (running)
        TimerExec.start();
    else
        TimerExec.stop();
}

void TDMKernelMonitor::TimerExecTimer()
{
    const quint32 ticks = m_clocks.TickCount() - FLastTick; // wraps like the 32-bit counter
    const qint64 clock = qAbs(FLastTime.msecsTo(m_clocks.LocalNow()));
    if (qAbs(qint64(ticks) - clock) > kToleranceMs) {
        ++FSpeedCount;
        DoKernelEvent(kDeviationCode);
        if (FSpeedCount >= kDeviationsPerRepeatReport) {
            DoKernelEvent(kRepeatedDeviationCode);
            FSpeedCount = 0;
        }
    }
    TakeReadings();
}

void TDMKernelMonitor::DoKernelEvent(int code)
{
    if (FKernelEvent)
        FKernelEvent(code);
}

void TDMKernelMonitor::TakeReadings()
{
    FLastTime = m_clocks.LocalNow();
    FLastTick = m_clocks.TickCount();
}

} // namespace zelto
