#include "platform/PlatformTrace.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace zelto {
namespace {

const QString kMask = QStringLiteral("***");
constexpr qsizetype kMaxTracedAnswer = 4000;

// Whether a parameter or answer member of this name holds a secret.
bool IsSecretName(const QString &name)
{
    static const QSet<QString> secrets{
        QStringLiteral("password"), QStringLiteral("repassword"), QStringLiteral("code"),
        QStringLiteral("token"), QStringLiteral("user_token"), QStringLiteral("ext_token"),
        QStringLiteral("game_token"), QStringLiteral("small_token"), QStringLiteral("phone_token"),
        QStringLiteral("login_credential"), QStringLiteral("sessionid"), QStringLiteral("query_key"),
        QStringLiteral("id_card"),
    };
    return secrets.contains(name.toLower());
}

QJsonValue Masked(const QJsonValue &value);

QJsonObject MaskedObject(QJsonObject object)
{
    for (auto member = object.begin(); member != object.end(); ++member) {
        // Numbers pass: the envelope's "code" is a status, not a phone code.
        if (IsSecretName(member.key()) && !member.value().toString().isEmpty())
            member.value() = kMask;
        else
            member.value() = Masked(member.value());
    }
    return object;
}

QJsonValue Masked(const QJsonValue &value)
{
    if (value.isObject())
        return MaskedObject(value.toObject());
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (auto element = array.begin(); element != array.end(); ++element)
            *element = Masked(*element);
        return array;
    }
    return value;
}

QString CompactJson(const QJsonDocument &document) { return QString::fromUtf8(document.toJson(QJsonDocument::Compact)); }

// The ext field decoded, with its secrets masked; a field that does not decode is left out.
QString MaskedExt(const QString &base64)
{
    const QJsonDocument ext = QJsonDocument::fromJson(QByteArray::fromBase64(base64.toLatin1()));
    return ext.isObject() ? CompactJson(QJsonDocument(MaskedObject(ext.object()))) : kMask;
}

QString MaskedLine(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return line;
    const QString name = line.left(equals);
    const QString value = line.mid(equals + 1);
    if (name == QLatin1String("ext"))
        return name + u'=' + MaskedExt(value);
    if (IsSecretName(name) && !value.isEmpty())
        return name + u'=' + kMask;
    return line;
}

// One item of a comma text: quoted when it holds a blank, a comma or a quote.
QString CommaItem(const QString &item)
{
    const bool plain = std::none_of(item.begin(), item.end(),
        [](QChar c) { return c.unicode() <= 32 || c == u',' || c == u'"'; });
    if (plain && !item.isEmpty())
        return item;
    return u'"' + QString(item).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString SentTraceLine(const QStringList &paramList)
{
    QStringList items;
    for (const QString &line : paramList)
        items << CommaItem(MaskedLine(line));
    return QStringLiteral("发送: ") + items.join(u',');
}

QString AnswerTraceLine(const QString &answer)
{
    const QJsonDocument document = QJsonDocument::fromJson(answer.toUtf8());
    if (document.isObject())
        return QStringLiteral("返回: ") + CompactJson(QJsonDocument(MaskedObject(document.object())));
    if (document.isArray())
        return QStringLiteral("返回: ") + CompactJson(QJsonDocument(Masked(document.array()).toArray()));
    return QStringLiteral("返回: ") + answer.left(kMaxTracedAnswer);
}

} // namespace zelto
