#include "app/Digests.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelto {
namespace {

struct Md5Case {
    QString text;
    const char *strMd5;      // digest of the code page 936 bytes
    const char *md5HexLower; // digest with "?" for every unit above 127
};

// Digests computed by coreutils md5sum of the byte strings named in the comments.
TEST(Md5Renderings, DigestTheBytesEachRenderingNames)
{
    const Md5Case cases[] = {
        {QString(), "D41D8CD98F00B204E9800998ECF8427E", "d41d8cd98f00b204e9800998ecf8427e"},
        {QStringLiteral("abc"), "900150983CD24FB0D6963F7D28E17F72", "900150983cd24fb0d6963f7d28e17f72"},
        // d6d0 cec4 "abc" / "??abc"
        {QStringLiteral(u"中文abc"), "EBEF11822AAF0AE4E960C880640587D2", "ee7a6a183456a35937fbdc3027bd9436"},
        // 80 / "?"
        {QStringLiteral(u"€"), "8D39DD7EEF115EA6975446EF4082951F", "d1457b72c3fb323a2671125aef3eab5d"},
    };
    for (const Md5Case &c : cases) {
        EXPECT_EQ(StrMD5(c.text), QLatin1String(c.strMd5)) << qPrintable(c.text);
        EXPECT_EQ(Md5AnsiLower(c.text), QString::fromLatin1(c.strMd5).toLower()) << qPrintable(c.text);
        EXPECT_EQ(Md5HexLower(c.text), QLatin1String(c.md5HexLower)) << qPrintable(c.text);
    }
}

TEST(Md5Renderings, HexLowerKeepsUnitsBelow128AndReplacesEachOtherUnit)
{
    const auto md5 = [](const QByteArray &bytes) {
        return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
    };
    EXPECT_EQ(Md5HexLower(QStringLiteral(u"\u007F\u0080")), md5("\x7F?"));
    EXPECT_EQ(Md5HexLower(QStringLiteral(u"a\U0001F600")), md5("a??")); // two UTF-16 units
}

TEST(Base64Utf8, EncodesTheUtf8Bytes)
{
    EXPECT_EQ(Base64Utf8(QStringLiteral(u"中文abc")), QStringLiteral("5Lit5paHYWJj"));
    EXPECT_EQ(Base64Utf8(QStringLiteral("a")), QStringLiteral("YQ=="));
    EXPECT_FALSE(Base64Utf8(QString(100, u'x')).contains(u'\n'));
}

class FileMD5Test : public ::testing::Test {
protected:
    QString writeFile(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("data.bin"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(FileMD5Test, DigestsTheWholeFileAcrossChunkBoundaries)
{
    for (qsizetype size : {0, 1, 102399, 102400, 102401, 250000}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = char((i * 131) ^ (i >> 9));
        const QString expected = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
        EXPECT_EQ(FileMD5(writeFile(bytes)), expected) << "size " << size;
    }
}

TEST_F(FileMD5Test, UnopenablePathRaisesAnError)
{
    EXPECT_THROW(FileMD5(m_dir.filePath(QStringLiteral("missing.bin"))), std::runtime_error);
    EXPECT_THROW(FileMD5(m_dir.path()), std::runtime_error);
}

struct JsonCase {
    const char *name;
    QString list;
    const char *expected;
};

TEST(ParamsToJson, SplitsTheListAsCommaText)
{
    const JsonCase cases[] = {
        {"value with a space ends at the space", QStringLiteral("os=Windows 10\r\ndevice_id=ab12"),
         R"({"os":"Windows","device_id":"ab12"})"},
        {"lines, tabs and commas separate", QStringLiteral("a=1\nb=2\tc=3,d=4"), R"({"a":"1","b":"2","c":"3","d":"4"})"},
        {"leading and trailing blanks", QStringLiteral("  \r\n a=1 \r\n"), R"({"a":"1"})"},
        {"first item of a name wins", QStringLiteral("a=1\na=2\nb=3"), R"({"a":"1","b":"3"})"},
        {"items without = carry no name", QStringLiteral("flag\na=1\n,,\nb"), R"({"a":"1"})"},
        {"value keeps later =", QStringLiteral("sign=a=b="), R"({"sign":"a=b="})"},
        {"empty name and value", QStringLiteral("=x\nk="), R"({"":"x","k":""})"},
        {"quoted item keeps blanks and commas", QStringLiteral("\"name=John Smith, Jr\",x=1"), R"({"name":"John Smith, Jr","x":"1"})"},
        {"doubled quotes inside a quoted item", QStringLiteral("\"q=say \"\"hi\"\"\""), R"({"q":"say \"hi\""})"},
        {"unclosed quote runs to the end", QStringLiteral("\"q=a b"), R"({"q":"a b"})"},
        {"text ends at NUL", QStringLiteral(u"a=1\0b=2"), R"({"a":"1"})"},
        {"empty list", QString(), "{}"},
    };
    for (const JsonCase &c : cases) {
        const QString json = ParamsToJson(c.list);
        EXPECT_EQ(QJsonDocument::fromJson(json.toUtf8()).object(), QJsonDocument::fromJson(c.expected).object()) << c.name;
    }
}

TEST(ParamsToJson, IsCompactAndWritesNonAsciiAsItself)
{
    EXPECT_EQ(ParamsToJson(QStringLiteral(u"name=中文/\"x\"")), QStringLiteral(u"{\"name\":\"中文/\\\"x\\\"\"}"));
}

struct TimeCase {
    QDateTime local;
    qint32 expected;
};

TEST(UnixTimeStamp, TakesLocalTimeAsUtcMinusEightHours)
{
    const TimeCase cases[] = {
        {QDateTime(QDate(1970, 1, 1), QTime(8, 0, 0)), 0},
        {QDateTime(QDate(1970, 1, 1), QTime(0, 0, 0)), -28800},
        {QDateTime(QDate(2024, 5, 1), QTime(12, 34, 56, 789)), 1714538096}, // milliseconds dropped
        {QDateTime(QDate(2038, 1, 19), QTime(11, 14, 7)), 2147483647},
    };
    for (const TimeCase &c : cases)
        EXPECT_EQ(UnixTimeStamp(c.local), c.expected) << qPrintable(c.local.toString(Qt::ISODate));
}

} // namespace
} // namespace zelto
