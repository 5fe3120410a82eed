#include "app/Notifier.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <cstdio>

namespace zelto {
namespace {

class StandardErrorNotifier final : public INotifier {
public:
    void ShowMessage(const QString &text, const QString &caption, NoticeIcon) override
    {
        std::fprintf(stderr, "[%s] %s\n", qUtf8Printable(caption), qUtf8Printable(text));
    }
    QString PickFolder(const QString &, const QString &) override { return {}; }
};

StandardErrorNotifier g_standardErrorNotifier;
INotifier *g_notifier = &g_standardErrorNotifier;

} // namespace

INotifier &Notifier() { return *g_notifier; }

void ShowMessageFromAnyThread(const QString &text, const QString &caption, NoticeIcon icon)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        Notifier().ShowMessage(text, caption, icon);
        return;
    }
    QMetaObject::invokeMethod(app, [&] { Notifier().ShowMessage(text, caption, icon); }, Qt::BlockingQueuedConnection);
}

void SetNotifier(INotifier *notifier)
{
    g_notifier = notifier ? notifier : &g_standardErrorNotifier;
}

} // namespace zelto
