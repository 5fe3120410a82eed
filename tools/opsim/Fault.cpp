#include "Fault.h"


#include <array>
#include <utility>

namespace zelto::opsim {
namespace {

constexpr std::array<std::pair<TFaultKind, const char *>, 9> kKindNames{{
    {TFaultKind::None, "none"},
    {TFaultKind::Down, "down"},
    {TFaultKind::Status, "status"},
    {TFaultKind::Garbage, "garbage"},
    {TFaultKind::EmptyData, "emptyData"},
    {TFaultKind::MissingData, "missingData"},
    {TFaultKind::Redirect, "redirect"},
    {TFaultKind::EmptyBody, "emptyBody"},
    {TFaultKind::Message, "message"},
}};

QString KnownKinds()
{
    QStringList names;
    for (const auto &[kind, name] : kKindNames)
        names << QLatin1String(name);
    return names.join(QStringLiteral(", "));
}

int IntegerMember(const QJsonObject &object, const QString &key, int fallback, int least, const QString &where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble() || value.toDouble() != double(value.toInt()) || value.toInt() < least)
        throw TScenarioError(QStringLiteral("%1: \"%2\" must be a whole number of at least %3")
                                 .arg(where, key).arg(least).toStdString());
    return value.toInt();
}

} // namespace

TFault TFault::FromJson(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        throw TScenarioError(QStringLiteral("%1: a fault is an object such as {\"kind\": \"down\"}").arg(where).toStdString());
    const QJsonObject object = value.toObject();
    for (const QString &key : object.keys()) {
        if (!QStringList{"kind", "status", "location", "msg", "delayMs", "count"}.contains(key))
            throw TScenarioError(QStringLiteral("%1: unknown fault member \"%2\"").arg(where, key).toStdString());
    }
    TFault fault;
    const QString kind = object.value(QStringLiteral("kind")).toString(QStringLiteral("none"));
    bool known = false;
    for (const auto &[candidate, name] : kKindNames) {
        if (kind == QLatin1String(name)) {
            fault.Kind = candidate;
            known = true;
        }
    }
    if (!known)
        throw TScenarioError(QStringLiteral("%1: unknown fault kind \"%2\" (known: %3)").arg(where, kind, KnownKinds()).toStdString());
    fault.Status = IntegerMember(object, QStringLiteral("status"), fault.Status, 100, where);
    fault.DelayMs = IntegerMember(object, QStringLiteral("delayMs"), 0, 0, where);
    fault.Count = IntegerMember(object, QStringLiteral("count"), -1, -1, where);
    fault.Location = object.value(QStringLiteral("location")).toString();
    fault.Message = object.value(QStringLiteral("msg")).toString();
    if (fault.Kind == TFaultKind::Redirect && fault.Location.isEmpty())
        throw TScenarioError(QStringLiteral("%1: a redirect needs a \"location\"").arg(where).toStdString());
    return fault;
}

QJsonObject TFault::ToJson() const
{
    QJsonObject object;
    for (const auto &[candidate, name] : kKindNames)
        if (candidate == Kind)
            object.insert(QStringLiteral("kind"), QLatin1String(name));
    if (Kind == TFaultKind::Status)
        object.insert(QStringLiteral("status"), Status);
    if (Kind == TFaultKind::Redirect)
        object.insert(QStringLiteral("location"), Location);
    if (Kind == TFaultKind::Message)
        object.insert(QStringLiteral("msg"), Message);
    if (DelayMs > 0)
        object.insert(QStringLiteral("delayMs"), DelayMs);
    if (Count >= 0)
        object.insert(QStringLiteral("count"), Count);
    return object;
}

} // namespace zelto::opsim
