// zelto-pack inspect: reads a packed launcher with the launcher's own readers and shows
// its trailer, its configuration and its skin.
#include "Command.h"
#include "CommandLine.h"
#include "ConfigJson.h"
#include "SkinSummary.h"

#include "app/ConfigurationReader.h"
#include "ui/SkinStream.h"

#include <QFile>
#include <QJsonDocument>

#include <cstdio>

namespace zelto::pack {
namespace {

constexpr char kDescription[] =
    "Shows what a packed launcher carries: the trailer (with the bytes a signature added after\n"
    "it), every configuration field and the skin tree. --json prints one object with the keys\n"
    "trailer, config and skin. Exit status 2 when the file carries no readable configuration\n"
    "or a damaged skin (what could be read is still shown).";

struct TInspection {
    TConfigurationRead configuration;
    TComponentStreamRead skin;
    QString skinProblem; // empty when the skin was read whole
};

TInspection Inspect(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TToolError { QStringLiteral("cannot read launcher '%1': %2").arg(path, file.errorString()) };
    TInspection inspection;
    inspection.configuration = ReadConfigurationFrom(file, ComputeTrailerSkip(file));
    const TConfigurationRead &read = inspection.configuration;
    if (read.fault == TConfigurationFault::ShorterThanTrailer || read.fault == TConfigurationFault::Unreadable)
        throw TToolError { QStringLiteral("%1: %2").arg(path, read.Describe()) };
    if (read.location.trailer.Flag != kConfigurationTrailerFlag)
        throw TToolError { QStringLiteral("%1: no configuration trailer: field 'Flag' is %2, not %3 (not a packed launcher?)")
                               .arg(path).arg(read.location.trailer.Flag).arg(kConfigurationTrailerFlag) };
    if (!read.Ok())
        throw TToolError { QStringLiteral("%1: %2").arg(path, read.Describe()) };

    const QByteArray stored = ReadSkinStreamFrom(file, read.record);
    if (stored.isEmpty() && read.record.nSkinSize != 0) {
        inspection.skinProblem = QStringLiteral("fields 'nSkinOffset' %1 and 'nSkinSize' %2 lie outside the file")
                                     .arg(qint32(read.record.nSkinOffset)).arg(qint32(read.record.nSkinSize));
        return inspection;
    }
    inspection.skin = DecodeSkinStream(stored);
    if (!inspection.skin.Complete())
        inspection.skinProblem = QStringLiteral("damaged at offset %1 of its component stream: %2")
                                     .arg(inspection.skin.errorOffset).arg(inspection.skin.error);
    return inspection;
}

QJsonObject TrailerToJson(const TAppendedDataLocation &location)
{
    return { { QStringLiteral("FileSize"), location.trailer.FileSize },
             { QStringLiteral("Length32"), location.trailer.Length32 },
             { QStringLiteral("Length64"), location.trailer.Length64 },
             { QStringLiteral("Flag"), location.trailer.Flag },
             { QStringLiteral("skip"), location.skip } };
}

QString Quoted(QString text)
{
    return QLatin1Char('"') + text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""))
        + QLatin1Char('"');
}

QString TextReport(const QString &path, const TInspection &inspection)
{
    const TConfigurationRead &read = inspection.configuration;
    const TConfigurationTrailer &trailer = read.location.trailer;
    QString text = QStringLiteral("%1\ntrailer: FileSize %2, Length32 %3, Length64 %4, Flag %5, skip %6\nconfig:\n")
                       .arg(path).arg(trailer.FileSize).arg(trailer.Length32).arg(trailer.Length64).arg(trailer.Flag)
                       .arg(read.location.skip);
    for (const TConfigurationField &field : LauncherConfigurationFields()) {
        const QString value = field.kind == TConfigurationFieldKind::Text ? Quoted(FieldText(read.record, field))
                                                                          : QString::number(FieldInteger(read.record, field));
        text += QStringLiteral("  %1 %2\n").arg(QString::fromLatin1(field.name).leftJustified(15), value);
    }
    text += QStringLiteral("skin: %1 components\n").arg(CountComponents(inspection.skin.root));
    return text + SkinOutline(inspection.skin.root);
}

QString JsonReport(const TInspection &inspection)
{
    QJsonObject skin = SkinTreeToJson(inspection.skin.root);
    if (!inspection.skinProblem.isEmpty())
        skin.insert(QStringLiteral("error"), inspection.skinProblem);
    const QJsonObject report { { QStringLiteral("trailer"), TrailerToJson(inspection.configuration.location) },
                               { QStringLiteral("config"), ConfigurationToJson(inspection.configuration.record) },
                               { QStringLiteral("skin"), skin } };
    return QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented));
}

} // namespace

int RunInspect(const QStringList &arguments)
{
    TCommandLine line(QStringLiteral("inspect"), QStringLiteral("FILE [--json]"), QLatin1String(kDescription));
    line.AddPositional(QStringLiteral("FILE"), QStringLiteral("the packed launcher"));
    line.AddOption(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    if (!line.Parse(arguments))
        return kExitSuccess;
    const QString path = line.Positionals(1).first();
    const TInspection inspection = Inspect(path);
    PrintOut(line.IsSet(QStringLiteral("json")) ? JsonReport(inspection) : TextReport(path, inspection));
    if (inspection.skinProblem.isEmpty())
        return kExitSuccess;
    std::fprintf(stderr, "zelto-pack: %s: skin %s\n", path.toUtf8().constData(), inspection.skinProblem.toUtf8().constData());
    return kExitBadInput;
}

} // namespace zelto::pack
