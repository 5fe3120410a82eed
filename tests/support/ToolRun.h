#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A built tool as an operator runs it: its exit status and what it printed.
namespace zelto::testing {

struct TToolRun {
    int status = -1;
    QString out;
    QString err;
};

QString ToolPath(const QString &tool); // "zelto-pack" in the build's tools folder

// An empty working folder keeps the test's own.
TToolRun RunProgram(const QString &program, const QStringList &arguments, const QString &workingFolder = {},
                    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

} // namespace zelto::testing
