#include "support/PackedLauncherFixture.h"
#include "ui/SkinStream.h"

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(SkinStream, EncodedSkinDecodesToTheSameTree)
{
    const TComponentNode tree = testing::SampleSkinTree();
    const TComponentStreamWrite stored = EncodeSkinStream(tree);
    ASSERT_TRUE(stored.Ok());
    EXPECT_FALSE(stored.bytes.contains("TuForm")) << "the stored skin is enciphered";
    const TComponentStreamRead read = DecodeSkinStream(stored.bytes);
    EXPECT_TRUE(read.Complete()) << read.error.toStdString();
    EXPECT_EQ(read.root, tree);
}

TEST(SkinStream, TruncatedSkinKeepsWhatWasRead)
{
    TComponentNode tree = testing::SampleSkinTree();
    TComponentValue big;
    big.kind = TValueKind::Binary;
    for (int i = 0; i < 20000; ++i)
        big.bytes += QByteArray::number(i * 7919);
    tree.children[1].properties.append({ QStringLiteral("Picture.Data"), big });
    const QByteArray stored = EncodeSkinStream(tree).bytes;

    const TComponentStreamRead read = DecodeSkinStream(stored.left(stored.size() * 3 / 4));
    EXPECT_FALSE(read.Complete());
    EXPECT_TRUE(read.error.contains(QLatin1String("ends early"))) << read.error.toStdString();
    EXPECT_EQ(read.root.properties, tree.properties);
    ASSERT_EQ(read.root.children.size(), 2);
    EXPECT_EQ(read.root.children[0], tree.children[0]);
    EXPECT_EQ(read.root.children[1].name, QStringLiteral("EditID"));
}

TEST(SkinStream, BytesThatAreNoSkinGiveAnEmptyTree)
{
    for (const QByteArray &stored : { QByteArray(), QByteArray(5, 'x'), QByteArray(4000, '\x42'),
                                      PackSkinStream(QByteArray("not a component stream")) }) {
        const TComponentStreamRead read = DecodeSkinStream(stored);
        EXPECT_FALSE(read.Complete());
        EXPECT_EQ(read.root, TComponentNode());
    }
}

TEST(SkinStream, InflatingStopsAtTheCap)
{
    const QByteArray bomb = DeflateZlib(QByteArray(8 * 1024 * 1024, '\0'));
    ASSERT_LT(bomb.size(), 20000);
    const TInflated capped = InflateZlib(bomb, 1024 * 1024);
    EXPECT_FALSE(capped.Complete());
    EXPECT_EQ(capped.data.size(), 1024 * 1024);

    const TInflated whole = InflateZlib(bomb, 8 * 1024 * 1024);
    EXPECT_TRUE(whole.Complete()) << whole.error.toStdString();

    QByteArray damaged = DeflateZlib(QByteArray("component stream bytes, repeated, repeated, repeated"));
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0xFF);
    EXPECT_FALSE(InflateZlib(damaged, 1000).Complete());
}

} // namespace
} // namespace zelto
