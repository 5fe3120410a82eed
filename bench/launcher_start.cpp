// The launcher's start with the default skin: the time from starting the process to the
// main window's first paint, and the resident memory at that moment. Each repetition starts
// a packed launcher (offscreen, catalogue "local"), waits for the trace line of the first
// paint, reads VmRSS and ends the process.
#include "SkinFiles.h"
#include "app/AppendedDataWriter.h"
#include "ui/SkinStream.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

const QByteArray kPaintedLine = QStringLiteral(u"主窗口已绘制").toUtf8();
constexpr qint64 kStartDeadlineMs = 30000;

QString PackDefaultLauncher(const QTemporaryDir &folder)
{
    QFile image(QStringLiteral(ZELTO_BIN_DIR "/src/zelto-launcher"));
    if (!image.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = image.readAll();
    zelto::TAppendedContent content;
    content.record.sTitle.SetText(QStringLiteral(u"启动测速"));
    content.record.ServerListURL.SetText(QStringLiteral("local"));
    const QByteArray stream = zelto::pack::ComponentStreamOfSkinFile(QStringLiteral(ZELTO_SOURCE_DIR "/skins/default/skin.txt"));
    content.skinStream = zelto::PackSkinStream(stream);
    bytes += zelto::BuildAppendedData(bytes.size(), content).value_or(QByteArray());
    const QString path = folder.filePath(QStringLiteral("launcher"));
    QFile packed(path);
    if (!packed.open(QIODevice::WriteOnly) || packed.write(bytes) != bytes.size())
        return {};
    packed.close();
    packed.setPermissions(packed.permissions() | QFile::ExeOwner);
    return path;
}

qint64 ResidentKilobytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

void LauncherStartToFirstPaint(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString launcher = PackDefaultLauncher(folder);
    if (launcher.isEmpty()) {
        state.SkipWithError("cannot pack the launcher");
        return;
    }
    for (auto _ : state) {
        const QString trace = folder.filePath(QStringLiteral("trace.log"));
        QFile::remove(trace);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        environment.insert(QStringLiteral("TMPDIR"), folder.path());
        environment.insert(QStringLiteral("ZELTO_TRACE"), trace);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardErrorFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer elapsed;
        elapsed.start();
        process.start(launcher, {});
        bool painted = false;
        while (!painted && elapsed.elapsed() < kStartDeadlineMs && process.state() != QProcess::NotRunning) {
            QFile log(trace);
            painted = log.open(QIODevice::ReadOnly) && log.readAll().contains(kPaintedLine);
            if (!painted)
                QThread::usleep(2000);
        }
        state.SetIterationTime(double(elapsed.nsecsElapsed()) / 1e9);
        state.counters["VmRSS_MiB"] = double(ResidentKilobytes(process.processId())) / 1024.0;
        process.kill();
        process.waitForFinished();
        if (!painted) {
            state.SkipWithError("the window was not painted");
            return;
        }
    }
}

BENCHMARK(LauncherStartToFirstPaint)->Iterations(1)->Repetitions(10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
