#include "launch/LaunchRecord.h"

#include "app/PasswordCodec.h"
#include "catalog/uServerList.h"
#include "launch/LaunchInspection.h"
#include "os/AnsiCodePage.h"

#include "support/QtPrinters.h"

#include <QJsonArray>
#include <QtEndian>

#include <gtest/gtest.h>

namespace zelto {
namespace {

QByteArray Bytes(const TLaunchRecord &record) { return record.ToBytes(); }

qint32 Int32At(const QByteArray &bytes, int offset) { return qFromLittleEndian<qint32>(bytes.constData() + offset); }

// The short string at `offset`: its length byte, its text, and that the rest of its field is zero.
QByteArray ShortStringAt(const QByteArray &bytes, int offset, int capacity)
{
    const int length = quint8(bytes[offset]);
    EXPECT_LE(length, capacity);
    for (int i = offset + 1 + length; i <= offset + capacity; ++i)
        EXPECT_EQ(bytes[i], 0) << "offset " << i;
    return bytes.mid(offset + 1, length);
}

TSelectedServer SampleServer()
{
    return { QStringLiteral(u"一区 龙腾"), QByteArray("c2VydmVyLWtleQ=="), QStringLiteral("10.1.2.3"), 7000, 21 };
}

class LaunchRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_info.SetResFolder(QStringLiteral("Data\\Res"));
        m_info.EnabledMini = true;
        m_info.ClientType = 3;
        m_info.AutoClientType = true;
        m_info.AssistantKind = 5;
        m_info.ClassicsUI = false;
    }

    TServerInfo m_info;
    // Every value away from its default.
    TDisplaySettings m_display { .FullScreen = true, .WaitVBlank = false, .Do3D = false, .ScreenWidth = 1600,
                                 .ScreenHeight = 900, .NewInterface = true };
};

TEST(LaunchRecordLayout, FreshRecordHoldsTheConstantsAndDisplayDefaults)
{
    const QByteArray bytes = Bytes(TLaunchRecord());
    ASSERT_EQ(bytes.size(), 764);
    QByteArray expected(764, '\0');
    expected[196] = 0x01;
    expected[197] = 0x42;
    expected[375] = 9;
    expected[353] = 1; // wait for vertical blank
    expected[354] = 1; // 3D acceleration
    qToLittleEndian<qint32>(1024, expected.data() + 356);
    qToLittleEndian<qint32>(768, expected.data() + 360);
    EXPECT_EQ(bytes, expected);
}

TEST_F(LaunchRecord, FieldsSitAtTheirOffsets)
{
    const QByteArray bytes = Bytes(BuildLaunchRecord(SampleServer(), m_info, m_display));
    EXPECT_EQ(ShortStringAt(bytes, 0, 30), os::ToAnsi(QStringLiteral(u"一区 龙腾")));
    EXPECT_EQ(ShortStringAt(bytes, 31, 30), QByteArray("10.1.2.3"));
    EXPECT_EQ(ShortStringAt(bytes, 62, 100), QByteArray("c2VydmVyLWtleQ=="));
    EXPECT_EQ(ShortStringAt(bytes, 297, 50), QByteArray("Data\\Res\\"));
    EXPECT_EQ(Int32At(bytes, 348), 7000);
    EXPECT_EQ(bytes.mid(352, 4), QByteArray::fromHex("01000001")); // full screen, vblank, 3D, mini
    EXPECT_EQ(Int32At(bytes, 356), 1600);
    EXPECT_EQ(Int32At(bytes, 360), 900);
    EXPECT_EQ(bytes[364], 1);
    EXPECT_EQ(bytes[372], 3);
    EXPECT_EQ(bytes[374], 1);
    EXPECT_EQ(bytes[632], 5);
    EXPECT_EQ(bytes.mid(196, 2), QByteArray::fromHex("0142"));
    EXPECT_EQ(bytes[375], 9);
    const TLaunchArgumentRead read = DecodeLaunchArgument(EncryptLaunchArgument(bytes));
    ASSERT_TRUE(read.record);
    EXPECT_TRUE(LaunchRecordToJson(*read.record).value("nonZeroReserved").toArray().isEmpty());
}

TEST_F(LaunchRecord, ServerNameIsCutToThirtyBytesOnACharacterBoundary)
{
    const QString chinese15 = QString(15, QChar(0x4E2D)); // 中: two bytes each
    const struct {
        const char *name;
        QString text;
        QString kept;
    } cases[] = {
        { "31 letters", QString(31, QLatin1Char('a')), QString(30, QLatin1Char('a')) },
        { "30 bytes fit whole", chinese15, chinese15 },
        { "16 double-byte characters", chinese15 + QChar(0x6587), chinese15 },
        { "a letter and 15 double-byte characters", QLatin1Char('A') + chinese15, QLatin1Char('A') + chinese15.left(14) },
    };
    for (const auto &c : cases) {
        TSelectedServer server = SampleServer();
        server.name = c.text;
        const QByteArray bytes = Bytes(BuildLaunchRecord(server, m_info, m_display));
        EXPECT_EQ(ShortStringAt(bytes, 0, 30), os::ToAnsi(c.kept)) << c.name;
        EXPECT_EQ(bytes[31], 8) << c.name << ": the address field follows untouched";
    }
}

TEST_F(LaunchRecord, ResourceFolderEndsWithASeparator)
{
    const struct {
        const char *folder;
        const char *written;
    } cases[] = { { "Res", "Res\\" }, { "Res\\", "Res\\" }, { "Res/", "Res/" }, { "", "ZeltoResource\\" } };
    for (const auto &c : cases) {
        m_info.SetResFolder(QLatin1String(c.folder));
        EXPECT_EQ(ShortStringAt(Bytes(BuildLaunchRecord(SampleServer(), m_info, m_display)), 297, 50), QByteArray(c.written))
            << c.folder;
    }
}

TEST_F(LaunchRecord, ClassicInterfaceOfTheCatalogueWins)
{
    m_info.ClassicsUI = true;
    EXPECT_EQ(BuildLaunchRecord(SampleServer(), m_info, m_display).NewInterface, 0);
    m_info.ClassicsUI = false;
    m_display.NewInterface = false;
    EXPECT_EQ(BuildLaunchRecord(SampleServer(), m_info, m_display).NewInterface, 0);
}

TEST(GameCommandLine, FolderIsNotQuoted)
{
    EXPECT_EQ(GameCommandLine(QStringLiteral("/games/My Client/"), QStringLiteral("Game.exe"), QStringLiteral("QUJD")),
              QStringLiteral("/games/My Client/Game.exe QUJD"));
}

TEST(LaunchArgument, DecodesBackEveryField)
{
    TServerInfo info;
    info.SetResFolder(QStringLiteral("R"));
    const TLaunchRecord record = BuildLaunchRecord(SampleServer(), info, TDisplaySettings());
    const QString argument = EncryptLaunchArgument(record.ToBytes());
    const TLaunchArgumentRead read = DecodeLaunchArgument(argument);
    ASSERT_TRUE(read.Ok()) << read.error.toStdString();
    EXPECT_EQ(read.record->ToBytes(), record.ToBytes());
    const QJsonObject json = LaunchRecordToJson(*read.record);
    EXPECT_EQ(json.value("serverName"), QJsonValue(QStringLiteral(u"一区 龙腾")));
    EXPECT_EQ(json.value("serverKey"), QJsonValue("c2VydmVyLWtleQ=="));
    EXPECT_EQ(json.value("resFolder"), QJsonValue("R\\"));
    EXPECT_EQ(json.value("port"), QJsonValue(7000));
    EXPECT_EQ(json.value("fullScreen"), QJsonValue(0));
    EXPECT_EQ(json.value("waitVBlank"), QJsonValue(1));
    EXPECT_EQ(json.value("autoClientType"), QJsonValue(1));
    EXPECT_EQ(json.value("constant196"), QJsonValue(0x4201));
    EXPECT_EQ(json.value("constant375"), QJsonValue(9));
}

TEST(LaunchArgument, RefusesWhatIsNotALaunchArgument)
{
    QByteArray otherConstants = TLaunchRecord().ToBytes();
    otherConstants[375] = 8;
    const struct {
        const char *name;
        QString argument;
        bool recordRead;
    } cases[] = {
        { "empty", QString(), false },
        { "not Base64", QStringLiteral("not base64!"), false },
        { "short record", EncryptLaunchArgument(QByteArray(763, '\0')), false },
        { "other password", EncryptBytesWithPassword(TLaunchRecord().ToBytes(), QStringLiteral("other")), true },
        { "other constants", EncryptLaunchArgument(otherConstants), true },
    };
    for (const auto &c : cases) {
        const TLaunchArgumentRead read = DecodeLaunchArgument(c.argument);
        EXPECT_FALSE(read.Ok()) << c.name;
        EXPECT_EQ(read.record.has_value(), c.recordRead) << c.name;
    }
}

} // namespace
} // namespace zelto
