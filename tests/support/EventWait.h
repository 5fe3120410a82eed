#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace zelto::testing {

// Runs the event loop until the condition holds; false when it still does not after timeoutMs.
inline bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop pause;
        QTimer::singleShot(5, &pause, &QEventLoop::quit);
        pause.exec();
    }
    return true;
}

// Runs the event loop for a while, for what must not happen meanwhile.
inline void RunEventsFor(int ms)
{
    WaitFor([] { return false; }, ms);
}

} // namespace zelto::testing
