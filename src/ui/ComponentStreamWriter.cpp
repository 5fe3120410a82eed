#include "ui/ComponentStream.h"

#include "os/AnsiCodePage.h"

#include <QtEndian>

#include <bit>
#include <cmath>
#include <limits>

namespace zelto {
namespace {

constexpr int kShortStringMax = 255;
constexpr quint8 kFirstFlagsByte = 0xF0;

struct TWriteError {
    QString message;
};

class TComponentWriter {
public:
    QByteArray Write(const TComponentNode &root)
    {
        m_out.append(kComponentStreamSignature, 4);
        WriteComponent(root, true);
        return m_out;
    }

private:
    void WriteComponent(const TComponentNode &node, bool isRoot)
    {
        m_where = QStringLiteral("component '%1' (%2)").arg(node.name, node.className);
        const QByteArray className = node.className.toUtf8();
        if (node.flags) {
            if (*node.flags < kFirstFlagsByte)
                Fail(QStringLiteral("flags byte %1 is not in F0..FF").arg(*node.flags, 2, 16, QLatin1Char('0')));
            if (bool(*node.flags & 0x02) != node.childPosition.has_value())
                Fail(QStringLiteral("a child position needs flag bit 1, and flag bit 1 a child position"));
            Byte(*node.flags);
            if (node.childPosition)
                WriteChildPosition(*node.childPosition);
        } else {
            if (node.childPosition)
                Fail(QStringLiteral("a child position needs the flags prefix"));
            if (className.size() >= kFirstFlagsByte)
                Fail(QStringLiteral("a class name of %1 bytes would read as a flags byte").arg(className.size()));
        }
        if (!isRoot && className.isEmpty())
            Fail(QStringLiteral("a child needs a class name"));
        ShortString(className, QStringLiteral("class name"));
        ShortString(node.name.toUtf8(), QStringLiteral("name"));
        const QString where = m_where;
        WriteProperties(node.properties);
        Byte(0);
        for (const TComponentNode &child : node.children)
            WriteComponent(child, false);
        m_where = where;
        Byte(0);
    }

    void WriteProperties(const QList<TComponentProperty> &properties)
    {
        const QString where = m_where;
        for (const TComponentProperty &property : properties) {
            m_where = QStringLiteral("%1, property '%2'").arg(where, property.name);
            if (property.name.isEmpty())
                Fail(QStringLiteral("a property needs a name"));
            ShortString(property.name.toUtf8(), QStringLiteral("property name"));
            WriteValue(property.value);
        }
        m_where = where;
    }

    void WriteValue(const TComponentValue &value)
    {
        Byte(quint8(value.kind));
        switch (value.kind) {
        case TValueKind::List:
            for (const TComponentValue &element : value.list)
                WriteValue(element);
            Byte(0);
            break;
        case TValueKind::Int8: Integer<qint8>(value.integer); break;
        case TValueKind::Int16: Integer<qint16>(value.integer); break;
        case TValueKind::Int32: Integer<qint32>(value.integer); break;
        case TValueKind::Int64:
        case TValueKind::Currency: Integer<qint64>(value.integer); break;
        case TValueKind::Extended: m_out += Extended(value); break;
        case TValueKind::Single: Integer<quint32>(std::bit_cast<quint32>(float(value.real))); break;
        case TValueKind::Date:
        case TValueKind::Double: Integer<quint64>(std::bit_cast<quint64>(value.real)); break;
        case TValueKind::String: ShortString(Ansi(value.text), QStringLiteral("short text")); break;
        case TValueKind::LString: LongBytes(Ansi(value.text)); break;
        case TValueKind::Ident: ShortString(value.text.toUtf8(), QStringLiteral("identifier")); break;
        case TValueKind::Utf8String: LongBytes(value.text.toUtf8()); break;
        case TValueKind::WString: {
            Length(value.text.size());
            QByteArray units(value.text.size() * 2, '\0');
            qToLittleEndian<char16_t>(value.text.constData(), value.text.size(), units.data());
            m_out += units;
            break;
        }
        case TValueKind::Binary: LongBytes(value.bytes); break;
        case TValueKind::Set:
            for (const QString &identifier : value.identifiers) {
                if (identifier.isEmpty())
                    Fail(QStringLiteral("an empty identifier would end the set"));
                ShortString(identifier.toUtf8(), QStringLiteral("set identifier"));
            }
            Byte(0);
            break;
        case TValueKind::Collection:
            for (const TCollectionItem &item : value.items)
                WriteCollectionItem(item);
            Byte(0);
            break;
        case TValueKind::False:
        case TValueKind::True:
        case TValueKind::Nil:
            break;
        default:
            Fail(QStringLiteral("value kind %1 does not exist").arg(int(value.kind)));
        }
    }

    void WriteCollectionItem(const TCollectionItem &item)
    {
        if (item.order) {
            const TValueKind kind = item.order->kind;
            if (kind != TValueKind::Int8 && kind != TValueKind::Int16 && kind != TValueKind::Int32)
                Fail(QStringLiteral("a collection item's order must be an 8-, 16- or 32-bit integer"));
            WriteValue(*item.order);
        }
        Byte(quint8(TValueKind::List));
        WriteProperties(item.properties);
        Byte(0);
    }

    void WriteChildPosition(qint64 position)
    {
        const TComponentValue value = IntegerValue(position);
        if (value.kind == TValueKind::Int64)
            Fail(QStringLiteral("child position %1 does not fit 32 bits").arg(position));
        WriteValue(value);
    }

    // The kept 10 bytes when they still hold the value, so a stream read and written again
    // is the same to the bit.
    static QByteArray Extended(const TComponentValue &value)
    {
        if (value.extendedRaw.size() == 10) {
            const double kept = DoubleFromExtended(value.extendedRaw);
            if (kept == value.real || (std::isnan(kept) && std::isnan(value.real)))
                return value.extendedRaw;
        }
        return ExtendedFromDouble(value.real);
    }

    template <typename T>
    void Integer(qint64 value)
    {
        if constexpr (std::is_signed_v<T>) {
            if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
                Fail(QStringLiteral("%1 does not fit a %2-bit integer").arg(value).arg(sizeof(T) * 8));
        }
        char bytes[sizeof(T)];
        qToLittleEndian<T>(T(value), bytes);
        m_out.append(bytes, sizeof(T));
    }

    QByteArray Ansi(const QString &text)
    {
        const QByteArray bytes = os::ToAnsi(text);
        if (os::FromAnsi(bytes) != text)
            Fail(QStringLiteral("the text holds characters code page 936 cannot represent"));
        return bytes;
    }

    void ShortString(const QByteArray &bytes, const QString &what)
    {
        if (bytes.size() > kShortStringMax)
            Fail(QStringLiteral("the %1 is %2 bytes long; at most %3 fit").arg(what).arg(bytes.size()).arg(kShortStringMax));
        Byte(quint8(bytes.size()));
        m_out += bytes;
    }

    void Length(qsizetype count)
    {
        if (count > std::numeric_limits<qint32>::max())
            Fail(QStringLiteral("a value of %1 units is too long").arg(count));
        Integer<qint32>(count);
    }

    void LongBytes(const QByteArray &bytes)
    {
        Length(bytes.size());
        m_out += bytes;
    }

    void Byte(quint8 byte) { m_out.append(char(byte)); }

    [[noreturn]] void Fail(const QString &message) { throw TWriteError { m_where + QStringLiteral(": ") + message }; }

    QByteArray m_out;
    QString m_where;
};

} // namespace

TComponentValue IntegerValue(qint64 integer)
{
    TComponentValue value;
    value.integer = integer;
    if (integer >= std::numeric_limits<qint8>::min() && integer <= std::numeric_limits<qint8>::max())
        value.kind = TValueKind::Int8;
    else if (integer >= std::numeric_limits<qint16>::min() && integer <= std::numeric_limits<qint16>::max())
        value.kind = TValueKind::Int16;
    else if (integer >= std::numeric_limits<qint32>::min() && integer <= std::numeric_limits<qint32>::max())
        value.kind = TValueKind::Int32;
    else
        value.kind = TValueKind::Int64;
    return value;
}

TComponentStreamWrite WriteComponentStream(const TComponentNode &root)
{
    TComponentStreamWrite write;
    try {
        write.bytes = TComponentWriter().Write(root);
    } catch (const TWriteError &error) {
        write.error = error.message;
    }
    return write;
}

} // namespace zelto
