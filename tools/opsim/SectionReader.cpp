#include "SectionReader.h"

#include <QJsonDocument>

namespace zelto::opsim {

void TSectionReader::AllowOnly(const QStringList &keys) const
{
    for (const QString &key : FObject.keys())
        if (!keys.contains(key))
            Fail(QStringLiteral("unknown member \"%1\" (known: %2)").arg(key, keys.join(QStringLiteral(", "))));
}

QString TSectionReader::Text(const QString &key, const QString &fallback) const
{
    const QJsonValue value = FObject.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isString())
        Fail(QStringLiteral("\"%1\" must be a string").arg(key));
    return value.toString();
}

QString TSectionReader::Path() const
{
    const QString path = Text(QStringLiteral("path"), QString());
    if (!path.startsWith(u'/'))
        Fail(QStringLiteral("\"path\" must be given and start with \"/\""));
    return path;
}

bool TSectionReader::Flag(const QString &key, bool fallback) const
{
    const QJsonValue value = FObject.value(key);
    if (!value.isUndefined() && !value.isBool())
        Fail(QStringLiteral("\"%1\" must be true or false").arg(key));
    return value.toBool(fallback);
}

int TSectionReader::Integer(const QString &key, int fallback, int least) const
{
    const QJsonValue value = FObject.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble() || value.toDouble() != double(value.toInt()) || value.toInt() < least)
        Fail(QStringLiteral("\"%1\" must be a whole number of at least %2").arg(key).arg(least));
    return value.toInt();
}

QJsonArray TSectionReader::Array(const QString &key) const
{
    const QJsonValue value = FObject.value(key);
    if (!value.isUndefined() && !value.isArray())
        Fail(QStringLiteral("\"%1\" must be an array").arg(key));
    return value.toArray();
}

QJsonObject TSectionReader::Object(const QString &key) const
{
    const QJsonValue value = FObject.value(key);
    if (!value.isUndefined() && !value.isObject())
        Fail(QStringLiteral("\"%1\" must be an object").arg(key));
    return value.toObject();
}

TFault TSectionReader::Fault() const
{
    const QJsonValue value = FObject.value(QStringLiteral("fault"));
    return value.isUndefined() ? TFault{} : TFault::FromJson(value, FWhere + QStringLiteral(".fault"));
}

QString TSectionReader::DocumentText() const
{
    const bool hasDocument = FObject.contains(QStringLiteral("document"));
    if (hasDocument == FObject.contains(QStringLiteral("text")))
        Fail(QStringLiteral("give either \"document\" or \"text\""));
    if (!hasDocument)
        return Text(QStringLiteral("text"), QString());
    const QJsonValue document = FObject.value(QStringLiteral("document"));
    if (document.isObject())
        return QString::fromUtf8(QJsonDocument(document.toObject()).toJson(QJsonDocument::Compact));
    if (document.isArray())
        return QString::fromUtf8(QJsonDocument(document.toArray()).toJson(QJsonDocument::Compact));
    Fail(QStringLiteral("\"document\" must be an object or an array; use \"text\" for anything else"));
}

void TSectionReader::Fail(const QString &what) const
{
    throw TScenarioError((FWhere + QStringLiteral(": ") + what).toStdString());
}

} // namespace zelto::opsim
