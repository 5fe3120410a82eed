#include "app/LauncherConfiguration.h"

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(LauncherConfiguration, TextFieldsTakeWhatFitsTheirCapacityInCodePage936)
{
    struct Case {
        QString text;
        bool fits;
        int length; // length byte after a successful SetText
    };
    const Case cases[] = {
        { QString(), true, 0 },
        { QStringLiteral("game"), true, 4 },
        { QString(50, QChar(u'传')), true, 100 },   // 100 bytes: exactly the capacity
        { QString(101, QLatin1Char('a')), false, 0 },
        { QString(50, QChar(u'传')) + QLatin1Char('a'), false, 0 },
        { QStringLiteral(u"x\u0E01"), false, 0 },   // Thai: not in code page 936
    };
    for (const Case &c : cases) {
        TLauncherConfiguration record;
        EXPECT_EQ(record.sTitle.SetText(c.text), c.fits) << c.text.toStdString();
        EXPECT_EQ(record.sTitle.length, c.length);
        EXPECT_EQ(record.sTitle.Text(), c.fits ? c.text : QString());
    }
}

TEST(LauncherConfiguration, LengthByteAboveTheCapacityReadsOnlyTheField)
{
    TLauncherConfiguration record;
    ASSERT_TRUE(record.sAppName.SetText(QString(20, QLatin1Char('a'))));
    ASSERT_TRUE(record.sHomePage.SetText(QStringLiteral("next field")));
    record.sAppName.length = 200;
    EXPECT_EQ(record.sAppName.Text(), QString(20, QLatin1Char('a')));
}

TEST(LauncherConfiguration, FieldTableReachesTheSameBytesAsTheMembers)
{
    TLauncherConfiguration record;
    ASSERT_TRUE(SetFieldText(record, *FindConfigurationField(QStringLiteral("sSdkChannel")), QStringLiteral("ch")));
    SetFieldInteger(record, *FindConfigurationField(QStringLiteral("nGMChannel")), -5);
    EXPECT_EQ(record.sSdkChannel.Text(), QStringLiteral("ch"));
    EXPECT_EQ(qint32(record.nGMChannel), -5);

    const QByteArray bytes = record.ToBytes();
    ASSERT_EQ(bytes.size(), 2332);
    EXPECT_EQ(bytes.mid(2075, 3), QByteArray("\x02" "ch"));
    EXPECT_EQ(bytes.mid(1412, 4), QByteArray("\xFB\xFF\xFF\xFF"));
    EXPECT_EQ(TLauncherConfiguration::FromBytes(bytes).ToBytes(), bytes);
    EXPECT_EQ(LauncherConfigurationFields().size(), 24u);
    EXPECT_EQ(FindConfigurationField(QStringLiteral("filler970")), nullptr);
}

} // namespace
} // namespace zelto
