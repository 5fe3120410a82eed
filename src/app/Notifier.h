#pragma once

#include <QString>

namespace zelto {

enum class NoticeIcon { None, Information, Warning, Error };

// Every message box and folder picker the player sees goes through one notifier, so that
// tests can record what would have been shown and answer like a player instead of blocking
// on a modal dialog. The launcher installs the Qt one at start; until then (and in the
// tools) notices go to standard error.
class INotifier {
public:
    virtual ~INotifier() = default;
    virtual void ShowMessage(const QString &text, const QString &caption, NoticeIcon icon) = 0;
    // Empty text when the player cancels.
    virtual QString PickFolder(const QString &title, const QString &startFolder) = 0;
};

INotifier &Notifier();
// The notifier's message from any thread: a worker waits until the user-interface thread
// has shown it (so that thread must not be waiting for the worker meanwhile).
void ShowMessageFromAnyThread(const QString &text, const QString &caption, NoticeIcon icon);
// Installs a notifier (not owned); nullptr restores the standard-error one.
void SetNotifier(INotifier *notifier);

} // namespace zelto
