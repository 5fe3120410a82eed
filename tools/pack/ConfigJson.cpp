#include "ConfigJson.h"

#include "Command.h"

#include "os/AnsiCodePage.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <limits>

namespace zelto::pack {
namespace {

bool IsSetByTheTool(const TConfigurationField &field)
{
    return field.offset == offsetof(TLauncherConfiguration, nSkinOffset)
        || field.offset == offsetof(TLauncherConfiguration, nSkinSize);
}

QString TextProblem(const QString &text, const TConfigurationField &field)
{
    const QByteArray bytes = os::ToAnsi(text);
    if (os::FromAnsi(bytes) != text)
        return QStringLiteral("holds characters that code page 936 cannot represent");
    return QStringLiteral("is %1 bytes in code page 936; the field holds at most %2").arg(bytes.size()).arg(field.capacity);
}

} // namespace

TLauncherConfiguration ConfigurationFromJson(const QByteArray &json, const QString &fileName)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw TToolError { QStringLiteral("%1: not valid JSON at offset %2: %3")
                               .arg(fileName).arg(parseError.offset).arg(parseError.errorString()) };
    if (!document.isObject())
        throw TToolError { QStringLiteral("%1: must hold one JSON object").arg(fileName) };

    TLauncherConfiguration record;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const TConfigurationField *field = FindConfigurationField(it.key());
        const auto fail = [&](const QString &problem) {
            throw TToolError { QStringLiteral("%1: field '%2' %3").arg(fileName, it.key(), problem) };
        };
        if (!field)
            fail(QStringLiteral("is not a field of the launcher configuration"));
        if (field->kind == TConfigurationFieldKind::Text) {
            if (!it.value().isString())
                fail(QStringLiteral("must be a text"));
            if (!SetFieldText(record, *field, it.value().toString()))
                fail(TextProblem(it.value().toString(), *field));
        } else {
            const double number = it.value().toDouble(std::nan(""));
            if (!it.value().isDouble() || number != std::trunc(number)
                || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
                fail(QStringLiteral("must be an integer from -2147483648 to 2147483647"));
            if (!IsSetByTheTool(*field))
                SetFieldInteger(record, *field, qint32(number));
        }
    }
    return record;
}

QJsonObject ConfigurationToJson(const TLauncherConfiguration &record)
{
    QJsonObject object;
    for (const TConfigurationField &field : LauncherConfigurationFields()) {
        if (field.kind == TConfigurationFieldKind::Text)
            object.insert(QLatin1String(field.name), FieldText(record, field));
        else
            object.insert(QLatin1String(field.name), FieldInteger(record, field));
    }
    return object;
}

} // namespace zelto::pack
