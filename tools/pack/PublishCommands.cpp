// zelto-pack serverlist seal | modlist substitute: the published forms of the catalogue
// documents, as the launcher reads them.
#include "Command.h"
#include "CommandLine.h"

#include "catalog/JsonRead.h"
#include "catalog/ModListSubstitution.h"
#include "catalog/ServerListEnvelope.h"

#include <QStringDecoder>

#include <stdexcept>

namespace zelto::pack {
namespace {

struct TPublishing {
    const char *family;
    const char *subcommand;
    const char *description;
    QByteArray (*publish)(const QString &document);
};

QByteArray Seal(const QString &document)
{
    return SealServerList(document).toLatin1();
}

QByteArray Substitute(const QString &document)
{
    return PublishSubstitutedModList(document);
}

const TPublishing kPublishings[] = {
    { "serverlist", "seal",
      "Enciphers a server list (a JSON document, UTF-8) for a mod list whose customData.isEncrypt\n"
      "is 1: Base64 of the envelope marker and the XXTEA cipher text of the document in code\n"
      "page 936, under the environment key.",
      Seal },
    { "modlist", "substitute",
      "Writes a mod list (a JSON document, UTF-8) in the substituted form: characters of the\n"
      "deployment's substitution table are replaced by their look-alikes, and the result is\n"
      "published as the launcher reads it back.",
      Substitute },
};

QString ReadDocument(const QString &path)
{
    const QByteArray bytes = ReadInputFile(path, QStringLiteral("document"));
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw TToolError { QStringLiteral("'%1' is not UTF-8 text").arg(path) };
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (!ParseLenientJson(text))
        throw TToolError { QStringLiteral("'%1' is not a JSON document (an object)").arg(path) };
    return text;
}

int RunPublishing(const char *family, const QStringList &arguments)
{
    const TPublishing *publishing = nullptr;
    for (const TPublishing &candidate : kPublishings) {
        if (QLatin1String(candidate.family) == QLatin1String(family) && arguments.value(0) == QLatin1String(candidate.subcommand))
            publishing = &candidate;
    }
    if (!publishing)
        throw TToolError { QStringLiteral("%1: unknown subcommand '%2' (see zelto-pack --help)").arg(QLatin1String(family), arguments.value(0)) };

    const QString command = QStringLiteral("%1 %2").arg(QLatin1String(family), QLatin1String(publishing->subcommand));
    TCommandLine line(command, QStringLiteral("IN OUT"), QLatin1String(publishing->description));
    line.AddPositional(QStringLiteral("IN"), QStringLiteral("the document to publish"));
    line.AddPositional(QStringLiteral("OUT"), QStringLiteral("the file to write"));
    if (!line.Parse(arguments.mid(1)))
        return kExitSuccess;
    const QStringList files = line.Positionals(2);
    QByteArray published;
    try {
        published = publishing->publish(ReadDocument(files[0]));
    } catch (const std::runtime_error &error) {
        throw TToolError { QStringLiteral("'%1': %2").arg(files[0], QString::fromUtf8(error.what())) };
    }
    WriteOutputFile(files[1], published);
    PrintOut(QStringLiteral("%1: wrote %2\n").arg(command, files[1]));
    return kExitSuccess;
}

} // namespace

int RunServerList(const QStringList &arguments)
{
    return RunPublishing("serverlist", arguments);
}

int RunModList(const QStringList &arguments)
{
    return RunPublishing("modlist", arguments);
}

} // namespace zelto::pack
