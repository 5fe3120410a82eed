#include "launch/LaunchInspection.h"

#include "app/PasswordCodec.h"
#include "launch/Xxtea.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace zelto {
namespace {

constexpr qsizetype kMarkerSize = sizeof kEnvelopeMarker - 1;

TEnvironmentRead EnvironmentError(const QString &error)
{
    TEnvironmentRead read;
    read.error = error;
    return read;
}

// Offsets of the bytes that must be zero, as [first, end) ranges.
constexpr std::pair<int, int> kZeroRanges[] = {
    { 163, 196 }, { 198, 297 }, { 365, 372 }, { 373, 374 }, { 376, 632 }, { 633, 634 }, { 634, 764 },
};

QJsonArray NonZeroReservedOffsets(const QByteArray &bytes)
{
    QJsonArray offsets;
    for (const auto &[first, end] : kZeroRanges) {
        for (int offset = first; offset < end; ++offset) {
            if (bytes[offset] != 0)
                offsets.append(offset);
        }
    }
    return offsets;
}

} // namespace

TEnvironmentRead DecodeEnvironmentFile(const QByteArray &bytes)
{
    if (!bytes.startsWith(QByteArrayView(kEnvelopeMarker, kMarkerSize)))
        return EnvironmentError(QStringLiteral("does not start with the marker \"%1\"").arg(QLatin1String(kEnvelopeMarker)));
    const qsizetype cipherSize = bytes.size() - kMarkerSize;
    if (cipherSize < 8 || cipherSize % 4 != 0)
        return EnvironmentError(QStringLiteral("holds %1 bytes of cipher text after the marker; the environment format "
                                               "has a multiple of 4, at least 8")
                                    .arg(cipherSize));
    QByteArray plain;
    OpenEnvelope(bytes, &plain);
    if (plain.isEmpty())
        return EnvironmentError(QStringLiteral("does not decipher under the environment key \"%1\" (damaged, or written "
                                               "with another key)")
                                    .arg(QLatin1String(kEnvironmentKey)));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(plain, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return EnvironmentError(QStringLiteral("deciphers to text that is not JSON (%1 at offset %2)")
                                    .arg(parseError.errorString())
                                    .arg(parseError.offset));
    if (!document.isObject())
        return EnvironmentError(QStringLiteral("deciphers to JSON that is not an object"));
    TEnvironmentRead read;
    read.document = document.object();
    return read;
}

TEnvironmentRead ReadEnvironmentFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return EnvironmentError(QStringLiteral("cannot be read: %1").arg(file.errorString()));
    if (file.size() > kMaxEnvironmentFileSize)
        return EnvironmentError(QStringLiteral("is %1 bytes long, too long for an environment file").arg(file.size()));
    return DecodeEnvironmentFile(file.read(kMaxEnvironmentFileSize));
}

TLaunchArgumentRead DecodeLaunchArgument(const QString &argument)
{
    TLaunchArgumentRead read;
    const auto base64 = QByteArray::fromBase64Encoding(argument.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!base64 || argument.isEmpty()) {
        read.error = QStringLiteral("is not Base64 text");
        return read;
    }
    const QByteArray bytes = DecryptLaunchArgument(argument);
    read.record = TLaunchRecord::FromBytes(bytes);
    if (!read.record) {
        read.error = QStringLiteral("deciphers to %1 bytes, not the %2 of a launch record").arg(bytes.size()).arg(TLaunchRecord::kSize);
        return read;
    }
    if (read.record->Constant196 != kLaunchRecordConstant196 || read.record->Constant375 != kLaunchRecordConstant375)
        read.error = QStringLiteral("deciphers to a record whose constants are 0x%1 at 196 and %2 at 375, not 0x4201 "
                                    "and 9 (another password, or not a launch argument)")
                         .arg(quint16(read.record->Constant196), 4, 16, QLatin1Char('0'))
                         .arg(read.record->Constant375);
    return read;
}

QJsonObject LaunchRecordToJson(const TLaunchRecord &record)
{
    return {
        { QLatin1String("serverName"), record.ServerName.Text() },
        { QLatin1String("serverAddr"), record.ServerAddr.Text() },
        { QLatin1String("serverKey"), record.ServerKey.Text() },
        { QLatin1String("resFolder"), record.ResFolder.Text() },
        { QLatin1String("port"), qint32(record.Port) },
        { QLatin1String("fullScreen"), record.FullScreen },
        { QLatin1String("waitVBlank"), record.WaitVBlank },
        { QLatin1String("do3D"), record.Do3D },
        { QLatin1String("enabledMini"), record.EnabledMini },
        { QLatin1String("width"), qint32(record.ScreenWidth) },
        { QLatin1String("height"), qint32(record.ScreenHeight) },
        { QLatin1String("newInterface"), record.NewInterface },
        { QLatin1String("clientType"), record.ClientType },
        { QLatin1String("autoClientType"), record.AutoClientType },
        { QLatin1String("assistantKind"), record.AssistantKind },
        { QLatin1String("constant196"), quint16(record.Constant196) },
        { QLatin1String("constant375"), record.Constant375 },
        { QLatin1String("nonZeroReserved"), NonZeroReservedOffsets(record.ToBytes()) },
    };
}

} // namespace zelto
