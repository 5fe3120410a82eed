#include "ui/ComponentStream.h"

#include "os/AnsiCodePage.h"

#include <QtEndian>

#include <bit>
#include <cmath>
#include <limits>

namespace zelto {
namespace {

struct TStreamError {
    QString message;
};

class TComponentReader {
public:
    explicit TComponentReader(QByteArrayView data) : m_data(data) {}

    qsizetype Position() const { return m_position; }

    void ReadRoot(TComponentNode &root)
    {
        if (Take(4) != QByteArrayView(kComponentStreamSignature))
            throw TStreamError { QStringLiteral("the stream does not begin with \"TPF0\"") };
        ReadComponent(root, 0);
    }

private:
    void ReadComponent(TComponentNode &node, int depth)
    {
        Enter(depth);
        if ((Peek() & 0xF0) == 0xF0) {
            node.flags = Byte();
            if (*node.flags & 0x02)
                node.childPosition = ReadInteger(QStringLiteral("child position"));
        }
        node.className = ShortUtf8();
        node.name = ShortUtf8();
        ReadProperties(node.properties, depth);
        while (Peek() != 0) {
            node.children.append(TComponentNode());
            ReadComponent(node.children.last(), depth + 1);
        }
        Byte();
    }

    void ReadProperties(QList<TComponentProperty> &properties, int depth)
    {
        for (QString name = ShortUtf8(); !name.isEmpty(); name = ShortUtf8()) {
            Count();
            TComponentValue value = ReadValue(depth);
            properties.append({ name, std::move(value) });
        }
    }

    TComponentValue ReadValue(int depth)
    {
        const quint8 tag = Byte();
        if (tag == 0 || tag > quint8(TValueKind::Double))
            throw TStreamError { QStringLiteral("value tag %1 is not a value kind").arg(tag) };
        Count();
        TComponentValue value;
        value.kind = TValueKind(tag);
        switch (value.kind) {
        case TValueKind::List:
            Enter(depth + 1);
            while (Peek() != 0)
                value.list.append(ReadValue(depth + 1));
            Byte();
            break;
        case TValueKind::Int8: value.integer = qint8(Byte()); break;
        case TValueKind::Int16: value.integer = qFromLittleEndian<qint16>(Take(2).data()); break;
        case TValueKind::Int32: value.integer = Int32(); break;
        case TValueKind::Int64:
        case TValueKind::Currency: value.integer = qFromLittleEndian<qint64>(Take(8).data()); break;
        case TValueKind::Extended:
            value.extendedRaw = Take(10).toByteArray();
            value.real = DoubleFromExtended(value.extendedRaw);
            break;
        case TValueKind::Single:
            value.real = std::bit_cast<float>(qFromLittleEndian<quint32>(Take(4).data()));
            break;
        case TValueKind::Date:
        case TValueKind::Double:
            value.real = std::bit_cast<double>(qFromLittleEndian<quint64>(Take(8).data()));
            break;
        case TValueKind::String: value.text = os::FromAnsi(Take(Byte()).toByteArray()); break;
        case TValueKind::LString: value.text = os::FromAnsi(Take(Length()).toByteArray()); break;
        case TValueKind::Ident: value.text = ShortUtf8(); break;
        case TValueKind::Utf8String: value.text = QString::fromUtf8(Take(Length())); break;
        case TValueKind::WString: {
            const qint64 units = Length(2);
            const QByteArrayView bytes = Take(units * 2);
            value.text.resize(units);
            qFromLittleEndian<char16_t>(bytes.data(), units, value.text.data());
            break;
        }
        case TValueKind::Binary: value.bytes = Take(Length()).toByteArray(); break;
        case TValueKind::Set:
            for (QString identifier = ShortUtf8(); !identifier.isEmpty(); identifier = ShortUtf8())
                value.identifiers.append(identifier);
            break;
        case TValueKind::Collection:
            Enter(depth + 1);
            while (Peek() != 0)
                value.items.append(ReadCollectionItem(depth + 1));
            Byte();
            break;
        case TValueKind::False:
        case TValueKind::True:
        case TValueKind::Nil:
            break;
        }
        return value;
    }

    TCollectionItem ReadCollectionItem(int depth)
    {
        TCollectionItem item;
        if (IsIntegerTag(Peek()))
            item.order = ReadValue(depth);
        if (Byte() != quint8(TValueKind::List))
            throw TStreamError { QStringLiteral("a collection item does not begin with a list tag") };
        ReadProperties(item.properties, depth);
        return item;
    }

    static bool IsIntegerTag(quint8 tag)
    {
        return tag == quint8(TValueKind::Int8) || tag == quint8(TValueKind::Int16)
            || tag == quint8(TValueKind::Int32);
    }

    qint64 ReadInteger(const QString &what)
    {
        if (!IsIntegerTag(Peek()))
            throw TStreamError { QStringLiteral("the %1 is not an integer").arg(what) };
        return ReadValue(0).integer;
    }

    void Enter(int depth) const
    {
        if (depth > kMaxComponentNesting)
            throw TStreamError { QStringLiteral("nested deeper than %1 levels").arg(kMaxComponentNesting) };
    }

    void Count()
    {
        if (++m_elements > kMaxComponentElements)
            throw TStreamError { QStringLiteral("more than %1 properties and values").arg(kMaxComponentElements) };
    }

    quint8 Peek() const
    {
        if (m_position >= m_data.size())
            throw TStreamError { QStringLiteral("the stream ends early") };
        return quint8(m_data[m_position]);
    }

    quint8 Byte()
    {
        const quint8 byte = Peek();
        ++m_position;
        return byte;
    }

    QByteArrayView Take(qint64 count)
    {
        if (count > m_data.size() - m_position)
            throw TStreamError { QStringLiteral("a value of %1 bytes runs past the end of the stream").arg(count) };
        const QByteArrayView bytes = m_data.sliced(m_position, count);
        m_position += count;
        return bytes;
    }

    qint32 Int32() { return qFromLittleEndian<qint32>(Take(4).data()); }

    // A 32-bit count of units of unitSize bytes; never more than the rest of the stream.
    qint64 Length(int unitSize = 1)
    {
        const qint64 count = Int32();
        if (count < 0 || count > (m_data.size() - m_position) / unitSize)
            throw TStreamError { QStringLiteral("length %1 does not fit the rest of the stream").arg(count) };
        return count;
    }

    QString ShortUtf8() { return QString::fromUtf8(Take(Byte())); }

    QByteArrayView m_data;
    qsizetype m_position = 0;
    int m_elements = 0;
};

} // namespace

TComponentStreamRead ReadComponentStream(QByteArrayView stream)
{
    TComponentStreamRead read;
    TComponentReader reader(stream);
    try {
        reader.ReadRoot(read.root);
    } catch (const TStreamError &error) {
        read.error = error.message;
        read.errorOffset = reader.Position();
    }
    return read;
}

double DoubleFromExtended(QByteArrayView tenBytes)
{
    Q_ASSERT(tenBytes.size() >= 10);
    const quint64 mantissa = qFromLittleEndian<quint64>(tenBytes.data());
    const quint16 signAndExponent = qFromLittleEndian<quint16>(tenBytes.data() + 8);
    const int exponent = signAndExponent & 0x7FFF;
    double magnitude;
    if (exponent == 0x7FFF)
        magnitude = (mantissa << 1) != 0 ? std::numeric_limits<double>::quiet_NaN()
                                         : std::numeric_limits<double>::infinity();
    else
        magnitude = std::ldexp(double(mantissa), std::max(exponent, 1) - 16383 - 63);
    return (signAndExponent & 0x8000) ? -magnitude : magnitude;
}

QByteArray ExtendedFromDouble(double value)
{
    quint64 mantissa = 0;
    quint16 exponent = 0;
    if (std::isnan(value)) {
        mantissa = 0xC000000000000000ULL;
        exponent = 0x7FFF;
    } else if (std::isinf(value)) {
        mantissa = 0x8000000000000000ULL;
        exponent = 0x7FFF;
    } else if (value != 0) {
        int binaryExponent = 0;
        const double fraction = std::frexp(std::fabs(value), &binaryExponent); // [0.5, 1)
        mantissa = quint64(std::ldexp(fraction, 64));
        exponent = quint16(binaryExponent - 1 + 16383);
    }
    if (std::signbit(value))
        exponent |= 0x8000;
    QByteArray bytes(10, '\0');
    qToLittleEndian<quint64>(mantissa, bytes.data());
    qToLittleEndian<quint16>(exponent, bytes.data() + 8);
    return bytes;
}

} // namespace zelto
