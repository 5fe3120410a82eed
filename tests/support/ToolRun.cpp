#include "support/ToolRun.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace zelto::testing {
namespace {

constexpr int kProgramDeadlineMs = 60000; // against a hung program only

} // namespace

QString ToolPath(const QString &tool) { return QStringLiteral(ZELTO_BIN_DIR "/tools/") + tool; }

TToolRun RunProgram(const QString &program, const QStringList &arguments, const QString &workingFolder,
                    const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(kProgramDeadlineMs)) << program.toStdString();
    return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
             QString::fromUtf8(process.readAllStandardError()) };
}

} // namespace zelto::testing
