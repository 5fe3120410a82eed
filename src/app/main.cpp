// The launcher's entry: the Qt application with the message boxes players see.
#include "app/Startup.h"
#include "ui/QtNotifier.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The embedded browser shares its graphics context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    zelto::QtNotifier notifier;
    zelto::SetNotifier(&notifier);
    const int code = zelto::RunLauncher(app);
    zelto::SetNotifier(nullptr);
    return code;
}
