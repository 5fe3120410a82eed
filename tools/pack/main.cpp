// zelto-pack: the operator's tool. Packs a launcher for one title, shows what a launcher
// carries, compiles text skins, publishes server lists and mod lists, and decodes what a
// launcher hands to its game client. A new command family is one file with its Run
// function and one row in the table below.
#include "Command.h"
#include "CommandLine.h"

#include <QCoreApplication>

#include <cstdio>

using namespace zelto::pack;

namespace {

const TCommand kCommands[] = {
    { "pack", "--launcher IN --config CONFIG.json --skin SKIN [--aid32 FILE] [--aid64 FILE] --output OUT",
      "append skin, configuration, first-aid packages and trailer to a launcher", RunPack },
    { "inspect", "FILE [--json]", "show the trailer, the configuration and the skin a launcher carries", RunInspect },
    { "skin", "compile SKIN.txt -o SKIN.bin | decompile SKIN.bin -o SKIN.txt",
      "convert between the text form and the component stream of a skin", RunSkin },
    { "serverlist", "seal IN OUT", "encipher a server list for a mod list with isEncrypt 1", RunServerList },
    { "modlist", "substitute IN OUT", "write a mod list in the substituted form", RunModList },
    { "decode-env", "FILE", "print a game client's environment file as JSON", RunDecodeEnv },
    { "decode-launch", "ARG", "print every field of a game client's launch argument as JSON", RunDecodeLaunch },
};

QString Usage()
{
    QString text = QStringLiteral("Usage: zelto-pack COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const TCommand &command : kCommands)
        text += QStringLiteral("  %1 %2\n      %3\n").arg(QLatin1String(command.name), QLatin1String(command.synopsis),
                                                      QLatin1String(command.summary));
    text += QStringLiteral("\n'zelto-pack COMMAND --help' shows a command's options.\n"
                           "Exit status: 0 success, 1 the output could not be written, 2 bad arguments or input.\n");
    return text;
}

const TCommand *FindCommand(const QString &name)
{
    for (const TCommand &command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty()) {
        std::fputs(Usage().toUtf8().constData(), stderr);
        return kExitBadInput;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        if (const TCommand *command = name == QLatin1String("help") && !arguments.isEmpty() ? FindCommand(arguments.first()) : nullptr)
            return command->run({ QStringLiteral("--help") });
        PrintOut(Usage());
        return kExitSuccess;
    }
    const TCommand *command = FindCommand(name);
    if (!command) {
        std::fprintf(stderr, "zelto-pack: unknown command '%s' (see zelto-pack --help)\n", name.toUtf8().constData());
        return kExitBadInput;
    }
    try {
        return command->run(arguments);
    } catch (const TToolError &error) {
        std::fprintf(stderr, "zelto-pack: %s\n", error.message.toUtf8().constData());
        return error.status;
    }
}
