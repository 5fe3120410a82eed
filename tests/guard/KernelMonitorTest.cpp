#include "guard/uKernelMonitor.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace zelto {
namespace {

// Two clocks the test moves by hand: both advance together unless the test shifts one.
class HandClocks final : public IMonitorClocks {
public:
    quint32 TickCount() const override { return tick; }
    QDateTime LocalNow() const override { return wall; }

    void Advance(int ms)
    {
        tick += quint32(ms);
        wall = wall.addMSecs(ms);
    }

    quint32 tick = 1000;
    QDateTime wall = QDateTime(QDate(2024, 5, 1), QTime(12, 0));
};

class SpeedMonitor : public ::testing::Test {
protected:
    SpeedMonitor()
    {
        monitor.SetKernelEvent([this](int code) { codes.append(code); });
        monitor.SetSpeed(true);
        monitor.SetSpeed(false); // readings taken; the ticks are driven by hand below
    }

    void Tick(int ms = TDMKernelMonitor::kIntervalMs, int wallShiftMs = 0)
    {
        clocks.Advance(ms);
        clocks.wall = clocks.wall.addMSecs(wallShiftMs);
        monitor.TimerExecTimer();
    }

    HandClocks clocks;
    TDMKernelMonitor monitor { nullptr, clocks };
    QList<int> codes;
};

TEST_F(SpeedMonitor, AgreeingClocksReportNothing)
{
    for (int i = 0; i < 20; ++i)
        Tick();
    Tick(5000); // a long block of the event loop grows both intervals alike
    EXPECT_TRUE(codes.isEmpty());
}

TEST_F(SpeedMonitor, ToleratesTwentyMillisecondsEitherWay)
{
    Tick(250, 20);
    Tick(250, -20);
    EXPECT_TRUE(codes.isEmpty());
    Tick(250, 21);
    EXPECT_EQ(codes, QList<int>({ TDMKernelMonitor::kDeviationCode }));
}

TEST_F(SpeedMonitor, SixDeviationsGiveSixReportsAndOneRepeatReport)
{
    // Forward and back; the wall clock's interval counts as a distance, so going back 1000 ms
    // within 250 ms reads as 750 ms passed.
    const QList<int> shifts = { 3600000, -3600000, 500, -1000, 60000, 100 };
    for (int shift : shifts) {
        Tick(250, shift);
        Tick(); // quiet ticks between deviations do not reset the count
        Tick();
    }
    QList<int> expected(5, TDMKernelMonitor::kDeviationCode);
    expected << TDMKernelMonitor::kDeviationCode << TDMKernelMonitor::kRepeatedDeviationCode;
    EXPECT_EQ(codes, expected);
    codes.clear();
    Tick(250, 1000); // the seventh counts as the first again
    EXPECT_EQ(codes, QList<int>({ TDMKernelMonitor::kDeviationCode }));
}

TEST_F(SpeedMonitor, TickCounterWrapIsNoDeviation)
{
    clocks.tick = 0xFFFFFF00u;
    monitor.SetSpeed(false);
    Tick(); // 0xFFFFFF00 + 250 wraps past zero
    EXPECT_TRUE(codes.isEmpty());
}

TEST(SpeedMonitorUnbound, RunsWithoutHandler)
{
    HandClocks clocks;
    TDMKernelMonitor monitor(nullptr, clocks);
    monitor.SetSpeed(true);
    EXPECT_TRUE(monitor.Speed());
    clocks.wall = clocks.wall.addSecs(3600);
    monitor.TimerExecTimer();
    monitor.SetSpeed(false);
    EXPECT_FALSE(monitor.Speed());
}

TEST(SpeedMonitorSystemClocks, FirstTicksAfterArmingReportNothing)
{
    TDMKernelMonitor monitor;
    QList<int> codes;
    monitor.SetKernelEvent([&codes](int code) { codes.append(code); });
    monitor.SetSpeed(true);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 2 * TDMKernelMonitor::kIntervalMs + 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(codes.isEmpty());
}

} // namespace
} // namespace zelto
