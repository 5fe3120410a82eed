// zelto-pack skin compile | decompile: between the text form of a skin and its component stream.
#include "Command.h"
#include "CommandLine.h"
#include "SkinFiles.h"
#include "SkinSummary.h"
#include "SkinText.h"

namespace zelto::pack {
namespace {

struct TSkinConversion {
    const char *name;
    const char *input;
    const char *output;
    const char *description;
    QByteArray (*convert)(const QString &input);
};

QByteArray Compile(const QString &input) { return CompileSkinTree(ReadSkinTextFile(input), input); }

QByteArray Decompile(const QString &input) { return FormatSkinText(ReadCompiledSkinFile(input)).toUtf8(); }

const TSkinConversion kConversions[] = {
    { "compile", "SKIN.txt", "SKIN.bin",
      "Compiles a text skin into a component stream (\"TPF0\"). Binary values may be read\n"
      "from files next to the skin: Picture.Data = file 'bg.png'.",
      Compile },
    { "decompile", "SKIN.bin", "SKIN.txt",
      "Writes the text form of a component stream, or of a stored skin as a launcher\n"
      "carries it (enciphered and compressed). Compiling the text gives the same tree.",
      Decompile },
};

QString FamilyHelp()
{
    QString help = QStringLiteral("Usage: zelto-pack skin SUBCOMMAND ...\n\nSubcommands:\n");
    for (const TSkinConversion &conversion : kConversions)
        help += QStringLiteral("  %1 %2 -o %3\n").arg(QLatin1String(conversion.name), QLatin1String(conversion.input),
                                                    QLatin1String(conversion.output));
    return help + QStringLiteral("\n'zelto-pack skin SUBCOMMAND --help' shows its options.\n");
}

int RunConversion(const TSkinConversion &conversion, const QStringList &arguments)
{
    const QString command = QStringLiteral("skin %1").arg(QLatin1String(conversion.name));
    TCommandLine line(command, QStringLiteral("%1 -o %2").arg(QLatin1String(conversion.input), QLatin1String(conversion.output)),
                      QLatin1String(conversion.description));
    line.AddPositional(QLatin1String(conversion.input), QStringLiteral("the skin to read"));
    line.AddOption(QStringLiteral("o,output"), QStringLiteral("The file to write."), QLatin1String(conversion.output));
    if (!line.Parse(arguments))
        return kExitSuccess;
    const QString input = line.Positionals(1).first();
    const QString output = line.Required(QStringLiteral("output"));
    WriteOutputFile(output, conversion.convert(input));
    PrintOut(QStringLiteral("%1: wrote %2\n").arg(command, output));
    return kExitSuccess;
}

} // namespace

int RunSkin(const QStringList &arguments)
{
    const QString subcommand = arguments.value(0);
    if (subcommand.isEmpty() || subcommand == QLatin1String("--help") || subcommand == QLatin1String("-h")) {
        PrintOut(FamilyHelp());
        return subcommand.isEmpty() ? kExitBadInput : kExitSuccess;
    }
    for (const TSkinConversion &conversion : kConversions) {
        if (subcommand == QLatin1String(conversion.name))
            return RunConversion(conversion, arguments.mid(1));
    }
    throw TToolError { QStringLiteral("skin: unknown subcommand '%1' (see zelto-pack skin --help)").arg(subcommand) };
}

} // namespace zelto::pack
