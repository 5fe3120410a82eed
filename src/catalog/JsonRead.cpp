#include "catalog/JsonRead.h"

#include "app/TextRules.h"

#include <QJsonDocument>

#include <cmath>
#include <limits>

namespace zelto {

std::optional<QJsonObject> ParseLenientJson(const QString &text)
{
    QStringView body(text);
    if (body.startsWith(QChar(0xFEFF)))
        body = body.mid(1);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.trimmed().toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

qint32 ReadInteger(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Double: {
        const double rounded = std::nearbyint(value.toDouble());
        if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint32>::min()
            || rounded > std::numeric_limits<qint32>::max())
            return 0;
        return qint32(rounded);
    }
    case QJsonValue::Bool:
        return value.toBool() ? 1 : 0;
    case QJsonValue::String:
        return ParseDecimalInt32(value.toString()).value_or(0);
    default:
        return 0;
    }
}

qint32 ReadInteger(const QJsonObject &object, const QString &key)
{
    return ReadInteger(object.value(key));
}

QString ReadText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double: {
        const double number = value.toDouble();
        if (number == std::trunc(number) && std::fabs(number) < 9007199254740992.0)
            return QString::number(qint64(number));
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return QString();
    }
}

QString ReadText(const QJsonObject &object, const QString &key)
{
    return ReadText(object.value(key));
}

std::optional<QJsonObject> ReadObject(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    return value.toObject();
}

std::optional<QJsonArray> ReadArray(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (!value.isArray())
        return std::nullopt;
    return value.toArray();
}

} // namespace zelto
