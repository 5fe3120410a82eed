#include "app/Termination.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>

namespace zelto {
namespace {

std::atomic_bool g_terminationRequested { false };

} // namespace

void RequestApplicationTermination()
{
    g_terminationRequested = true;
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool ApplicationTerminationRequested() { return g_terminationRequested; }

} // namespace zelto
