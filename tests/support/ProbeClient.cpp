#include "support/ProbeClient.h"

#include "ProbeInstall.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QThread>

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelto::testing {
namespace {

// Only a deadline against a hung probe; nothing here measures speed.
constexpr int kReportDeadlineMs = 60000;

} // namespace

QString ProbeProgram() { return QStringLiteral(ZELTO_BIN_DIR "/tools/zelto-probe"); }

QString InstallProbeClient(const QString &clientFolder, TClientKind kind)
{
    try {
        return probe::InstallProbe(ProbeProgram(), clientFolder, kind);
    } catch (const std::runtime_error &error) {
        ADD_FAILURE() << error.what();
        return {};
    }
}

QJsonObject WaitForProbeReport(const QString &path)
{
    const QDeadlineTimer deadline(kReportDeadlineMs);
    while (!QFile::exists(path)) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "no probe report at " << path.toStdString();
            return {};
        }
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace zelto::testing
