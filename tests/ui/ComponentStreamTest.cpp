#include "support/QtPrinters.h"
#include "ui/ComponentStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zelto {
namespace {

TComponentValue Value(TValueKind kind)
{
    TComponentValue value;
    value.kind = kind;
    return value;
}

TComponentValue Integer(TValueKind kind, qint64 integer)
{
    TComponentValue value = Value(kind);
    value.integer = integer;
    return value;
}

TComponentValue Real(TValueKind kind, double real)
{
    TComponentValue value = Value(kind);
    value.real = real;
    if (kind == TValueKind::Extended)
        value.extendedRaw = ExtendedFromDouble(real);
    return value;
}

TComponentValue Text(TValueKind kind, const QString &text)
{
    TComponentValue value = Value(kind);
    value.text = text;
    return value;
}

// One property of every value kind, lists and collections nested.
TComponentNode EveryKindTree()
{
    TComponentValue list = Value(TValueKind::List);
    list.list = { Integer(TValueKind::Int8, 1), Text(TValueKind::String, QStringLiteral("a")), Value(TValueKind::List) };
    TComponentValue binary = Value(TValueKind::Binary);
    binary.bytes = QByteArray("\x00\x01\xFF", 3);
    TComponentValue set = Value(TValueKind::Set);
    set.identifiers = { QStringLiteral("akLeft"), QStringLiteral("akTop") };
    TComponentValue collection = Value(TValueKind::Collection);
    TCollectionItem ordered;
    ordered.order = Integer(TValueKind::Int16, 300);
    ordered.properties = { { QStringLiteral("FileName"), Text(TValueKind::String, QStringLiteral("x.dll")) } };
    collection.items = { ordered, TCollectionItem() };

    TComponentNode root;
    root.className = QStringLiteral("TuForm");
    root.name = QStringLiteral("MainForm");
    root.properties = {
        { QStringLiteral("List"), list },
        { QStringLiteral("Int8"), Integer(TValueKind::Int8, -128) },
        { QStringLiteral("Int16"), Integer(TValueKind::Int16, -32768) },
        { QStringLiteral("Int32"), Integer(TValueKind::Int32, std::numeric_limits<qint32>::min()) },
        { QStringLiteral("Extended"), Real(TValueKind::Extended, -1.25e-300) },
        { QStringLiteral("String"), Text(TValueKind::String, QStringLiteral(u"登录器")) },
        { QStringLiteral("Ident"), Text(TValueKind::Ident, QStringLiteral("clBtnFace")) },
        { QStringLiteral("False"), Value(TValueKind::False) },
        { QStringLiteral("True"), Value(TValueKind::True) },
        { QStringLiteral("Picture.Data"), binary },
        { QStringLiteral("Anchors"), set },
        { QStringLiteral("LString"), Text(TValueKind::LString, QString(300, QChar(u'长'))) },
        { QStringLiteral("Nil"), Value(TValueKind::Nil) },
        { QStringLiteral("EmbeddedFiles"), collection },
        { QStringLiteral("Single"), Real(TValueKind::Single, 0.5) },
        { QStringLiteral("Currency"), Integer(TValueKind::Currency, 123456789) },
        { QStringLiteral("Date"), Real(TValueKind::Date, 45000.25) },
        { QStringLiteral("WString"), Text(TValueKind::WString, QStringLiteral(u"x\u0E01\U0001F600")) },
        { QStringLiteral("Int64"), Integer(TValueKind::Int64, std::numeric_limits<qint64>::max()) },
        { QStringLiteral("Utf8String"), Text(TValueKind::Utf8String, QStringLiteral(u"ü\u0E01")) },
        { QStringLiteral("Double"), Real(TValueKind::Double, 0.1) },
    };
    TComponentNode child;
    child.flags = 0xF3; // inherited, with child position
    child.childPosition = 2;
    child.className = QStringLiteral("TuStartBtton");
    child.name = QStringLiteral("BtnStart");
    root.children = { child, TComponentNode { {}, {}, QStringLiteral("TuImage"), QString(), {}, {} } };
    return root;
}

TEST(ComponentStream, EveryValueKindReadsBackAsWritten)
{
    const TComponentNode tree = EveryKindTree();
    const TComponentStreamWrite write = WriteComponentStream(tree);
    ASSERT_TRUE(write.Ok()) << write.error.toStdString();
    const TComponentStreamRead read = ReadComponentStream(write.bytes);
    ASSERT_TRUE(read.Complete()) << read.error.toStdString();
    EXPECT_EQ(read.root, tree);
    EXPECT_EQ(WriteComponentStream(read.root).bytes, write.bytes);
}

TEST(ComponentStream, SmallTreeHasTheKnownBytes)
{
    TComponentNode root;
    root.className = QStringLiteral("TuForm");
    root.name = QStringLiteral("F");
    root.properties = { { QStringLiteral("Tag"), Integer(TValueKind::Int16, 9999) },
                        { QStringLiteral("Caption"), Text(TValueKind::String, QStringLiteral(u"中")) } };
    TComponentNode child;
    child.className = QStringLiteral("TuImage");
    child.name = QStringLiteral("I");
    root.children = { child };
    const QByteArray expected = QByteArray("TPF0" "\x06" "TuForm" "\x01" "F"
                                           "\x03" "Tag" "\x03\x0F\x27"
                                           "\x07" "Caption" "\x06\x02\xD6\xD0"
                                           "\x00"
                                           "\x07" "TuImage" "\x01" "I" "\x00\x00"
                                           "\x00",
                                           4 + 7 + 2 + 4 + 3 + 8 + 4 + 1 + 8 + 2 + 2 + 1);
    EXPECT_EQ(WriteComponentStream(root).bytes.toHex(), expected.toHex());
}

TEST(ComponentStream, ExtendedFloatsConvertExactlyForDoubles)
{
    EXPECT_EQ(ExtendedFromDouble(1.0).toHex(), QByteArray("0000000000000080ff3f"));
    EXPECT_EQ(ExtendedFromDouble(-2.0).toHex(), QByteArray("000000000000008000c0"));
    for (double value : { 0.0, -0.0, 1.5, -3.75e10, 1e300, 4.9e-324, 2.2250738585072014e-308,
                          std::numeric_limits<double>::infinity() }) {
        const double back = DoubleFromExtended(ExtendedFromDouble(value));
        EXPECT_EQ(back, value);
        EXPECT_EQ(std::signbit(back), std::signbit(value));
    }
    EXPECT_TRUE(std::isnan(DoubleFromExtended(ExtendedFromDouble(std::nan("")))));
}

TEST(ComponentStream, ReaderKeepsWhatItReadBeforeAnError)
{
    TComponentNode tree = EveryKindTree();
    const QByteArray bytes = WriteComponentStream(tree).bytes;
    // Cut inside the first child: the root and all its properties stay, the child has its
    // class and name.
    const qsizetype cut = bytes.indexOf("BtnStart") + 8;
    const TComponentStreamRead read = ReadComponentStream(bytes.left(cut));
    EXPECT_FALSE(read.Complete());
    EXPECT_EQ(read.errorOffset, cut);
    EXPECT_EQ(read.root.properties, tree.properties);
    ASSERT_EQ(read.root.children.size(), 1);
    EXPECT_EQ(read.root.children[0].name, QStringLiteral("BtnStart"));

    // Every shorter cut fails cleanly with a prefix of the properties.
    for (qsizetype size = 0; size < bytes.size(); ++size) {
        const TComponentStreamRead partial = ReadComponentStream(bytes.left(size));
        ASSERT_FALSE(partial.Complete()) << size;
        EXPECT_LE(partial.errorOffset, size);
        EXPECT_EQ(partial.root.properties, tree.properties.mid(0, partial.root.properties.size()));
    }
}

TEST(ComponentStream, HostileStreamsEndInAnErrorWithoutHugeAllocations)
{
    const QByteArray head("TPF0" "\x01" "T" "\x01" "N" "\x01" "P", 10);
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *error;
    };
    const Case cases[] = {
        { "no signature", QByteArray("TPF1\x00\x00\x00\x00", 8), "TPF0" },
        { "unknown tag", head + "\x16", "not a value kind" },
        { "end-of-list tag as a value", head + QByteArray(1, '\0'), "not a value kind" },
        { "binary of 2 GiB", head + "\x0A\xFF\xFF\xFF\x7F", "does not fit" },
        { "negative length", head + "\x0C\xFF\xFF\xFF\xFF", "does not fit" },
        { "wide text of 1 G units", head + QByteArray("\x12\x00\x00\x00\x40" "abcd", 9), "does not fit" },
        { "lists nested 100000 deep", head + QByteArray(100000, '\x01'), "nested deeper" },
        { "children nested 10000 deep", QByteArray("TPF0") + QByteArray("\x01T\x00\x00", 4).repeated(10000), "nested deeper" },
        { "collection item without list tag", head + "\x0E\x02\x05\x07", "list tag" },
        { "child position of another kind", QByteArray("TPF0\xF2\x06", 6), "not an integer" },
        { "a million nil values", head + "\x01" + QByteArray(1000000, '\x0D'), "more than" },
    };
    for (const Case &c : cases) {
        const TComponentStreamRead read = ReadComponentStream(c.bytes);
        EXPECT_TRUE(read.error.contains(QLatin1String(c.error))) << c.name << ": " << read.error.toStdString();
    }
}

TEST(ComponentStream, WriterRefusesWhatTheStreamCannotCarry)
{
    struct Case {
        const char *name;
        void (*damage)(TComponentNode &);
        const char *error;
    };
    const Case cases[] = {
        { "short text over 255 bytes", [](TComponentNode &n) { n.properties[5].value.text = QString(200, QChar(u'长')); }, "at most 255" },
        { "short text outside code page 936", [](TComponentNode &n) { n.properties[5].value.text = QStringLiteral(u"\u0E01"); }, "code page 936" },
        { "8-bit integer of 200", [](TComponentNode &n) { n.properties[1].value.integer = 200; }, "does not fit" },
        { "empty property name", [](TComponentNode &n) { n.properties[0].name.clear(); }, "needs a name" },
        { "child without class", [](TComponentNode &n) { n.children[1].className.clear(); }, "class name" },
        { "empty set element", [](TComponentNode &n) { n.properties[10].value.identifiers.append(QString()); }, "end the set" },
        { "class name read as flags", [](TComponentNode &n) { n.className = QString(240, QLatin1Char('T')); }, "flags byte" },
        { "child position without flag", [](TComponentNode &n) { n.children[0].flags = 0xF1; }, "child position" },
        { "collection order of 64 bits", [](TComponentNode &n) { n.properties[13].value.items[0].order->kind = TValueKind::Int64; }, "order" },
    };
    for (const Case &c : cases) {
        TComponentNode tree = EveryKindTree();
        c.damage(tree);
        const TComponentStreamWrite write = WriteComponentStream(tree);
        EXPECT_TRUE(write.error.contains(QLatin1String(c.error))) << c.name << ": " << write.error.toStdString();
        EXPECT_TRUE(write.bytes.isEmpty()) << c.name;
    }
}

} // namespace
} // namespace zelto
