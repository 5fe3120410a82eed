#include "Command.h"
#include "SkinText.h"
#include "support/QtPrinters.h"

#include "ui/ComponentStream.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace zelto::pack {
namespace {

constexpr char kSkin[] = R"(object MainForm: TuForm
  ClientWidth = 867
  Tag = -5
  Big = 5000000000
  Hex = $FF
  Caption = '传奇 ''登录'' '#13#10'x' +
    'y'
  Color = clBtnFace
  TransparentColor = True
  AlphaBlend = false
  Ratio = 1.5
  Half = 0.5s
  Price = -12.34c
  When = 45000.25d
  Tenth = 0.1r
  Endless = -INF
  Anchors = [akLeft, akTop]
  Empty = []
  Items.Strings = (
    'a'
    3
    ())
  Hexes = {0A1B
           2C}
  Picture.Data = file 'bg.png'
  EmbeddedFiles = <
    item [2]
      FileName = 'x.dll'
    end
    item
    end>
  OnCreate = nil
  // a comment
  inherited BtnStart: TuStartBtton [1]
    Left = 10
  end
  inline TuImage
  end
end
)";

class SkinText : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile picture(m_folder.filePath(QStringLiteral("bg.png")));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write("\x89PNG\r\n\x1A\n", 8);
    }

    TComponentNode Parse(const QString &text) { return ParseSkinText(text, QStringLiteral("skin.txt"), m_folder.path()); }

    QTemporaryDir m_folder;
};

TEST_F(SkinText, ValuesTakeTheSmallestKindThatHoldsThem)
{
    const TComponentNode root = Parse(QString::fromUtf8(kSkin));
    struct Expected {
        const char *property;
        TValueKind kind;
    };
    const Expected expected[] = {
        { "ClientWidth", TValueKind::Int16 }, { "Tag", TValueKind::Int8 }, { "Big", TValueKind::Int64 },
        { "Hex", TValueKind::Int16 }, { "Caption", TValueKind::String }, { "Color", TValueKind::Ident },
        { "TransparentColor", TValueKind::True }, { "AlphaBlend", TValueKind::False },
        { "Ratio", TValueKind::Extended }, { "Half", TValueKind::Single }, { "Price", TValueKind::Currency },
        { "When", TValueKind::Date }, { "Tenth", TValueKind::Double }, { "Endless", TValueKind::Extended },
        { "Anchors", TValueKind::Set }, { "Empty", TValueKind::Set }, { "Items.Strings", TValueKind::List },
        { "Hexes", TValueKind::Binary }, { "Picture.Data", TValueKind::Binary },
        { "EmbeddedFiles", TValueKind::Collection }, { "OnCreate", TValueKind::Nil },
    };
    ASSERT_EQ(root.properties.size(), qsizetype(std::size(expected)));
    for (const Expected &e : expected) {
        const TComponentProperty *property = root.Find(QLatin1String(e.property));
        ASSERT_NE(property, nullptr) << e.property;
        EXPECT_EQ(property->value.kind, e.kind) << e.property;
    }
    EXPECT_EQ(root.Find(QStringLiteral("Caption"))->value.text, QStringLiteral(u"传奇 '登录' \r\nxy"));
    EXPECT_EQ(root.Find(QStringLiteral("Price"))->value.integer, -123400);
    EXPECT_EQ(root.Find(QStringLiteral("Picture.Data"))->value.bytes, QByteArray("\x89PNG\r\n\x1A\n", 8));
    EXPECT_EQ(root.Find(QStringLiteral("Hexes"))->value.bytes, QByteArray("\x0A\x1B\x2C"));
    EXPECT_EQ(root.Find(QStringLiteral("EmbeddedFiles"))->value.items[0].order->integer, 2);
    EXPECT_TRUE(std::isinf(root.Find(QStringLiteral("Endless"))->value.real));
    ASSERT_EQ(root.children.size(), 2);
    EXPECT_EQ(root.children[0].flags, quint8(0xF3));
    EXPECT_EQ(root.children[0].childPosition, 1);
    EXPECT_EQ(root.children[1].flags, quint8(0xF4));
    EXPECT_EQ(root.children[1].className, QStringLiteral("TuImage"));
    EXPECT_TRUE(root.children[1].name.isEmpty());
}

TEST_F(SkinText, FormattingAndCompilingAgainGivesTheSameTree)
{
    TComponentNode root = Parse(QString::fromUtf8(kSkin));
    TComponentValue text;
    text.kind = TValueKind::String;
    for (const QString &value : { QString(), QStringLiteral("''"), QString(QChar(0)) + QStringLiteral("\t\x7F"),
                                  QString(300, QLatin1Char('x')), QStringLiteral(u"\U0001F600 \u0E01"),
                                  QString(QChar(0xD800)) + QStringLiteral("lone surrogate"),
                                  QString(70, QChar(u'长')) + QStringLiteral(u"\U0001F600") }) {
        text.text = value;
        root.properties.append({ QStringLiteral("Text%1").arg(root.properties.size()), text });
    }
    const TComponentNode compiled = Parse(FormatSkinText(root));
    for (qsizetype i = 0; i < compiled.properties.size(); ++i) {
        EXPECT_EQ(compiled.properties[i].value.text, root.properties[i].value.text) << i;
    }
    EXPECT_EQ(Parse(FormatSkinText(compiled)), compiled);
    EXPECT_EQ(FormatSkinText(compiled), FormatSkinText(Parse(FormatSkinText(compiled))));
    EXPECT_TRUE(WriteComponentStream(compiled).Ok());
}

TEST_F(SkinText, KindsTheTextFormDoesNotChooseComeBackAsTheSmallestThatHoldsTheValue)
{
    TComponentNode root;
    root.className = QStringLiteral("TuForm");
    TComponentValue wide;
    wide.kind = TValueKind::Int32;
    wide.integer = 5;
    TComponentValue utf8;
    utf8.kind = TValueKind::Utf8String;
    utf8.text = QStringLiteral("abc");
    root.properties = { { QStringLiteral("Width"), wide }, { QStringLiteral("Text"), utf8 } };
    const TComponentNode compiled = Parse(FormatSkinText(root));
    EXPECT_EQ(compiled.properties[0].value.kind, TValueKind::Int8);
    EXPECT_EQ(compiled.properties[0].value.integer, 5);
    EXPECT_EQ(compiled.properties[1].value.kind, TValueKind::String);
    EXPECT_EQ(compiled.properties[1].value.text, QStringLiteral("abc"));
}

TEST_F(SkinText, ErrorsNameTheFileLineAndColumn)
{
    struct Case {
        const char *text;
        const char *error;
    };
    const Case cases[] = {
        { "", "skin.txt:1:1: expected 'object'" },
        { "object F: TuForm\n", "skin.txt:2:1: object 'F' has no 'end'" },
        { "object F: TuForm\n  Caption = 'abc\nend\n", "skin.txt:2:17: text without its closing quote" },
        { "object F: TuForm\n  Width 5\nend\n", "skin.txt:2:9: expected '='" },
        { "object F: TuForm\n  object B: TuImage\n  end\n  Width = 5\nend\n", "skin.txt:4:3: properties must come before" },
        { "object F: TuForm\n  Data = {0A1}\nend\n", "odd number of hexadecimal digits" },
        { "object F: TuForm\n  Data = {0G}\nend\n", "'G' is not a hexadecimal digit" },
        { "object F: TuForm\n  Data = file 'missing.png'\nend\n", "skin.txt:2:15: cannot read 'missing.png'" },
        { "object F: TuForm\n  Big = 99999999999999999999\nend\n", "does not fit 64 bits" },
        { "object F: TuForm\n  Price = 1.23456c\nend\n", "at most 4 decimals" },
        { "object F: TuForm\n  Width = 5\nend\nend\n", "skin.txt:4:1: text after the root" },
        { "object F: TuForm\n  Set = [a b]\nend\n", "expected ',' or ']'" },
        { "object F: TuForm\n  Items = <x>\nend\n", "expected 'item' or '>'" },
        { "object F: TuForm\n  Text = 'a' + 5\nend\n", "expected a quoted text after '+'" },
        { "object F: TuForm\n  Width = ?\nend\n", "unexpected character '?'" },
    };
    for (const Case &c : cases) {
        try {
            Parse(QString::fromUtf8(c.text));
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const TToolError &error) {
            EXPECT_TRUE(error.message.contains(QString::fromUtf8(c.error))) << error.message.toStdString();
            EXPECT_EQ(error.status, kExitBadInput);
        }
    }
}

TEST_F(SkinText, DeepNestingIsRefused)
{
    QString text = QStringLiteral("object F: TuForm\n  L = ");
    text += QString(10000, QLatin1Char('(')) + QString(10000, QLatin1Char(')')) + QStringLiteral("\nend\n");
    EXPECT_THROW(Parse(text), TToolError);
}

TEST_F(SkinText, NamesTheTextFormCannotHoldAreReported)
{
    TComponentNode root;
    root.className = QStringLiteral("TuForm");
    root.name = QStringLiteral("has space");
    EXPECT_THROW(FormatSkinText(root), TToolError);
}

} // namespace
} // namespace zelto::pack
