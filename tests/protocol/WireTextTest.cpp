#include "protocol/WireText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zelto {
namespace {

QByteArray Decode(QByteArrayView text)
{
    QByteArray bytes(MaxWireTextBytes(text.size()), Qt::Uninitialized);
    bytes.truncate(WireTextToBytes(text, bytes.data(), bytes.size()));
    return bytes;
}

QByteArray PatternBytes(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>(i * 73 + 255);
    return bytes;
}

TEST(WireText, ReverseTableHoldsAlphabetPadAndNothingElse)
{
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        const char *inAlphabet = code != 0 ? strchr(kWireAlphabet, c) : nullptr;
        const int expected = inAlphabet ? int(inAlphabet - kWireAlphabet) : c == '=' ? 64 : 255;
        EXPECT_EQ(WireValue(c), expected) << "code " << code;
    }
}

struct EncodingCase {
    QByteArray bytes;
    QByteArray text;
};

TEST(WireText, EncodesKnownExamplesBothWays)
{
    const EncodingCase cases[] = {
        { "abc", "WUHh" },
        { "ab", "WUG=" },
        { "a", "WO==" },
        { QByteArray::fromHex("000102030405060708090A0B"), "<<CA<uOD>eaGAOmJ" },
        { QByteArray(32, '\0'), QByteArray(43, '<') + "=" },
        { QByteArray::fromHex("ffffff"), "}}}}" },
        { "", "" },
    };
    for (const EncodingCase &c : cases) {
        EXPECT_EQ(BytesToWireText(c.bytes), c.text) << c.bytes.toHex().constData();
        EXPECT_EQ(Decode(c.text), c.bytes) << c.text.constData();
    }
}

TEST(WireText, RoundTripsEveryLengthUpTo40)
{
    for (int count = 0; count <= 40; ++count) {
        const QByteArray bytes = PatternBytes(count);
        const QByteArray text = BytesToWireText(bytes);
        EXPECT_EQ(text.size(), (count + 2) / 3 * 4) << count;
        EXPECT_EQ(Decode(text), bytes) << count;
    }
}

TEST(WireText, SkipsLineBreaksWhereGroupsStart)
{
    const QByteArray bytes = PatternBytes(30);
    const QByteArray text = BytesToWireText(bytes);
    QByteArray wrapped = "\r\n";
    for (qsizetype i = 0; i < text.size(); i += 8)
        wrapped += text.mid(i, 8) + "\r\n\n";
    EXPECT_EQ(Decode(wrapped), bytes);
}

TEST(WireText, NeverWritesBeyondCapacity)
{
    constexpr char kGuard = '\x5A';
    const QByteArray bytes = PatternBytes(40);
    const QByteArray text = BytesToWireText(bytes);
    for (int capacity = 0; capacity <= bytes.size(); ++capacity) {
        std::vector<char> buffer(capacity + 8, kGuard);
        EXPECT_EQ(WireTextToBytes(text, buffer.data(), capacity), capacity);
        EXPECT_EQ(QByteArray(buffer.data(), capacity), bytes.left(capacity));
        EXPECT_EQ(std::count(buffer.begin() + capacity, buffer.end(), kGuard), 8) << capacity;
    }
}

// Text that is not proper wire text still decodes, to meaningless bytes, within bounds:
// characters outside the alphabet count as 255, "=" is a pad only in a group's last two
// places, a group cut short reads as if padded, a line break inside a group is a character.
TEST(WireText, DecodesMalformedTextWithinBounds)
{
    const EncodingCase cases[] = {
        { QByteArray::fromHex("ffffff"), "!!!!" },
        { QByteArray::fromHex("ffffff"), "\xC0\x80\xFF\x7F" },
        { QByteArray::fromHex("000616"), "==WU" },
        { QByteArray::fromHex("600249"), "W=HH" },
        { QByteArray::fromHex("616fe3"), "WU\nh" },
        { "ab", "WUG" },
        { "a", "WO" },
        { "`", "W" },
        { QByteArray("abc\0", 4), "WUHh=" },
        { "abc", "WUHh\n" },
        { "abcababc", "WUHhWUG=WUHh" },
        { QByteArray("\0", 1), "====" },
    };
    for (const EncodingCase &c : cases) {
        EXPECT_EQ(Decode(c.text).toHex(), c.bytes.toHex()) << c.text.toHex().constData();
        EXPECT_LE(Decode(c.text).size(), MaxWireTextBytes(c.text.size()));
    }
}

TEST(WireText, StringsTravelAsUtf8)
{
    EXPECT_EQ(StringToWireText(QStringLiteral(u"中")), "&Jgr");
    EXPECT_EQ(WireTextToString("&Jgr"), QStringLiteral(u"中"));
    EXPECT_TRUE(StringToWireText(QString()).isEmpty());
    EXPECT_TRUE(WireTextToString("").isEmpty());
    for (const QString &text : { QStringLiteral(u"token"), QStringLiteral(u"服务器 A1 ✓"),
             QStringLiteral(u"\U0001F600+/=="), QString(100, QChar(u'é')) })
        EXPECT_EQ(WireTextToString(StringToWireText(text)), text);
}

} // namespace
} // namespace zelto
