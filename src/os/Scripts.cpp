#include "os/Scripts.h"

#include "os/AnsiCodePage.h"

#include <QFile>
#include <QProcess>
#include <QSaveFile>

namespace zelto::os {
namespace {

QString BatchQuoted(const QString &path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

// Where the sh script keeps what the n-th deletion set aside.
QString KeptPath(int index) { return QStringLiteral("\"$kept/%1\"").arg(index); }

const char kShellPreamble[] = R"sh(#!/bin/sh
# Left by the launcher: finishes its replacement once it has ended.
running() {
  kill -0 "$1" 2>/dev/null || return 1
  case "$(cat "/proc/$1/stat" 2>/dev/null)" in *") Z "*) return 1 ;; esac
  return 0
}
)sh";

} // namespace

void TScript::DeleteUntilGone(const QString &label, const QString &path) { FSteps.append({TKind::Delete, label, path, {}}); }

void TScript::MoveUntilMoved(const QString &label, const QString &from, const QString &to)
{
    FSteps.append({TKind::Move, label, from, to});
}

void TScript::RemoveFolder(const QString &folder) { FSteps.append({TKind::RemoveFolder, {}, folder, {}}); }

void TScript::Start(const QString &program) { FSteps.append({TKind::Start, {}, program, {}}); }

void TScript::DeleteItself() { FSteps.append({TKind::DeleteItself, {}, {}, {}}); }

QByteArray TScript::BatchText() const
{
    QStringList lines;
    for (const TStep &step : FSteps) {
        switch (step.Kind) {
        case TKind::Delete:
            lines << u':' + step.Label << QStringLiteral("del ") + BatchQuoted(step.Path)
                  << QStringLiteral("if exist %1 goto %2").arg(BatchQuoted(step.Path), step.Label);
            break;
        case TKind::Move:
            lines << u':' + step.Label
                  << QStringLiteral("move %1 %2").arg(BatchQuoted(step.Path), BatchQuoted(step.Target))
                  << QStringLiteral("if exist %1 goto %2").arg(BatchQuoted(step.Path), step.Label);
            break;
        case TKind::RemoveFolder: lines << QStringLiteral("rd/s/q ") + BatchQuoted(step.Path); break;
        case TKind::Start: lines << BatchQuoted(step.Path); break;
        case TKind::DeleteItself: lines << QStringLiteral("del %0"); break;
        }
    }
    QByteArray text;
    for (const QString &line : lines)
        text += ToAnsi(line) + "\r\n";
    return text;
}

QByteArray TScript::ShellText() const
{
    QStringList deleted; // the paths set aside, by index
    for (const TStep &step : FSteps)
        if (step.Kind == TKind::Delete)
            deleted << step.Path;

    QString text = QString::fromLatin1(kShellPreamble);
    if (FProcessId > 0) {
        text += QStringLiteral("waited=0\nwhile running %1; do\n"
                               "  [ \"$waited\" -ge %2 ] && { rm -f -- \"$0\"; exit 1; }\n"
                               "  sleep 1\n  waited=$((waited + 1))\ndone\n")
                    .arg(FProcessId).arg(kProcessWaitSeconds);
    }
    // fail: puts back what was set aside and ends, leaving everything as it was.
    if (!deleted.isEmpty())
        text += QStringLiteral("kept=$(mktemp -d) || exit 1\n");
    text += QStringLiteral("fail() {\n");
    for (qsizetype i = deleted.size() - 1; i >= 0; --i)
        text += QStringLiteral("  if [ -e %1 ] || [ -L %1 ]; then mv -f -- %1 %2; fi\n").arg(KeptPath(int(i)), ShellQuoted(deleted[i]));
    if (!deleted.isEmpty())
        text += QStringLiteral("  rm -rf -- \"$kept\"\n");
    text += QStringLiteral("  rm -f -- \"$0\"\n  exit 1\n}\n");

    int deletion = 0;
    bool committed = deleted.isEmpty();
    const auto commit = [&] {
        if (!committed)
            text += QStringLiteral("rm -rf -- \"$kept\"\n");
        committed = true;
    };
    for (const TStep &step : FSteps) {
        const QString path = ShellQuoted(step.Path);
        switch (step.Kind) {
        case TKind::Delete:
            text += QStringLiteral("# %1\nif [ -e %2 ] || [ -L %2 ]; then\n"
                                   "  mv -f -- %2 %3 || fail\nfi\n")
                        .arg(step.Label, path, KeptPath(deletion++));
            break;
        case TKind::Move:
            text += QStringLiteral("# %1\n[ -e %2 ] || fail\ntries=0\n"
                                   "until mv -f -- %2 %3; do\n"
                                   "  tries=$((tries + 1))\n"
                                   "  [ \"$tries\" -ge %4 ] && fail\n"
                                   "  sleep 1\ndone\n")
                        .arg(step.Label, path, ShellQuoted(step.Target), QString::number(kMoveAttempts));
            break;
        case TKind::RemoveFolder:
            commit();
            text += QStringLiteral("rm -rf -- %1\n").arg(path);
            break;
        case TKind::Start:
            commit();
            text += QStringLiteral("%1 >/dev/null 2>&1 &\n").arg(path);
            break;
        case TKind::DeleteItself:
            commit();
            text += QStringLiteral("rm -f -- \"$0\"\n");
            break;
        }
    }
    commit();
    return text.toUtf8();
}

QString ShellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool WriteAndStartScript(const TScript &script, const QString &scriptPath, const QString &workingFolder)
{
    QSaveFile file(scriptPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(script.ShellText());
    if (!file.commit())
        return false;
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({scriptPath});
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace zelto::os
