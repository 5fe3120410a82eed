#pragma once

#include "Fault.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

// Reads one object of a scenario, and says where and what is wrong when it cannot.
namespace zelto::opsim {

class TSectionReader {
public:
    TSectionReader(const QJsonObject &object, QString where) : FObject(object), FWhere(std::move(where)) {}

    void AllowOnly(const QStringList &keys) const
    {
        for (const QString &key : FObject.keys())
            if (!keys.contains(key))
                Fail(QStringLiteral("unknown member \"%1\" (known: %2)").arg(key, keys.join(QStringLiteral(", "))));
    }
    QString Text(const QString &key, const QString &fallback) const
    {
        const QJsonValue value = FObject.value(key);
        if (value.isUndefined())
            return fallback;
        if (!value.isString())
            Fail(QStringLiteral("\"%1\" must be a string").arg(key));
        return value.toString();
    }
    QString Path() const
    {
        const QString path = Text(QStringLiteral("path"), QString());
        if (!path.startsWith(u'/'))
            Fail(QStringLiteral("\"path\" must be given and start with \"/\""));
        return path;
    }
    bool Flag(const QString &key) const
    {
        const QJsonValue value = FObject.value(key);
        if (!value.isUndefined() && !value.isBool())
            Fail(QStringLiteral("\"%1\" must be true or false").arg(key));
        return value.toBool();
    }
    QJsonArray Array(const QString &key) const
    {
        const QJsonValue value = FObject.value(key);
        if (!value.isUndefined() && !value.isArray())
            Fail(QStringLiteral("\"%1\" must be an array").arg(key));
        return value.toArray();
    }
    TFault Fault() const
    {
        const QJsonValue value = FObject.value(QStringLiteral("fault"));
        return value.isUndefined() ? TFault{} : TFault::FromJson(value, FWhere + QStringLiteral(".fault"));
    }
    // "document": any JSON value, published compact; or "text": published as it stands.
    QString DocumentText() const
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
    // A whole number of at least `least`.
    int Integer(const QString &key, int fallback, int least) const
    {
        const QJsonValue value = FObject.value(key);
        if (value.isUndefined())
            return fallback;
        if (!value.isDouble() || value.toDouble() != double(value.toInt()) || value.toInt() < least)
            Fail(QStringLiteral("\"%1\" must be a whole number of at least %2").arg(key).arg(least));
        return value.toInt();
    }
    [[noreturn]] void Fail(const QString &what) const
    {
        throw TScenarioError((FWhere + QStringLiteral(": ") + what).toStdString());
    }
    const QString &Where() const { return FWhere; }

private:
    QJsonObject FObject;
    QString FWhere;
};

} // namespace zelto::opsim
