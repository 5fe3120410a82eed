#include "support/ProbeClient.h"

#include "ProbeInstall.h"

#include "support/EventWait.h"
#include "support/ToolRun.h"

#include <QFile>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelto::testing {
namespace {

// Only a deadline against a hung probe; nothing here measures speed.
constexpr int kReportDeadlineMs = 60000;

} // namespace

QString ProbeProgram() { return ToolPath(QStringLiteral("zelto-probe")); }

QString InstallProbeClient(const QString &clientFolder, TClientKind kind)
{
    try {
        return probe::InstallProbe(ProbeProgram(), clientFolder, kind);
    } catch (const std::runtime_error &error) {
        ADD_FAILURE() << error.what();
        return {};
    }
}

QByteArray WaitForFile(const QString &path)
{
    if (!WaitFor([&] { return QFile::exists(path); }, kReportDeadlineMs)) {
        ADD_FAILURE() << "nothing written to " << path.toStdString();
        return {};
    }
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QJsonObject WaitForProbeReport(const QString &path) { return QJsonDocument::fromJson(WaitForFile(path)).object(); }

} // namespace zelto::testing
