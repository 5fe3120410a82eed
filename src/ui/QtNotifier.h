#pragma once

#include "app/Notifier.h"

namespace zelto {

// The notifier the launcher installs: Qt message boxes and the folder picker, owned by the
// window the player is working in.
class QtNotifier final : public INotifier {
public:
    void ShowMessage(const QString &text, const QString &caption, NoticeIcon icon) override;
    QString PickFolder(const QString &title, const QString &startFolder) override;
};

} // namespace zelto
