// zelto-pack decode-env | decode-launch: what a launcher handed to its game client, read
// back with the readers the stand-in client zelto-probe uses.
#include "Command.h"
#include "CommandLine.h"

#include "launch/LaunchInspection.h"

#include <QJsonDocument>

#include <cstdio>

namespace zelto::pack {
namespace {

constexpr char kEnvDescription[] =
    "Deciphers a game client's environment file (env.json: the marker \"Hq5tZw2k\" followed by\n"
    "the XXTEA cipher text under the environment key) and prints the document as JSON.\n"
    "Exit status 2 when the file is not an environment file of this launcher.";

constexpr char kLaunchDescription[] =
    "Deciphers the launch argument a launcher passes to its game client (the last word of the\n"
    "client's command line) and prints every field of the 764-byte launch record as JSON.\n"
    "Exit status 2 when the argument is not a launch argument of this deployment (what could\n"
    "be read is still printed).";

QString Json(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace

int RunDecodeEnv(const QStringList &arguments)
{
    TCommandLine line(QStringLiteral("decode-env"), QStringLiteral("FILE"), QLatin1String(kEnvDescription));
    line.AddPositional(QStringLiteral("FILE"), QStringLiteral("the environment file"));
    if (!line.Parse(arguments))
        return kExitSuccess;
    const QString path = line.Positionals(1).first();
    const TEnvironmentRead read = ReadEnvironmentFile(path);
    if (!read.Ok())
        throw TToolError { QStringLiteral("'%1' %2").arg(path, read.error) };
    PrintOut(Json(read.document));
    return kExitSuccess;
}

int RunDecodeLaunch(const QStringList &arguments)
{
    TCommandLine line(QStringLiteral("decode-launch"), QStringLiteral("ARG"), QLatin1String(kLaunchDescription));
    line.AddPositional(QStringLiteral("ARG"), QStringLiteral("the enciphered launch record (Base64 text)"));
    if (!line.Parse(arguments))
        return kExitSuccess;
    const TLaunchArgumentRead read = DecodeLaunchArgument(line.Positionals(1).first());
    if (!read.record)
        throw TToolError { QStringLiteral("the launch argument %1").arg(read.error) };
    PrintOut(Json(LaunchRecordToJson(*read.record)));
    if (read.Ok())
        return kExitSuccess;
    std::fprintf(stderr, "zelto-pack: the launch argument %s\n", read.error.toUtf8().constData());
    return kExitBadInput;
}

} // namespace zelto::pack
