#pragma once

#include "app/Notifier.h"

#include <QList>
#include <QStringList>

namespace zelto::testing {

// Records every notice instead of showing it, and answers the folder picker with the
// folders queued in `folderAnswers` (empty text, i.e. cancel, when none is left). Installed
// for its lifetime.
class RecordingNotifier final : public INotifier {
public:
    struct Message {
        QString text;
        QString caption;
        NoticeIcon icon;
    };

    RecordingNotifier() { SetNotifier(this); }
    ~RecordingNotifier() override { SetNotifier(nullptr); }

    void ShowMessage(const QString &text, const QString &caption, NoticeIcon icon) override
    {
        messages.append({ text, caption, icon });
    }

    QString PickFolder(const QString &title, const QString &startFolder) override
    {
        pickerTitles.append(title);
        pickerStartFolders.append(startFolder);
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }

    QList<Message> messages;
    QStringList pickerTitles;
    QStringList pickerStartFolders;
    QStringList folderAnswers;
};

} // namespace zelto::testing
