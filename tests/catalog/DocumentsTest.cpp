#include "catalog/JsonRead.h"
#include "catalog/uServerList.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QJsonDocument>

namespace zelto {
namespace {

QString Json(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QStringList Servers(const TServerInfo &info)
{
    QStringList servers;
    for (int i = 0; i < info.ServerList.Count(); ++i) {
        const TServerItem &s = info.ServerList.Items(i);
        servers << QStringLiteral("%1/%2@%3:%4 id=%5 state=%6").arg(s.GroupName, s.DisplayName, s.Host)
                       .arg(s.Port).arg(s.Srvid).arg(s.State);
    }
    return servers;
}

QString UpperMd5OfCodePage936(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());
}

TEST(ReadingRules, IntegerReadAcceptsNumbersBooleansAndDecimalStrings)
{
    const std::pair<QJsonValue, qint32> cases[] = {
        {QJsonValue(7), 7}, {QJsonValue(2.4), 2}, {QJsonValue(2.6), 3}, {QJsonValue(2.5), 2},
        {QJsonValue(-3.5), -4}, {QJsonValue(true), 1}, {QJsonValue(false), 0},
        {QJsonValue(QStringLiteral("12")), 12}, {QJsonValue(QStringLiteral("-12")), -12},
        {QJsonValue(QStringLiteral("12a")), 0}, {QJsonValue(QStringLiteral(" 12")), 0},
        {QJsonValue(QStringLiteral("1.5")), 0}, {QJsonValue(1e12), 0}, {QJsonValue(QStringLiteral("99999999999")), 0},
        {QJsonValue(QJsonValue::Null), 0}, {QJsonValue(QJsonObject{}), 0}, {QJsonValue(QJsonValue::Undefined), 0},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(ReadInteger(value), expected) << QJsonDocument(QJsonArray{value}).toJson().constData();
}

TEST(ReadingRules, TextReadGivesScalarsAsText)
{
    const std::pair<QJsonValue, QString> cases[] = {
        {QJsonValue(QStringLiteral("中")), QStringLiteral("中")}, {QJsonValue(7000), QStringLiteral("7000")},
        {QJsonValue(0.5), QStringLiteral("0.5")}, {QJsonValue(true), QStringLiteral("true")},
        {QJsonValue(QJsonValue::Null), QString()}, {QJsonValue(QJsonArray{1}), QString()},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(ReadText(value), expected);
}

TEST(ReadingRules, DocumentsAreObjects)
{
    EXPECT_TRUE(ParseLenientJson(QStringLiteral("\uFEFF  {\"a\": 1} \r\n")));
    for (const char *text : {"", "[1]", "3", "\"x\"", "{", "{\"a\":1} x", "<html>"})
        EXPECT_FALSE(ParseLenientJson(QString::fromLatin1(text))) << text;
}

class ModListTest : public ::testing::Test {
protected:
    bool Load(const QJsonObject &document) { return info.LoadModInfoFromJSONString(Json(document), gameType); }

    TServerInfo info;
    QString gameType = QStringLiteral("brel");
};

TEST_F(ModListTest, ReadsEveryKeyAndCopiesThePages)
{
    const QJsonObject document{
        {"resURL", "http://res/"}, {"resVer", "3"}, {"refer", "r"}, {"urlsuffix", 4}, {"currVersion", "5"},
        {"reviewVersion", 6.2}, {"customData", QJsonObject{{"npOpenStatus", 1}, {"isEncrypt", true}}},
        {"modData", QJsonArray{QJsonObject{{"id", 1001}, {"name", "神话"}, {"logo", "l"}, {"srvlist", "http://s/srv"},
                        {"operid", "o"}, {"winURL", "http://w/pkg.zip"}, {"noticeURL", "http://n"},
                        {"homeURL", "http://h"}, {"helpURL", "http://help"}},
                        QJsonObject{{"srvlist", "ignored"}}}},
    };
    ASSERT_TRUE(Load(document));
    const TModinfo &mod = info.Modinfo;
    EXPECT_EQ(mod.resURL, QStringLiteral("http://res/"));
    EXPECT_EQ(mod.resVer, QStringLiteral("3"));
    EXPECT_EQ(mod.refer, QStringLiteral("r"));
    EXPECT_EQ(mod.urlsuffix, 4);
    EXPECT_EQ(mod.currVersion, 5);
    EXPECT_EQ(mod.reviewVersion, 6);
    EXPECT_TRUE(mod.FneedNP);
    EXPECT_TRUE(mod.FisEncrypt);
    EXPECT_EQ(mod.ModeItemAray.id, QStringLiteral("1001"));
    EXPECT_EQ(mod.ModeItemAray.name, QStringLiteral("神话"));
    EXPECT_EQ(mod.ServerLstUrl(), QStringLiteral("http://s/srv"));
    EXPECT_EQ(mod.WinUrl(), QStringLiteral("http://w/pkg.zip"));
    EXPECT_EQ(info.LoginURL, QStringLiteral("http://n"));
    EXPECT_EQ(info.PayURL, QStringLiteral("http://h"));
    EXPECT_EQ(info.HomeURL, QStringLiteral("http://h"));
    EXPECT_EQ(info.ContactURL, QStringLiteral("http://help"));
    EXPECT_EQ(gameType, QStringLiteral("brel"));
}

TEST_F(ModListTest, DigestIsOfTheCodePage936Text)
{
    const QString text = QStringLiteral("{\"modData\":[{\"name\":\"神话\"}]}");
    info.LoadModInfoFromJSONString(text, gameType);
    EXPECT_EQ(info.ModInfoMd5, UpperMd5OfCodePage936("{\"modData\":[{\"name\":\"\xC9\xF1\xBB\xB0\"}]}"));
}

TEST_F(ModListTest, OnlyTheExactWordSwitchesTheGameType)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Brel25D", "Brel25D"}, {"brel25d", "brel"}, {"Brel25D ", "brel"}, {"", "brel"}};
    for (const auto &[value, expected] : cases) {
        gameType = QStringLiteral("brel");
        ASSERT_TRUE(Load({{"gameType", value}}));
        EXPECT_EQ(gameType, QLatin1String(expected)) << '"' << value << '"';
    }
}

TEST_F(ModListTest, EncryptionFlagIsTheValueOne)
{
    const std::pair<QJsonValue, bool> cases[] = {{QJsonValue(1), true}, {QJsonValue(2), false},
        {QJsonValue(QStringLiteral("1")), true}, {QJsonValue(QStringLiteral("yes")), false}, {QJsonValue(true), true}};
    for (const auto &[value, expected] : cases) {
        ASSERT_TRUE(Load({{"customData", QJsonObject{{"isEncrypt", value}}}}));
        EXPECT_EQ(info.Modinfo.FisEncrypt, expected);
    }
}

TEST_F(ModListTest, AbsentPartsKeepTheirPreviousValues)
{
    ASSERT_TRUE(Load({{"customData", QJsonObject{{"isEncrypt", 1}}},
        {"modData", QJsonArray{QJsonObject{{"srvlist", "http://s/first"}}}}}));
    ASSERT_TRUE(Load({{"modData", QJsonArray{}}}));
    EXPECT_TRUE(info.Modinfo.FisEncrypt);
    EXPECT_EQ(info.Modinfo.ServerLstUrl(), QStringLiteral("http://s/first"));
}

TEST_F(ModListTest, TextThatIsNotADocumentChangesNothing)
{
    ASSERT_TRUE(Load({{"resURL", "kept"}}));
    for (const char *text : {"", "<html>", "{\"resURL\":"}) {
        EXPECT_FALSE(info.LoadModInfoFromJSONString(QString::fromLatin1(text), gameType)) << text;
        EXPECT_EQ(info.Modinfo.resURL, QStringLiteral("kept"));
    }
}

class ServerListTest : public ::testing::Test {
protected:
    bool Load(const QJsonObject &document) { return info.LoadServerListFromJSONString(Json(document)); }

    TServerInfo info;
};

TEST_F(ServerListTest, GroupsTakeTheirTaggedEntriesLastFirst)
{
    ASSERT_TRUE(Load({
        {"srvRoot", "gate"},
        {"serverGroup", QJsonArray{QJsonObject{{"name", "一区"}, {"tag", 3}}, QJsonObject{{"name", "二区"}, {"tag", 4}},
                            QJsonObject{{"name", "也是三"}, {"tag", 3}}}},
        {"serverData", QJsonArray{
            QJsonObject{{"tag", 3}, {"srvid", 1}, {"srvname", "P"}, {"port", 7001}, {"srvip", "10.0.0.1"}, {"state", 1}},
            QJsonObject{{"tag", 4}, {"srvid", 2}, {"srvname", "X"}, {"port", 7002}, {"srvip", "10.0.0.2"}},
            QJsonObject{{"tag", 3}, {"srvid", 3}, {"srvname", "Q"}, {"port", 7003}, {"srvip", "10.0.0.3"}, {"state", 2}},
            QJsonObject{{"tag", 9}, {"srvid", 4}, {"srvname", "nowhere"}, {"port", 7004}},
            QJsonObject{{"tag", 3}, {"srvid", 5}, {"srvname", "R"}, {"port", 7005}, {"srvip", "10.0.0.5"}, {"state", 3}},
        }},
    }));
    EXPECT_EQ(Servers(info), (QStringList{
        "一区/R@10.0.0.5:7005 id=5 state=3", "一区/Q@10.0.0.3:7003 id=3 state=2", "一区/P@10.0.0.1:7001 id=1 state=1",
        "二区/X@10.0.0.2:7002 id=2 state=0",
        "也是三/R@10.0.0.5:7005 id=5 state=3", "也是三/Q@10.0.0.3:7003 id=3 state=2", "也是三/P@10.0.0.1:7001 id=1 state=1",
    }));
    EXPECT_EQ(info.ServerList.Items(0).ImageIndex, 1);
}

TEST_F(ServerListTest, ShortKeysDefaultHostProxyPortAndState)
{
    ASSERT_TRUE(Load({
        {"srvRoot", "gate"},
        {"serverGroup", QJsonArray{QJsonObject{{"name", "G"}, {"tag", 2}}, QJsonObject{{"name", "Zero"}, {"tag", 0}}}},
        {"serverData", QJsonArray{
            QJsonObject{{"t", 2}, {"d", 21}, {"n", "short"}, {"p", 7100}, {"m", 12}},
            QJsonObject{{"t", 2}, {"d", 22}, {"n", "proxy"}, {"p", 7100}, {"i", "h"}, {"x", "8100"}},
            QJsonObject{{"tag", 2}, {"srvid", 23}, {"srvname", "zeroX"}, {"port", 7100}, {"srvip", "h"}, {"x", 0}},
            QJsonObject{{"tag", 2}, {"srvid", 24}, {"srvname", "hidden"}, {"port", 7100}, {"state", 5}},
            QJsonObject{{"tag", 2}, {"srvid", 25}, {"srvname", "badX"}, {"port", 7100}, {"x", "80a"}},
            QJsonObject{{"tag", 2}, {"srvid", 26}, {"srvname", "long"}, {"port", 7200}, {"mainsrvid", 12}, {"proxyport", 9000}},
            QJsonObject{{"tag", 0}, {"srvid", 27}, {"srvname", "longZero"}, {"port", 7300}},
        }},
    }));
    EXPECT_EQ(Servers(info), (QStringList{
        "G/long@s12-gate:7200 id=26 state=0",
        "G/zeroX@h:0 id=23 state=0",
        "G/proxy@h:8100 id=22 state=0",
        "G/short@s12-gate:7100 id=21 state=0",
        "Zero/@s0-gate:0 id=0 state=0",
    }));
}

TEST_F(ServerListTest, CustomAndTextFieldsAreStored)
{
    ASSERT_TRUE(Load({{"resURL", "a"}, {"sceneURL", "b"}, {"gmResURL", "c"}, {"resVer", 2}, {"refer", "e"},
        {"custom", QJsonObject{{"hideCopyright", "1"}}}}));
    EXPECT_EQ(info.Srvlist.FresURL, QStringLiteral("a"));
    EXPECT_EQ(info.Srvlist.FsceneURL, QStringLiteral("b"));
    EXPECT_EQ(info.Srvlist.FgmResURL, QStringLiteral("c"));
    EXPECT_EQ(info.Srvlist.FresVer, QStringLiteral("2"));
    EXPECT_EQ(info.Srvlist.Frefer, QStringLiteral("e"));
    EXPECT_EQ(info.Srvlist.Fcustom.hideCopyright, 1);
    ASSERT_TRUE(Load({}));
    EXPECT_EQ(info.Srvlist.Fcustom.hideCopyright, 0);
}

TEST_F(ServerListTest, LoadsAppendAndFailuresAddNothing)
{
    const QJsonObject document{{"serverGroup", QJsonArray{QJsonObject{{"name", "G"}, {"tag", 1}}}},
        {"serverData", QJsonArray{QJsonObject{{"tag", 1}, {"srvname", "a"}, {"srvip", "h"}}}}};
    ASSERT_TRUE(Load(document));
    ASSERT_TRUE(Load(document));
    EXPECT_EQ(info.ServerList.Count(), 2);
    // Empty text leaves the document's groups; they are not listed a third time.
    EXPECT_FALSE(info.LoadServerListFromJSONString(QString()));
    EXPECT_EQ(info.Srvlist.Count(), 1);
    EXPECT_FALSE(info.LoadServerListFromJSONString(QStringLiteral("not json")));
    EXPECT_EQ(info.Srvlist.Count(), 0);
    EXPECT_EQ(info.ServerList.Count(), 2);
    EXPECT_EQ(info.SrvLstMd5, UpperMd5OfCodePage936("not json"));
}

TEST(ServerGroupItem, GetItemOutsideTheListGivesNothing)
{
    TServerGroupItem group(QStringLiteral("G"), 0, 1);
    group.AddItem({});
    EXPECT_NE(group.GetItem(0), nullptr);
    EXPECT_EQ(group.GetItem(1), nullptr);
    EXPECT_EQ(group.GetItem(-1), nullptr);
    TSrvlist list;
    EXPECT_EQ(list.GetItem(0), nullptr);
}

} // namespace
} // namespace zelto
