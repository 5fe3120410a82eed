// zelto-pack pack: builds a launcher for one title by appending the skin, the configuration
// block, the first-aid packages and the trailer to the launcher's program file.
#include "Command.h"
#include "CommandLine.h"
#include "ConfigJson.h"
#include "SkinFiles.h"

#include "app/AppendedData.h"
#include "app/AppendedDataWriter.h"
#include "app/ConfigurationReader.h"
#include "ui/SkinStream.h"

#include <QBuffer>

#include <cstdio>

namespace zelto::pack {
namespace {

constexpr char kDescription[] =
    "Writes OUT = IN + skin stream + configuration block + 32-bit package + 64-bit package +\n"
    "trailer. CONFIG.json is one object keyed by the configuration's field names (sTitle,\n"
    "ServerListURL, ..., nGMNum, nGMChannel); missing fields are empty or 0; nSkinOffset and\n"
    "nSkinSize are set by the tool. SKIN is a text skin or a compiled component stream.\n"
    "An IN that already carries packed data has that data replaced.";

// The program image of a launcher file: the file itself, or the part before the data an
// earlier packing appended.
QByteArray ProgramImage(const QByteArray &launcher, const QString &path)
{
    QByteArray copy = launcher;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    if (SearchTrailerSkip(buffer) > 0)
        throw TToolError { QStringLiteral("%1: a signed launcher cannot be packed again; pack the unsigned launcher").arg(path) };
    if (launcher.size() < kConfigurationTrailerSize)
        return launcher;
    const TConfigurationTrailer trailer = TConfigurationTrailer::FromBytes(QByteArrayView(launcher).last(kConfigurationTrailerSize));
    if (trailer.Flag != kConfigurationTrailerFlag)
        return launcher;
    if (trailer.FileSize <= 0 || trailer.FileSize > launcher.size() - kConfigurationTrailerSize)
        throw TToolError { QStringLiteral("%1: carries a trailer whose FileSize %2 does not fit the file").arg(path).arg(trailer.FileSize) };
    std::fprintf(stderr, "zelto-pack: %s already carries packed data; it is replaced\n", path.toUtf8().constData());
    return launcher.left(trailer.FileSize);
}

QByteArray OptionalPackage(const TCommandLine &line, const QString &option, const QString &role)
{
    return line.IsSet(option) ? ReadInputFile(line.Value(option), role) : QByteArray();
}

} // namespace

int RunPack(const QStringList &arguments)
{
    TCommandLine line(QStringLiteral("pack"),
                      QStringLiteral("--launcher IN --config CONFIG.json --skin SKIN [--aid32 FILE] [--aid64 FILE] --output OUT"),
                      QLatin1String(kDescription));
    line.AddOption(QStringLiteral("launcher"), QStringLiteral("The launcher program file."), QStringLiteral("IN"));
    line.AddOption(QStringLiteral("config"), QStringLiteral("The configuration, JSON."), QStringLiteral("CONFIG.json"));
    line.AddOption(QStringLiteral("skin"), QStringLiteral("The window skin."), QStringLiteral("SKIN"));
    line.AddOption(QStringLiteral("aid32"), QStringLiteral("The 32-bit first-aid package (zip)."), QStringLiteral("FILE"));
    line.AddOption(QStringLiteral("aid64"), QStringLiteral("The 64-bit first-aid package (zip)."), QStringLiteral("FILE"));
    line.AddOption(QStringLiteral("o,output"), QStringLiteral("The packed launcher to write."), QStringLiteral("OUT"));
    if (!line.Parse(arguments))
        return kExitSuccess;
    line.Positionals(0);
    const QString launcherPath = line.Required(QStringLiteral("launcher"));
    const QString configPath = line.Required(QStringLiteral("config"));
    const QString skinPath = line.Required(QStringLiteral("skin"));
    const QString output = line.Required(QStringLiteral("output"));

    const QByteArray image = ProgramImage(ReadInputFile(launcherPath, QStringLiteral("launcher")), launcherPath);
    TAppendedContent content;
    content.record = ConfigurationFromJson(ReadInputFile(configPath, QStringLiteral("configuration")), configPath);
    content.skinStream = PackSkinStream(ComponentStreamOfSkinFile(skinPath));
    content.package32 = OptionalPackage(line, QStringLiteral("aid32"), QStringLiteral("32-bit first-aid package"));
    content.package64 = OptionalPackage(line, QStringLiteral("aid64"), QStringLiteral("64-bit first-aid package"));

    const std::optional<QByteArray> appended = BuildAppendedData(image.size(), content);
    if (!appended)
        throw TToolError { QStringLiteral("pack: launcher, skin and packages together pass 2 GiB, more than the trailer's 32-bit fields hold") };
    WriteOutputFile(output, image + *appended, true);
    PrintOut(QStringLiteral("pack: wrote %1 (%2 bytes: image %3, skin %4, configuration %5, packages %6 + %7, trailer %8)\n")
                 .arg(output).arg(image.size() + appended->size()).arg(image.size()).arg(content.skinStream.size())
                 .arg(kConfigurationBlockSize).arg(content.package32.size()).arg(content.package64.size())
                 .arg(kConfigurationTrailerSize));
    return kExitSuccess;
}

} // namespace zelto::pack
