#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Scripts the launcher leaves behind to finish what it cannot do while it runs (replace its
// own file, start its copy elsewhere). One list of steps gives two texts: the system's batch
// text, exactly as the launcher writes it there (code page 936, CR LF), and the POSIX sh
// script with the same steps in the same order, which is what runs here.
//
// The sh script waits for the launcher's process to end (where the batch text relies on the
// file staying busy until then), sets every file it deletes aside until the new files are in
// place, and puts them back when a move fails, so that a failed replacement leaves the old
// launcher where it was. Every path is quoted for the shell, whatever characters it holds.
namespace zelto::os {

class TScript {
public:
    // The sh script first waits (up to kProcessWaitSeconds) for this process to end; when it
    // does not, the script changes nothing.
    explicit TScript(qint64 processId = 0) : FProcessId(processId) {}

    // ":<label>", del "path", if exist "path" goto <label>
    void DeleteUntilGone(const QString &label, const QString &path);
    // ":<label>", move "from" "to", if exist "from" goto <label>
    void MoveUntilMoved(const QString &label, const QString &from, const QString &to);
    // rd/s/q "folder"
    void RemoveFolder(const QString &folder);
    // "program"
    void Start(const QString &program);
    // del %0
    void DeleteItself();

    QByteArray BatchText() const;
    QByteArray ShellText() const;

    static constexpr int kProcessWaitSeconds = 300;
    static constexpr int kMoveAttempts = 30; // one second apart

private:
    enum class TKind { Delete, Move, RemoveFolder, Start, DeleteItself };
    struct TStep {
        TKind Kind;
        QString Label;
        QString Path;
        QString Target;
    };

    qint64 FProcessId;
    QList<TStep> FSteps;
};

// Quotes a text as one word for the POSIX shell.
QString ShellQuoted(const QString &text);

// Writes the sh script to `scriptPath` (committed whole) and starts it detached, without a
// window, in `workingFolder`, at the launcher's own priority (a program it starts must not
// inherit an idle one). False when it could not be written or started.
bool WriteAndStartScript(const TScript &script, const QString &scriptPath, const QString &workingFolder);

} // namespace zelto::os
