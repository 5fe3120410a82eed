// FileMD5 of a 256 MiB file against coreutils md5sum of the same file, warm cache.
#include "RatioReporter.h"

#include "app/Digests.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr qint64 kFileSize = qint64(256) << 20;

QString g_path;

QString WriteSampleFile(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("sample.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    quint32 state = 12345;
    for (qint64 written = 0; written < kFileSize; written += chunk.size()) {
        for (char &byte : chunk)
            byte = char((state = state * 1664525 + 1013904223) >> 24);
        file.write(chunk);
    }
    return path;
}

QString Md5sum(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("md5sum"), {path});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        qFatal("md5sum failed");
    return QString::fromLatin1(process.readAllStandardOutput().left(32)).toUpper();
}

void BM_FileMD5(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(zelto::FileMD5(g_path));
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

void BM_Md5sum(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Md5sum(g_path));
    state.SetBytesProcessed(state.iterations() * kFileSize);
}

BENCHMARK(BM_FileMD5)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Md5sum)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QTemporaryDir dir;
    g_path = WriteSampleFile(dir);
    // Warms the cache and checks that both give the same digest.
    const QString ours = zelto::FileMD5(g_path);
    const QString theirs = Md5sum(g_path);
    std::printf("FileMD5 %s, md5sum %s\n", qPrintable(ours), qPrintable(theirs));
    if (ours != theirs)
        return 1;
    return zelto::bench::RunAndPrintRatio(argc, argv, "BM_FileMD5", "BM_Md5sum", "FileMD5 / md5sum, 256 MiB");
}
