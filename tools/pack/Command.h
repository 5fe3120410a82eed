#pragma once

#include <QString>
#include <QStringList>

// One command family of zelto-pack: a row of the dispatch table in main.cpp. A family
// lives in its own file and parses its own arguments (those after its name).
namespace zelto::pack {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the output could not be written
inline constexpr int kExitBadInput = 2; // bad arguments or input files

struct TCommand {
    const char *name;
    const char *synopsis;
    const char *summary;
    int (*run)(const QStringList &arguments);
};

// Thrown anywhere below a command; main prints "zelto-pack: <message>" and exits with
// the status. Messages name the file and, where there is one, the field.
struct TToolError {
    QString message;
    int status = kExitBadInput;
};

int RunPack(const QStringList &arguments);
int RunInspect(const QStringList &arguments);
int RunSkin(const QStringList &arguments);
int RunServerList(const QStringList &arguments);
int RunModList(const QStringList &arguments);
int RunDecodeEnv(const QStringList &arguments);
int RunDecodeLaunch(const QStringList &arguments);

} // namespace zelto::pack
