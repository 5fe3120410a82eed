#include "SkinText.h"

#include "Command.h"

#include "os/AnsiCodePage.h"
#include "ui/ComponentStream.h"
#include "ui/SkinStream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <limits>
#include <optional>
#include <string>

namespace zelto::pack {
namespace {

enum class TTokenKind { End, Identifier, Number, String, Symbol };

struct TToken {
    TTokenKind kind = TTokenKind::End;
    QString text;       // identifier, number literal without suffix, decoded text, symbol
    QChar suffix;       // number: s, c, d or r
    int line = 0;
    int column = 0;

    bool Is(QChar symbol) const { return kind == TTokenKind::Symbol && text == symbol; }
    bool IsKeyword(QLatin1String word) const
    {
        return kind == TTokenKind::Identifier && text.compare(word, Qt::CaseInsensitive) == 0;
    }
};

bool IsIdentifierStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsIdentifierPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.'); }
bool IsHexDigit(QChar c) { return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')); }

class TSkinLexer {
public:
    TSkinLexer(const QString &text, const QString &fileName) : m_text(text), m_fileName(fileName) {}

    const TToken &Peek()
    {
        if (!m_peeked)
            m_peeked = Lex();
        return *m_peeked;
    }

    TToken Next()
    {
        TToken token = Peek();
        m_peeked.reset();
        return token;
    }

    // The hexadecimal digits up to the closing brace, right after an opening one was taken.
    QByteArray ReadHexBlock()
    {
        Q_ASSERT(!m_peeked);
        QByteArray digits;
        for (;;) {
            if (m_position >= m_text.size())
                FailHere(QStringLiteral("binary value without its closing '}'"));
            const QChar c = m_text[m_position];
            if (c == QLatin1Char('}'))
                break;
            if (c == QLatin1Char('\n'))
                NewLine();
            else if (IsHexDigit(c))
                digits.append(char(c.unicode()));
            else if (!c.isSpace())
                FailHere(QStringLiteral("'%1' is not a hexadecimal digit").arg(c));
            ++m_position;
        }
        ++m_position;
        if (digits.size() % 2 != 0)
            FailHere(QStringLiteral("binary value with an odd number of hexadecimal digits"));
        return QByteArray::fromHex(digits);
    }

    [[noreturn]] void Fail(const TToken &at, const QString &problem) const { Fail(at.line, at.column, problem); }

private:
    [[noreturn]] void Fail(int line, int column, const QString &problem) const
    {
        throw TToolError { QStringLiteral("%1:%2:%3: %4").arg(m_fileName).arg(line).arg(column).arg(problem) };
    }
    [[noreturn]] void FailHere(const QString &problem) const { Fail(m_line, Column(), problem); }

    int Column() const { return int(m_position - m_lineStart) + 1; }
    QChar At(qsizetype offset = 0) const
    {
        return m_position + offset < m_text.size() ? m_text[m_position + offset] : QChar();
    }
    void NewLine()
    {
        ++m_line;
        m_lineStart = m_position + 1;
    }

    void SkipSpaceAndComments()
    {
        while (m_position < m_text.size()) {
            const QChar c = At();
            if (c == QLatin1Char('/') && At(1) == QLatin1Char('/')) {
                while (m_position < m_text.size() && At() != QLatin1Char('\n'))
                    ++m_position;
            } else if (c.isSpace()) {
                if (c == QLatin1Char('\n'))
                    NewLine();
                ++m_position;
            } else {
                break;
            }
        }
    }

    TToken Lex()
    {
        SkipSpaceAndComments();
        TToken token;
        token.line = m_line;
        token.column = Column();
        if (m_position >= m_text.size())
            return token;
        const QChar c = At();
        if (IsIdentifierStart(c)) {
            token.kind = TTokenKind::Identifier;
            const qsizetype start = m_position;
            while (m_position < m_text.size() && IsIdentifierPart(At()))
                ++m_position;
            token.text = m_text.mid(start, m_position - start);
        } else if (c.isDigit() || c == QLatin1Char('$') || (c == QLatin1Char('-') && (At(1).isDigit() || At(1) == QLatin1Char('$')))) {
            LexNumber(token);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('#')) {
            LexText(token);
        } else if (QStringLiteral("=:[](){}<>,+-").contains(c)) {
            token.kind = TTokenKind::Symbol;
            token.text = c;
            ++m_position;
        } else {
            FailHere(QStringLiteral("unexpected character '%1'").arg(c));
        }
        return token;
    }

    void LexNumber(TToken &token)
    {
        token.kind = TTokenKind::Number;
        const qsizetype start = m_position;
        if (At() == QLatin1Char('-'))
            ++m_position;
        if (At() == QLatin1Char('$')) {
            ++m_position;
            while (IsHexDigit(At()))
                ++m_position;
        } else {
            SkipDigits();
            if (At() == QLatin1Char('.') && At(1).isDigit()) {
                ++m_position;
                SkipDigits();
            }
            const bool signedExponent = (At(1) == QLatin1Char('+') || At(1) == QLatin1Char('-')) && At(2).isDigit();
            if (At().toLower() == QLatin1Char('e') && (At(1).isDigit() || signedExponent)) {
                m_position += signedExponent ? 2 : 1;
                SkipDigits();
            }
            if (QStringLiteral("scdr").contains(At()) && !IsIdentifierPart(At(1))) {
                token.suffix = At();
                token.text = m_text.mid(start, m_position - start);
                ++m_position;
                return;
            }
        }
        token.text = m_text.mid(start, m_position - start);
        if (IsIdentifierPart(At()))
            FailHere(QStringLiteral("malformed number"));
    }

    void SkipDigits()
    {
        while (At().isDigit())
            ++m_position;
    }

    // Quoted pieces and #nnn character codes written next to each other form one text.
    void LexText(TToken &token)
    {
        token.kind = TTokenKind::String;
        while (At() == QLatin1Char('\'') || At() == QLatin1Char('#')) {
            if (At() == QLatin1Char('\'')) {
                ++m_position;
                for (;;) {
                    if (m_position >= m_text.size() || At() == QLatin1Char('\n'))
                        FailHere(QStringLiteral("text without its closing quote"));
                    if (At() == QLatin1Char('\'')) {
                        if (At(1) != QLatin1Char('\''))
                            break;
                        ++m_position;
                    }
                    token.text += At();
                    ++m_position;
                }
                ++m_position;
            } else {
                ++m_position;
                const bool hex = At() == QLatin1Char('$');
                if (hex)
                    ++m_position;
                const qsizetype start = m_position;
                while (hex ? IsHexDigit(At()) : At().isDigit())
                    ++m_position;
                bool ok = false;
                const uint code = m_text.mid(start, m_position - start).toUInt(&ok, hex ? 16 : 10);
                if (!ok || code > 0x10FFFF)
                    FailHere(QStringLiteral("character code is not a number up to 1114111"));
                if (code <= 0xFFFF)
                    token.text += QChar(char16_t(code));
                else
                    token.text += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
            }
        }
    }

    QString m_text;
    QString m_fileName;
    qsizetype m_position = 0;
    qsizetype m_lineStart = 0;
    int m_line = 1;
    std::optional<TToken> m_peeked;
};

TComponentValue TextValue(const QString &text)
{
    TComponentValue value;
    value.text = text;
    const QByteArray ansi = os::ToAnsi(text);
    if (os::FromAnsi(ansi) != text)
        value.kind = TValueKind::WString;
    else
        value.kind = ansi.size() <= 255 ? TValueKind::String : TValueKind::LString;
    return value;
}

TComponentValue RealValue(TValueKind kind, double real)
{
    TComponentValue value;
    value.kind = kind;
    value.real = real;
    if (kind == TValueKind::Extended)
        value.extendedRaw = ExtendedFromDouble(real);
    return value;
}

std::optional<TValueKind> FloatKindOfSuffix(QChar suffix)
{
    switch (suffix.unicode()) {
    case 0: return TValueKind::Extended;
    case 's': return TValueKind::Single;
    case 'd': return TValueKind::Date;
    case 'r': return TValueKind::Double;
    default: return std::nullopt;
    }
}

class TSkinParser {
public:
    TSkinParser(const QString &text, const QString &fileName, const QString &baseFolder)
        : m_lexer(text, fileName)
        , m_baseFolder(baseFolder)
    {
    }

    TComponentNode ParseRoot()
    {
        TComponentNode root = ParseObject(0);
        if (m_lexer.Peek().kind != TTokenKind::End)
            m_lexer.Fail(m_lexer.Peek(), QStringLiteral("text after the root object's 'end'"));
        return root;
    }

private:
    static bool IsObjectKeyword(const TToken &token)
    {
        return token.IsKeyword(QLatin1String("object")) || token.IsKeyword(QLatin1String("inherited"))
            || token.IsKeyword(QLatin1String("inline"));
    }

    void Enter(const TToken &at, int depth)
    {
        if (depth > kMaxComponentNesting)
            m_lexer.Fail(at, QStringLiteral("nested deeper than %1 levels").arg(kMaxComponentNesting));
    }

    TToken Expect(QChar symbol)
    {
        const TToken token = m_lexer.Next();
        if (!token.Is(symbol))
            m_lexer.Fail(token, QStringLiteral("expected '%1'").arg(symbol));
        return token;
    }

    QString ExpectIdentifier(const QString &what)
    {
        const TToken token = m_lexer.Next();
        if (token.kind != TTokenKind::Identifier)
            m_lexer.Fail(token, QStringLiteral("expected %1").arg(what));
        return token.text;
    }

    TComponentNode ParseObject(int depth)
    {
        const TToken keyword = m_lexer.Next();
        if (!IsObjectKeyword(keyword))
            m_lexer.Fail(keyword, QStringLiteral("expected 'object'"));
        Enter(keyword, depth);
        quint8 flagBits = keyword.IsKeyword(QLatin1String("inherited")) ? 0x01
            : keyword.IsKeyword(QLatin1String("inline"))                 ? 0x04
                                                                         : 0x00;
        TComponentNode node;
        node.className = ExpectIdentifier(QStringLiteral("a component name or class"));
        if (m_lexer.Peek().Is(QLatin1Char(':'))) {
            m_lexer.Next();
            node.name = node.className;
            node.className = ExpectIdentifier(QStringLiteral("a class name"));
        }
        if (m_lexer.Peek().Is(QLatin1Char('['))) {
            m_lexer.Next();
            node.childPosition = ParseInteger(QStringLiteral("child position"));
            Expect(QLatin1Char(']'));
            flagBits |= 0x02;
        }
        if (flagBits)
            node.flags = quint8(0xF0 | flagBits);

        for (;;) {
            const TToken &next = m_lexer.Peek();
            if (next.kind == TTokenKind::End)
                m_lexer.Fail(next, QStringLiteral("object '%1' has no 'end'").arg(node.name));
            if (next.IsKeyword(QLatin1String("end"))) {
                m_lexer.Next();
                return node;
            }
            if (IsObjectKeyword(next)) {
                node.children.append(ParseObject(depth + 1));
            } else {
                if (!node.children.isEmpty())
                    m_lexer.Fail(next, QStringLiteral("properties must come before the child objects"));
                node.properties.append(ParseProperty(depth));
            }
        }
    }

    TComponentProperty ParseProperty(int depth)
    {
        TComponentProperty property;
        property.name = ExpectIdentifier(QStringLiteral("a property name, 'object' or 'end'"));
        Expect(QLatin1Char('='));
        property.value = ParseValue(depth + 1);
        return property;
    }

    qint32 ParseInteger(const QString &what)
    {
        const TToken token = m_lexer.Next();
        const TComponentValue value = token.kind == TTokenKind::Number ? NumberValue(token) : TComponentValue();
        if (value.kind != TValueKind::Int8 && value.kind != TValueKind::Int16 && value.kind != TValueKind::Int32)
            m_lexer.Fail(token, QStringLiteral("the %1 must be a 32-bit integer").arg(what));
        return qint32(value.integer);
    }

    TComponentValue ParseValue(int depth)
    {
        const TToken token = m_lexer.Next();
        Enter(token, depth);
        switch (token.kind) {
        case TTokenKind::Number:
            return NumberValue(token);
        case TTokenKind::String:
            return TextValue(ParseJoinedText(token.text));
        case TTokenKind::Identifier:
            return IdentifierValue(token, false);
        case TTokenKind::Symbol:
            if (token.Is(QLatin1Char('-')) && m_lexer.Peek().kind == TTokenKind::Identifier)
                return IdentifierValue(m_lexer.Next(), true);
            if (token.Is(QLatin1Char('[')))
                return ParseSet();
            if (token.Is(QLatin1Char('(')))
                return ParseList(depth);
            if (token.Is(QLatin1Char('{'))) {
                TComponentValue value;
                value.kind = TValueKind::Binary;
                value.bytes = m_lexer.ReadHexBlock();
                return value;
            }
            if (token.Is(QLatin1Char('<')))
                return ParseCollection(depth);
            break;
        case TTokenKind::End:
            break;
        }
        m_lexer.Fail(token, QStringLiteral("expected a value"));
    }

    QString ParseJoinedText(QString text)
    {
        while (m_lexer.Peek().Is(QLatin1Char('+'))) {
            m_lexer.Next();
            const TToken piece = m_lexer.Next();
            if (piece.kind != TTokenKind::String)
                m_lexer.Fail(piece, QStringLiteral("expected a quoted text after '+'"));
            text += piece.text;
        }
        return text;
    }

    TComponentValue NumberValue(const TToken &token)
    {
        if (token.suffix == QLatin1Char('c'))
            return CurrencyValue(token);
        const bool isFloat = !token.suffix.isNull() || token.text.contains(QLatin1Char('.'))
            || token.text.contains(QLatin1Char('e'), Qt::CaseInsensitive);
        if (!isFloat) {
            const bool hex = token.text.contains(QLatin1Char('$'));
            QString digits = token.text;
            digits.remove(QLatin1Char('$'));
            bool ok = false;
            const qint64 integer = digits.toLongLong(&ok, hex ? 16 : 10);
            if (!ok)
                m_lexer.Fail(token, QStringLiteral("integer '%1' does not fit 64 bits").arg(token.text));
            return IntegerValue(integer);
        }
        const std::string literal = token.text.toStdString();
        const TValueKind kind = *FloatKindOfSuffix(token.suffix);
        double real = 0;
        std::from_chars_result parsed;
        if (kind == TValueKind::Single) {
            float single = 0;
            parsed = std::from_chars(literal.data(), literal.data() + literal.size(), single);
            real = single;
        } else {
            parsed = std::from_chars(literal.data(), literal.data() + literal.size(), real);
        }
        if (parsed.ec != std::errc() || parsed.ptr != literal.data() + literal.size())
            m_lexer.Fail(token, QStringLiteral("number '%1' is out of range").arg(token.text));
        return RealValue(kind, real);
    }

    // Currency is a 64-bit count of ten-thousandths, taken exactly from the decimal text.
    TComponentValue CurrencyValue(const TToken &token)
    {
        const QString text = token.text;
        const bool negative = text.startsWith(QLatin1Char('-'));
        const QStringList parts = text.mid(negative ? 1 : 0).split(QLatin1Char('.'));
        const QString fraction = parts.size() > 1 ? parts[1] : QString();
        bool wholeOk = false;
        const qint64 whole = parts[0].toLongLong(&wholeOk);
        constexpr qint64 kScale = 10000;
        const bool ok = wholeOk && parts.size() <= 2 && fraction.size() <= 4
            && !text.contains(QLatin1Char('e'), Qt::CaseInsensitive) && !text.contains(QLatin1Char('$'));
        if (!ok || whole > (std::numeric_limits<qint64>::max() - kScale) / kScale)
            m_lexer.Fail(token, QStringLiteral("currency '%1c' needs at most 4 decimals and 64 bits").arg(text));
        const qint64 tenThousandths = whole * kScale + fraction.leftJustified(4, QLatin1Char('0')).toLongLong();
        TComponentValue value;
        value.kind = TValueKind::Currency;
        value.integer = negative ? -tenThousandths : tenThousandths;
        return value;
    }

    TComponentValue IdentifierValue(const TToken &token, bool negative)
    {
        TComponentValue value;
        const QString word = token.text;
        const QString stem = word.left(3).toUpper();
        const QChar suffix = word.size() == 4 ? word[3] : QChar();
        if ((stem == QLatin1String("INF") || (stem == QLatin1String("NAN") && !negative))
            && word.size() <= 4 && FloatKindOfSuffix(suffix)) {
            const double special = stem == QLatin1String("INF") ? std::numeric_limits<double>::infinity()
                                                                : std::numeric_limits<double>::quiet_NaN();
            return RealValue(*FloatKindOfSuffix(suffix), negative ? -special : special);
        }
        if (negative)
            m_lexer.Fail(token, QStringLiteral("expected a number after '-'"));
        if (token.IsKeyword(QLatin1String("file")) && m_lexer.Peek().kind == TTokenKind::String)
            return FileValue(m_lexer.Next());
        if (token.IsKeyword(QLatin1String("True")))
            value.kind = TValueKind::True;
        else if (token.IsKeyword(QLatin1String("False")))
            value.kind = TValueKind::False;
        else if (token.IsKeyword(QLatin1String("nil")))
            value.kind = TValueKind::Nil;
        else {
            value.kind = TValueKind::Ident;
            value.text = word;
        }
        return value;
    }

    TComponentValue FileValue(const TToken &nameToken)
    {
        const QString path = QDir(m_baseFolder).filePath(nameToken.text);
        if (QFileInfo(path).size() > kMaxSkinComponentStreamSize)
            m_lexer.Fail(nameToken, QStringLiteral("'%1' is larger than a skin may be").arg(nameToken.text));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            m_lexer.Fail(nameToken, QStringLiteral("cannot read '%1': %2").arg(nameToken.text, file.errorString()));
        TComponentValue value;
        value.kind = TValueKind::Binary;
        value.bytes = file.readAll();
        return value;
    }

    TComponentValue ParseSet()
    {
        TComponentValue value;
        value.kind = TValueKind::Set;
        if (m_lexer.Peek().Is(QLatin1Char(']'))) {
            m_lexer.Next();
            return value;
        }
        for (;;) {
            value.identifiers.append(ExpectIdentifier(QStringLiteral("a set element")));
            const TToken separator = m_lexer.Next();
            if (separator.Is(QLatin1Char(']')))
                return value;
            if (!separator.Is(QLatin1Char(',')))
                m_lexer.Fail(separator, QStringLiteral("expected ',' or ']'"));
        }
    }

    TComponentValue ParseList(int depth)
    {
        TComponentValue value;
        value.kind = TValueKind::List;
        while (!m_lexer.Peek().Is(QLatin1Char(')')))
            value.list.append(ParseValue(depth + 1));
        m_lexer.Next();
        return value;
    }

    TComponentValue ParseCollection(int depth)
    {
        TComponentValue value;
        value.kind = TValueKind::Collection;
        while (!m_lexer.Peek().Is(QLatin1Char('>'))) {
            const TToken item = m_lexer.Next();
            if (!item.IsKeyword(QLatin1String("item")))
                m_lexer.Fail(item, QStringLiteral("expected 'item' or '>'"));
            TCollectionItem collectionItem;
            if (m_lexer.Peek().Is(QLatin1Char('['))) {
                m_lexer.Next();
                collectionItem.order = IntegerValue(ParseInteger(QStringLiteral("item order")));
                Expect(QLatin1Char(']'));
            }
            while (!m_lexer.Peek().IsKeyword(QLatin1String("end"))) {
                if (m_lexer.Peek().kind == TTokenKind::End)
                    m_lexer.Fail(m_lexer.Peek(), QStringLiteral("collection item has no 'end'"));
                collectionItem.properties.append(ParseProperty(depth + 1));
            }
            m_lexer.Next();
            value.items.append(collectionItem);
        }
        m_lexer.Next();
        return value;
    }

    TSkinLexer m_lexer;
    QString m_baseFolder;
};

} // namespace

TComponentNode ParseSkinText(const QString &text, const QString &fileName, const QString &baseFolder)
{
    return TSkinParser(text, fileName, baseFolder).ParseRoot();
}

} // namespace zelto::pack
