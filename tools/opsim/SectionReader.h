#pragma once

#include "Fault.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace zelto::opsim {

// Reads one object of a scenario, and says where and what is wrong when it cannot: every
// mistake is a TScenarioError naming the member.
class TSectionReader {
public:
    TSectionReader(const QJsonObject &object, QString where) : FObject(object), FWhere(std::move(where)) {}

    void AllowOnly(const QStringList &keys) const;
    bool Has(const QString &key) const { return FObject.contains(key); }
    const QJsonObject &Json() const { return FObject; }
    QString Text(const QString &key, const QString &fallback) const;
    QString Path() const; // "path", given and starting with "/"
    bool Flag(const QString &key, bool fallback = false) const;
    int Integer(const QString &key, int fallback, int least) const; // a whole number of at least `least`
    QJsonArray Array(const QString &key) const;
    QJsonObject Object(const QString &key) const;
    TFault Fault() const; // "fault"; none when absent
    // "document": any JSON value, published compact; or "text": published as it stands.
    QString DocumentText() const;

    [[noreturn]] void Fail(const QString &what) const;
    const QString &Where() const { return FWhere; }

private:
    QJsonObject FObject;
    QString FWhere;
};

} // namespace zelto::opsim
