#include "Command.h"
#include "ConfigJson.h"

#include <gtest/gtest.h>

namespace zelto::pack {
namespace {

TEST(ConfigJson, FieldsReadIntoTheRecordAndBack)
{
    const QByteArray json = QStringLiteral(u"{\"sTitle\": \"传奇世界\", \"ServerListURL\": \"http://x/list\", "
                                           u"\"nGMNum\": 3, \"nGMChannel\": -2147483648, \"sAppName\": \"%1\", "
                                           u"\"nSkinOffset\": 77}")
                                .arg(QString(10, QChar(u'启')))
                                .toUtf8();
    const TLauncherConfiguration record = ConfigurationFromJson(json, QStringLiteral("CONFIG.json"));
    EXPECT_EQ(record.sTitle.Text(), QStringLiteral(u"传奇世界"));
    EXPECT_EQ(record.sAppName.Text(), QString(10, QChar(u'启')));
    EXPECT_EQ(qint32(record.nGMChannel), -2147483647 - 1);
    EXPECT_EQ(qint32(record.nSkinOffset), 0) << "set by the packing tool";

    const QJsonObject back = ConfigurationToJson(record);
    EXPECT_EQ(back.size(), 24);
    EXPECT_EQ(back.value(QStringLiteral("ServerListURL")).toString(), QStringLiteral("http://x/list"));
    EXPECT_EQ(back.value(QStringLiteral("nGMNum")).toInt(), 3);
    EXPECT_EQ(back.value(QStringLiteral("sSdkAppKey")).toString(), QString());
}

TEST(ConfigJson, BadFieldsAreNamed)
{
    struct Case {
        QString json;
        const char *error;
    };
    const Case cases[] = {
        { QStringLiteral("{"), "CONFIG.json: not valid JSON" },
        { QStringLiteral("[1]"), "CONFIG.json: must hold one JSON object" },
        { QStringLiteral("{\"sTitel\": \"x\"}"), "CONFIG.json: field 'sTitel' is not a field" },
        { QStringLiteral("{\"sTitle\": 5}"), "field 'sTitle' must be a text" },
        { QStringLiteral("{\"sAppName\": \"%1\"}").arg(QString(11, QChar(u'启'))),
          "field 'sAppName' is 22 bytes in code page 936; the field holds at most 20" },
        { QStringLiteral("{\"sTitle\": \"%1\"}").arg(QString(101, QLatin1Char('a'))), "field 'sTitle' is 101 bytes" },
        { QStringLiteral(u"{\"sSubject\": \"\u0E01\"}"), "field 'sSubject' holds characters that code page 936 cannot represent" },
        { QStringLiteral("{\"nGMNum\": 1.5}"), "field 'nGMNum' must be an integer" },
        { QStringLiteral("{\"nGMNum\": 2147483648}"), "field 'nGMNum' must be an integer" },
        { QStringLiteral("{\"nGMChannel\": \"12\"}"), "field 'nGMChannel' must be an integer" },
    };
    for (const Case &c : cases) {
        try {
            ConfigurationFromJson(c.json.toUtf8(), QStringLiteral("CONFIG.json"));
            ADD_FAILURE() << "accepted: " << c.json.toStdString();
        } catch (const TToolError &error) {
            EXPECT_TRUE(error.message.contains(QString::fromUtf8(c.error))) << error.message.toStdString();
        }
    }
}

} // namespace
} // namespace zelto::pack
