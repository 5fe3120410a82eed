#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The neutral form of a skin: the component stream read into classes, names, ordered typed
// properties and children, without any widget. The window builds its controls from it; the
// packing tool writes it back.
namespace zelto {

// Tag byte of each value kind in the component stream.
enum class TValueKind : quint8 {
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,   // 80-bit float
    String = 6,     // short text, code page 936
    Ident = 7,      // enumeration value, colour name or handler name
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,   // long text, code page 936
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WString = 18,
    Int64 = 19,
    Utf8String = 20,
    Double = 21,
};

struct TCollectionItem;

struct TComponentValue {
    TValueKind kind = TValueKind::Nil;
    qint64 integer = 0;              // Int8/16/32/64; Currency as its raw 64-bit value
    double real = 0;                 // Extended, Single, Date, Double
    QByteArray extendedRaw;          // the 10 bytes of an Extended, kept for an exact round trip
    QString text;                    // String, LString, WString, Utf8String, Ident
    QByteArray bytes;                // Binary
    QStringList identifiers;         // Set
    QList<TComponentValue> list;     // List
    QList<TCollectionItem> items;    // Collection

    bool operator==(const TComponentValue &other) const;
};

struct TComponentProperty {
    QString name; // possibly a dotted path: "Font.Name", "Picture.Data"
    TComponentValue value;

    bool operator==(const TComponentProperty &other) const = default;
};

struct TCollectionItem {
    std::optional<TComponentValue> order;
    QList<TComponentProperty> properties;

    bool operator==(const TCollectionItem &other) const = default;
};

struct TComponentNode {
    std::optional<quint8> flags;         // prefix byte F0..FF when present
    std::optional<qint64> childPosition; // when flag bit 1 is set
    QString className;
    QString name;
    QList<TComponentProperty> properties;
    QList<TComponentNode> children;

    const TComponentProperty *Find(const QString &propertyName) const;
    bool operator==(const TComponentNode &other) const = default;
};

} // namespace zelto
