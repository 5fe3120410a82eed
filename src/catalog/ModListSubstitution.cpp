#include "catalog/ModListSubstitution.h"

#include "catalog/JsonRead.h"
#include "deploy/Deployment.h"
#include "os/AnsiCodePage.h"

#include <QHash>

#include <stdexcept>

namespace zelto {
namespace {

const QHash<char16_t, char16_t> &PlainOfSubstitute()
{
    static const QHash<char16_t, char16_t> table = [] {
        QHash<char16_t, char16_t> plainOf;
        for (const deploy::SubstitutionRow &row : deploy::SubstitutionTable())
            for (char16_t substitute : row.Substitutes)
                plainOf.insert(substitute, row.Plain);
        return plainOf;
    }();
    return table;
}

const deploy::SubstitutionRow *RowOf(char16_t plain)
{
    for (const deploy::SubstitutionRow &row : deploy::SubstitutionTable())
        if (row.Plain == plain)
            return &row;
    return nullptr;
}

// Non-ASCII characters can only stand inside strings of a valid document, where an escape
// means the same.
QString EscapeNonAscii(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            escaped += c;
        else
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return escaped;
}

QString Substitute(const QString &text)
{
    QHash<char16_t, int> uses;
    QString substituted;
    substituted.reserve(text.size());
    for (QChar c : text) {
        const deploy::SubstitutionRow *row = RowOf(c.unicode());
        if (!row) {
            substituted += c;
            continue;
        }
        int &used = uses[row->Plain];
        substituted += QChar(row->Substitutes[std::size_t(used % 4)]);
        ++used;
    }
    return substituted;
}

} // namespace

QString UndoSubstitution(const QString &text)
{
    const QHash<char16_t, char16_t> &plainOf = PlainOfSubstitute();
    QString plain = text;
    for (QChar &c : plain) {
        const auto found = plainOf.constFind(c.unicode());
        if (found != plainOf.cend())
            c = QChar(*found);
    }
    return plain;
}

QString RecoverSubstitutedModList(const QString &received)
{
    return UndoSubstitution(QString::fromUtf8(os::ToAnsi(received)));
}

QByteArray PublishSubstitutedModList(const QString &plainDocument)
{
    QString plain = plainDocument;
    if (plain.startsWith(QChar(0xFEFF)))
        plain.remove(0, 1);
    const std::optional<QJsonObject> document = ParseLenientJson(plain);
    if (!document)
        throw std::runtime_error("the mod list is not a JSON object");
    const QByteArray substitutedUtf8 = Substitute(EscapeNonAscii(plain)).toUtf8();
    const QByteArray published = os::FromAnsi(substitutedUtf8).toUtf8();
    if (ParseLenientJson(RecoverSubstitutedModList(QString::fromUtf8(published))) != document)
        throw std::runtime_error("the substituted mod list does not read back to the same document");
    return published;
}

} // namespace zelto
