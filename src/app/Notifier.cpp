#include "app/Notifier.h"

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

void SetNotifier(INotifier *notifier)
{
    g_notifier = notifier ? notifier : &g_standardErrorNotifier;
}

} // namespace zelto
