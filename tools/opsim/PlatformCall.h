#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// One signed form request to the simulated account platform, as the platform reads it: the
// form fields in order, the signature recomputed over them and the "ext" object decoded.
namespace zelto::opsim {

class TPlatformCall {
public:
    // Decodes an application/x-www-form-urlencoded body ("+" and percent escapes, UTF-8).
    static QList<QPair<QString, QString>> FormFields(const QByteArray &body);

    // None when the request cannot be served (wrong signature, "ext" missing or not the
    // Base64 of a JSON object, a needed field absent), with the platform's answer text in
    // `msg` and the reason for the request log in `note`. Every ext needs the device block.
    static std::optional<TPlatformCall> Read(const QByteArray &body, const QString &secret,
        const QStringList &mainNeeds, const QStringList &extNeeds, QString &msg, QString &note);

    QString Main(const QString &name) const; // empty when absent
    QString Ext(const QString &name) const;  // a string member of "ext"; empty when absent
    // The main field, else the ext member; none when the request has neither.
    std::optional<QString> Value(const QString &name) const;
    const QJsonObject &ExtObject() const { return FExt; }

private:
    QList<QPair<QString, QString>> FFields;
    QJsonObject FExt;
};

} // namespace zelto::opsim
