#include "PlatformCall.h"

#include "platform/PlatformRequest.h"

#include <QJsonDocument>

namespace zelto::opsim {
namespace {

const QStringList kDeviceBlock{"sdk_app_id", "sdk_app_key", "sdk_channel", "width", "height", "os", "device_id",
    "model", "sdk_ver", "app_ver", "domain", "alliance", "promotion_id", "promotion_type"};

QString Decoded(QByteArray text)
{
    text.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text));
}

} // namespace

QList<QPair<QString, QString>> TPlatformCall::FormFields(const QByteArray &body)
{
    QList<QPair<QString, QString>> fields;
    if (body.isEmpty())
        return fields;
    for (const QByteArray &pair : body.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        fields.append(equals < 0 ? qMakePair(Decoded(pair), QString())
                                 : qMakePair(Decoded(pair.left(equals)), Decoded(pair.mid(equals + 1))));
    }
    return fields;
}

std::optional<TPlatformCall> TPlatformCall::Read(const QByteArray &body, const QString &secret,
    const QStringList &mainNeeds, const QStringList &extNeeds, QString &msg, QString &note)
{
    msg = QStringLiteral("签名错误");
    QString &refusal = note;
    TPlatformCall call;
    call.FFields = FormFields(body);
    if (call.FFields.isEmpty() || call.FFields.last().first != QLatin1String("sign")) {
        refusal = QStringLiteral("the last field must be \"sign\"");
        return std::nullopt;
    }
    QStringList lines;
    for (qsizetype i = 0; i + 1 < call.FFields.size(); ++i)
        lines << call.FFields[i].first + u'=' + call.FFields[i].second;
    SortParamLines(lines);
    const QString expected = PlatformSignature(lines, secret);
    if (call.FFields.last().second != expected) {
        refusal = QStringLiteral("sign mismatch: expected %1").arg(expected);
        return std::nullopt;
    }
    msg = QStringLiteral("参数错误");
    for (const QString &name : mainNeeds + QStringList{"ext"}) {
        if (std::none_of(call.FFields.begin(), call.FFields.end(), [&](const auto &field) { return field.first == name; })) {
            refusal = QStringLiteral("\"%1\" is missing").arg(name);
            return std::nullopt;
        }
    }
    const auto decoded = QByteArray::fromBase64Encoding(call.Main(QStringLiteral("ext")).toLatin1(),
        QByteArray::AbortOnBase64DecodingErrors);
    const QJsonDocument ext = QJsonDocument::fromJson(*decoded);
    if (!decoded || !ext.isObject()) {
        refusal = QStringLiteral("\"ext\" is not the Base64 of a JSON object");
        return std::nullopt;
    }
    call.FExt = ext.object();
    for (const QString &name : extNeeds + kDeviceBlock) {
        if (!call.FExt.contains(name)) {
            refusal = QStringLiteral("ext \"%1\" is missing").arg(name);
            return std::nullopt;
        }
    }
    return call;
}

QString TPlatformCall::Main(const QString &name) const
{
    for (const auto &[key, value] : FFields)
        if (key == name)
            return value;
    return QString();
}

QString TPlatformCall::Ext(const QString &name) const { return FExt.value(name).toString(); }

std::optional<QString> TPlatformCall::Value(const QString &name) const
{
    for (const auto &[key, value] : FFields)
        if (key == name)
            return value;
    if (FExt.contains(name))
        return Ext(name);
    return std::nullopt;
}

} // namespace zelto::opsim
