#include "support/SkinTree.h"

#include <QBuffer>

namespace zelto::testing {

TComponentValue IntValue(qint64 number)
{
    TComponentValue value;
    value.kind = TValueKind::Int32;
    value.integer = number;
    return value;
}

TComponentValue TextValueOf(const QString &text)
{
    TComponentValue value;
    value.kind = TValueKind::WString;
    value.text = text;
    return value;
}

TComponentValue IdentValue(const QString &identifier)
{
    TComponentValue value;
    value.kind = TValueKind::Ident;
    value.text = identifier;
    return value;
}

TComponentValue BoolValue(bool flag)
{
    TComponentValue value;
    value.kind = flag ? TValueKind::True : TValueKind::False;
    return value;
}

TComponentValue BinaryValue(const QByteArray &bytes)
{
    TComponentValue value;
    value.kind = TValueKind::Binary;
    value.bytes = bytes;
    return value;
}

TComponentValue SetValue(const QStringList &identifiers)
{
    TComponentValue value;
    value.kind = TValueKind::Set;
    value.identifiers = identifiers;
    return value;
}

TComponentValue ListValue(const QStringList &texts)
{
    TComponentValue value;
    value.kind = TValueKind::List;
    for (const QString &text : texts)
        value.list.append(TextValueOf(text));
    return value;
}

TComponentProperty Prop(const QString &name, const TComponentValue &value) { return { name, value }; }

QList<TComponentProperty> Bounds(int left, int top, int width, int height)
{
    return { Prop(QStringLiteral("Left"), IntValue(left)), Prop(QStringLiteral("Top"), IntValue(top)),
        Prop(QStringLiteral("Width"), IntValue(width)), Prop(QStringLiteral("Height"), IntValue(height)) };
}

TComponentNode Node(const QString &className, const QString &name, QList<TComponentProperty> properties,
    QList<TComponentNode> children)
{
    TComponentNode node;
    node.className = className;
    node.name = name;
    node.properties = std::move(properties);
    node.children = std::move(children);
    return node;
}

QByteArray PngOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray PngOf(const QColor &colour, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return PngOf(image);
}

} // namespace zelto::testing
