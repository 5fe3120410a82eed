#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

// The speed monitor: four times a second it compares the time passed on the system's tick
// counter with the time passed on the wall clock. Speed-manipulation tools distort one of
// them; a disagreement of more than 20 ms within one check is reported.
namespace zelto {

// Where the monitor reads its two clocks; tests hand in clocks they move themselves.
class IMonitorClocks {
public:
    virtual ~IMonitorClocks() = default;
    virtual quint32 TickCount() const = 0;       // milliseconds since the system started
    virtual QDateTime LocalNow() const = 0;      // local date and time, millisecond resolution
};

IMonitorClocks &SystemMonitorClocks();

using TOnKernelEvent = std::function<void(int code)>;

class TDMKernelMonitor final : public QObject {
    Q_OBJECT
public:
    static constexpr int kDeviationCode = 10016;
    static constexpr int kRepeatedDeviationCode = 10017;
    static constexpr int kIntervalMs = 250;

    explicit TDMKernelMonitor(QObject *owner = nullptr, IMonitorClocks &clocks = SystemMonitorClocks());

    bool Speed() const;
    void SetSpeed(bool running);
    void SetKernelEvent(TOnKernelEvent handler) { FKernelEvent = std::move(handler); }

    void TimerExecTimer();

private:
    void DoKernelEvent(int code);
    void TakeReadings();

    IMonitorClocks &m_clocks;
    QTimer TimerExec;
    QDateTime FLastTime;
    quint32 FLastTick = 0;
    int FSpeedCount = 0;
    TOnKernelEvent FKernelEvent;
};

} // namespace zelto
