#include "SkinText.h"

#include "Command.h"

#include <charconv>
#include <cmath>

namespace zelto::pack {
namespace {

constexpr int kTextPieceLength = 64;
constexpr int kHexLineBytes = 32;

bool IsIdentifier(const QString &text)
{
    if (text.isEmpty() || !(text[0].isLetter() || text[0] == QLatin1Char('_')))
        return false;
    for (QChar c : text) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.')))
            return false;
    }
    return true;
}

bool IsKeyword(const QString &text)
{
    for (const char *keyword : { "object", "inherited", "inline", "end" }) {
        if (text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

template <typename T>
QString ShortestText(T value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// A float literal that reads back as the same value and kind: always with a point or an
// exponent, so that it is not taken for an integer.
template <typename T>
QString FloatText(T value, const char *suffix)
{
    QString text;
    if (std::isnan(value))
        text = QStringLiteral("NAN");
    else if (std::isinf(value))
        text = value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    else {
        text = ShortestText(value);
        if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
            text += QStringLiteral(".0");
    }
    return text + QLatin1String(suffix);
}

QString CurrencyText(qint64 tenThousandths)
{
    const quint64 magnitude = tenThousandths < 0 ? 0 - quint64(tenThousandths) : quint64(tenThousandths);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 1 && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return QStringLiteral("%1%2.%3c").arg(tenThousandths < 0 ? "-" : "").arg(magnitude / 10000).arg(fraction);
}

// Printable characters inside quotes, everything else as #nnn, in pieces joined by '+'.
QString QuotedText(const QString &text, const QString &continuation)
{
    if (text.isEmpty())
        return QStringLiteral("''");
    QString result;
    qsizetype pieceStart = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i - pieceStart >= kTextPieceLength && !text[i].isLowSurrogate()) {
            if (quoted)
                result += QLatin1Char('\'');
            result += QStringLiteral(" +\n") + continuation;
            quoted = false;
            pieceStart = i;
        }
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const bool printable = QChar::isPrint(code) && !(QChar::isSurrogate(code) && !pair);
        if (printable) {
            if (!quoted)
                result += QLatin1Char('\'');
            quoted = true;
            result += code == U'\'' ? QStringLiteral("''") : text.mid(i, pair ? 2 : 1);
            i += pair ? 1 : 0;
        } else {
            if (quoted)
                result += QLatin1Char('\'');
            quoted = false;
            result += QStringLiteral("#%1").arg(text[i].unicode());
        }
    }
    if (quoted)
        result += QLatin1Char('\'');
    return result;
}

class TSkinFormatter {
public:
    QString Format(const TComponentNode &root)
    {
        Object(root, 0);
        return m_out;
    }

private:
    static QString Indent(int level) { return QString(level * 2, QLatin1Char(' ')); }

    void Object(const TComponentNode &node, int level)
    {
        m_where = QStringLiteral("object '%1' (%2)").arg(node.name, node.className);
        const quint8 flags = node.flags.value_or(0);
        const char *keyword = (flags & 0x04) ? "inline" : (flags & 0x01) ? "inherited" : "object";
        RequireIdentifier(node.className, QStringLiteral("class name"));
        m_out += Indent(level) + QLatin1String(keyword) + QLatin1Char(' ');
        if (!node.name.isEmpty()) {
            RequireIdentifier(node.name, QStringLiteral("name"));
            m_out += node.name + QStringLiteral(": ");
        }
        m_out += node.className;
        if (node.childPosition)
            m_out += QStringLiteral(" [%1]").arg(*node.childPosition);
        m_out += QLatin1Char('\n');
        Properties(node.properties, level + 1);
        for (const TComponentNode &child : node.children)
            Object(child, level + 1);
        m_out += Indent(level) + QStringLiteral("end\n");
    }

    void Properties(const QList<TComponentProperty> &properties, int level)
    {
        for (const TComponentProperty &property : properties) {
            RequireIdentifier(property.name, QStringLiteral("property name"));
            m_out += Indent(level) + property.name + QStringLiteral(" = ");
            Value(property.value, level);
            m_out += QLatin1Char('\n');
        }
    }

    void Value(const TComponentValue &value, int level)
    {
        switch (value.kind) {
        case TValueKind::Int8:
        case TValueKind::Int16:
        case TValueKind::Int32:
        case TValueKind::Int64: m_out += QString::number(value.integer); break;
        case TValueKind::Extended: m_out += FloatText(value.real, ""); break;
        case TValueKind::Single: m_out += FloatText(float(value.real), "s"); break;
        case TValueKind::Date: m_out += FloatText(value.real, "d"); break;
        case TValueKind::Double: m_out += FloatText(value.real, "r"); break;
        case TValueKind::Currency: m_out += CurrencyText(value.integer); break;
        case TValueKind::String:
        case TValueKind::LString:
        case TValueKind::WString:
        case TValueKind::Utf8String: m_out += QuotedText(value.text, Indent(level + 1)); break;
        case TValueKind::Ident:
            RequireIdentifier(value.text, QStringLiteral("identifier"));
            m_out += value.text;
            break;
        case TValueKind::False: m_out += QStringLiteral("False"); break;
        case TValueKind::True: m_out += QStringLiteral("True"); break;
        case TValueKind::Nil: m_out += QStringLiteral("nil"); break;
        case TValueKind::Binary: Binary(value.bytes, level); break;
        case TValueKind::Set:
            for (const QString &identifier : value.identifiers)
                RequireIdentifier(identifier, QStringLiteral("set element"));
            m_out += QLatin1Char('[') + value.identifiers.join(QStringLiteral(", ")) + QLatin1Char(']');
            break;
        case TValueKind::List:
            m_out += QLatin1Char('(');
            for (const TComponentValue &element : value.list) {
                m_out += QLatin1Char('\n') + Indent(level + 1);
                Value(element, level + 1);
            }
            m_out += QLatin1Char(')');
            break;
        case TValueKind::Collection:
            m_out += QLatin1Char('<');
            for (const TCollectionItem &item : value.items) {
                m_out += QLatin1Char('\n') + Indent(level + 1) + QStringLiteral("item");
                if (item.order)
                    m_out += QStringLiteral(" [%1]").arg(item.order->integer);
                m_out += QLatin1Char('\n');
                Properties(item.properties, level + 2);
                m_out += Indent(level + 1) + QStringLiteral("end");
            }
            m_out += QLatin1Char('>');
            break;
        }
    }

    void Binary(const QByteArray &bytes, int level)
    {
        m_out += QLatin1Char('{');
        for (qsizetype at = 0; at < bytes.size(); at += kHexLineBytes)
            m_out += QLatin1Char('\n') + Indent(level + 1) + QString::fromLatin1(bytes.mid(at, kHexLineBytes).toHex().toUpper());
        m_out += QLatin1Char('}');
    }

    void RequireIdentifier(const QString &text, const QString &what)
    {
        if (!IsIdentifier(text) || IsKeyword(text))
            throw TToolError { QStringLiteral("%1: the %2 '%3' cannot be written in the text form").arg(m_where, what, text) };
    }

    QString m_out;
    QString m_where;
};

} // namespace

QString FormatSkinText(const TComponentNode &root) { return TSkinFormatter().Format(root); }

} // namespace zelto::pack
