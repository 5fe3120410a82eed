#include "SkinSummary.h"

#include <QJsonArray>

#include <cmath>

namespace zelto::pack {
namespace {

QJsonArray PropertiesToJson(const QList<TComponentProperty> &properties);

QJsonValue RealToJson(double real)
{
    return std::isfinite(real) ? QJsonValue(real) : QJsonValue(QString::number(real));
}

QJsonObject ValueToJson(const TComponentValue &value)
{
    QJsonValue payload;
    switch (value.kind) {
    case TValueKind::Int8:
    case TValueKind::Int16:
    case TValueKind::Int32: payload = qint64(value.integer); break;
    case TValueKind::Int64:
    case TValueKind::Currency: payload = QString::number(value.integer); break; // JSON numbers lose 64-bit precision
    case TValueKind::Extended:
    case TValueKind::Single:
    case TValueKind::Date:
    case TValueKind::Double: payload = RealToJson(value.real); break;
    case TValueKind::String:
    case TValueKind::LString:
    case TValueKind::WString:
    case TValueKind::Utf8String:
    case TValueKind::Ident: payload = value.text; break;
    case TValueKind::False: payload = false; break;
    case TValueKind::True: payload = true; break;
    case TValueKind::Nil: break;
    case TValueKind::Binary: payload = QJsonObject { { QStringLiteral("size"), qint64(value.bytes.size()) } }; break;
    case TValueKind::Set: payload = QJsonArray::fromStringList(value.identifiers); break;
    case TValueKind::List: {
        QJsonArray list;
        for (const TComponentValue &element : value.list)
            list.append(ValueToJson(element));
        payload = list;
        break;
    }
    case TValueKind::Collection: {
        QJsonArray items;
        for (const TCollectionItem &item : value.items) {
            QJsonObject object { { QStringLiteral("properties"), PropertiesToJson(item.properties) } };
            if (item.order)
                object.insert(QStringLiteral("order"), qint64(item.order->integer));
            items.append(object);
        }
        payload = items;
        break;
    }
    }
    return { { QStringLiteral("kind"), ValueKindName(value.kind) }, { QStringLiteral("value"), payload } };
}

QJsonArray PropertiesToJson(const QList<TComponentProperty> &properties)
{
    QJsonArray array;
    for (const TComponentProperty &property : properties) {
        QJsonObject object = ValueToJson(property.value);
        object.insert(QStringLiteral("name"), property.name);
        array.append(object);
    }
    return array;
}

void Outline(const TComponentNode &node, int level, QString &out)
{
    out += QStringLiteral("%1%2: %3 (%4 properties)\n")
               .arg(QString(level * 2 + 2, QLatin1Char(' ')), node.name, node.className)
               .arg(node.properties.size());
    for (const TComponentNode &child : node.children)
        Outline(child, level + 1, out);
}

} // namespace

QString ValueKindName(TValueKind kind)
{
    static const char *const kNames[] = { "EndOfList", "List", "Int8", "Int16", "Int32", "Extended", "String",
                                          "Ident", "False", "True", "Binary", "Set", "LString", "Nil",
                                          "Collection", "Single", "Currency", "Date", "WString", "Int64",
                                          "Utf8String", "Double" };
    const int index = int(kind);
    return index < int(std::size(kNames)) ? QLatin1String(kNames[index]) : QString::number(index);
}

int CountComponents(const TComponentNode &node)
{
    int count = 1;
    for (const TComponentNode &child : node.children)
        count += CountComponents(child);
    return count;
}

QString SkinOutline(const TComponentNode &root)
{
    QString out;
    Outline(root, 0, out);
    return out;
}

QJsonObject SkinTreeToJson(const TComponentNode &node)
{
    QJsonObject object { { QStringLiteral("class"), node.className },
                         { QStringLiteral("name"), node.name },
                         { QStringLiteral("properties"), PropertiesToJson(node.properties) } };
    if (node.flags)
        object.insert(QStringLiteral("flags"), int(*node.flags));
    if (node.childPosition)
        object.insert(QStringLiteral("childPosition"), qint64(*node.childPosition));
    QJsonArray children;
    for (const TComponentNode &child : node.children)
        children.append(SkinTreeToJson(child));
    object.insert(QStringLiteral("children"), children);
    return object;
}

} // namespace zelto::pack
