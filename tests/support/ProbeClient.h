#pragma once

#include "launch/GameClient.h"

#include <QJsonObject>
#include <QString>

// The stand-in game client zelto-probe as the tests use it: installed into a client folder
// and read back once it has run.
namespace zelto::testing {

QString ProbeProgram(); // the built zelto-probe

// A client folder of the kind with the probe as its executable; the probe's path.
QString InstallProbeClient(const QString &clientFolder, TClientKind kind);

// The content of a file a detached program writes (whole, by renaming it into place), once
// it is there. Empty, and a test failure, when none appears within a generous deadline.
QByteArray WaitForFile(const QString &path);
// The report the probe writes to `path`, once it is there.
QJsonObject WaitForProbeReport(const QString &path);

} // namespace zelto::testing
