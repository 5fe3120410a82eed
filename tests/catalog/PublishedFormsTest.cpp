#include "catalog/CatalogueSigning.h"
#include "catalog/ModListSubstitution.h"
#include "catalog/ServerListEnvelope.h"
#include "catalog/uModinfo.h"
#include "deploy/Deployment.h"
#include "launch/Xxtea.h"
#include "os/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QSet>

namespace zelto {
namespace {

QString Md5Lower(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

const QString kModList = QStringLiteral(
    "{\"gameType\":\"Brel25D\",\"customData\":{\"isEncrypt\":1},"
    "\"modData\":[{\"name\":\"神话·一区\",\"srvlist\":\"http://cdn.example/gsl/main/srv_1001.json?v=2\"}]}");

TEST(SubstitutionTable, HasFortyThreeRowsOfDistinctSubstitutesThatSurviveTheCodePage)
{
    const auto table = deploy::SubstitutionTable();
    ASSERT_EQ(table.size(), 43u);
    QSet<char16_t> plains;
    QSet<char16_t> substitutes;
    for (const deploy::SubstitutionRow &row : table) {
        plains.insert(row.Plain);
        for (char16_t unit : row.Substitutes) {
            substitutes.insert(unit);
            // Two UTF-8 bytes that read back as one code page 936 character and return intact.
            const QByteArray utf8 = QString(QChar(unit)).toUtf8();
            const QString asAnsi = os::FromAnsi(utf8);
            EXPECT_EQ(asAnsi.size(), 1) << std::hex << unsigned(unit);
            EXPECT_EQ(os::ToAnsi(asAnsi), utf8) << std::hex << unsigned(unit);
        }
    }
    EXPECT_EQ(plains.size(), 43);
    EXPECT_EQ(substitutes.size(), 172);
    EXPECT_FALSE(plains.intersects(substitutes));
}

TEST(ModListSubstitution, PublishedFormReadsBackThroughTheLaunchersPath)
{
    const QByteArray published = PublishSubstitutedModList(kModList);
    const QString received = QString::fromUtf8(published);
    EXPECT_FALSE(received.contains(QStringLiteral("gameType")));
    TModinfo mod;
    QString gameType = QStringLiteral("brel");
    ASSERT_TRUE(mod.InitModinfo(received, gameType));
    EXPECT_EQ(gameType, QStringLiteral("Brel25D"));
    EXPECT_TRUE(mod.FisEncrypt);
    EXPECT_EQ(mod.ModeItemAray.name, QStringLiteral("神话·一区"));
    EXPECT_EQ(mod.ServerLstUrl(), QStringLiteral("http://cdn.example/gsl/main/srv_1001.json?v=2"));
}

TEST(ModListSubstitution, UndoReplacesOnlyTableUnits)
{
    const deploy::SubstitutionRow &row = deploy::SubstitutionTable()[0];
    QString text = QStringLiteral("中x");
    for (char16_t unit : row.Substitutes)
        text += QChar(unit);
    EXPECT_EQ(UndoSubstitution(text), QStringLiteral("中x") + QString(4, QChar(row.Plain)));
}

TEST(ModListSubstitution, RefusesTextThatIsNotADocument)
{
    EXPECT_THROW(PublishSubstitutedModList(QStringLiteral("<html>")), std::runtime_error);
}

TEST(ServerListEnvelope, SealedListOpensToTheSameText)
{
    const QString document = QStringLiteral("{\"serverGroup\":[{\"name\":\"一区\",\"tag\":1}]}");
    const QString sealed = SealServerList(document);
    EXPECT_TRUE(QByteArray::fromBase64(sealed.toLatin1()).startsWith(kEnvelopeMarker));
    EXPECT_EQ(OpenServerListEnvelope(sealed), document);
}

TEST(ServerListEnvelope, OtherMarkerDoesNotOpen)
{
    const QByteArray otherMarker = "Xq5tZw2k" + XXTEAEncrypt("{}", kEnvironmentKey);
    EXPECT_FALSE(OpenServerListEnvelope(QString::fromLatin1(otherMarker.toBase64())));
    EXPECT_FALSE(OpenServerListEnvelope(QStringLiteral("{\"serverGroup\":[]}")));
}

TEST(ServerListEnvelope, DamagedCipherTextOpensToEmptyText)
{
    const QByteArray damaged = QByteArray(kEnvelopeMarker) + QByteArray(12, '\x55');
    EXPECT_EQ(OpenServerListEnvelope(QString::fromLatin1(damaged.toBase64())), QString());
    EXPECT_THROW(SealServerList(QStringLiteral("\u0E01")), std::runtime_error);
}

TEST(CatalogueSigning, DataNamesOfAddresses)
{
    const std::tuple<const char *, TCatalogueDocument, const char *> cases[] = {
        {"http://h/gsl/main/abc", TCatalogueDocument::ModList, "abc"},
        {"http://h/gsl/auth/mod_list_auth", TCatalogueDocument::ModList, ""},
        {"http://h/gsl/auth/mod_list_auth?x=1", TCatalogueDocument::ModList, ""},
        {"http://h:8080/gsl/main/sub/mod_1.json?v=2", TCatalogueDocument::ModList, "sub/mod_1.json"},
        {"http://h/gsl/auth/server_list_auth/gsl/main/srv.json", TCatalogueDocument::ServerList, "srv.json"},
        {"http://h/gsl/auth/server_list_auth", TCatalogueDocument::ModList, "/gsl/auth/server_list_auth"},
        {"http://h/a/gsl/main/gsl/main/x", TCatalogueDocument::ModList, "/agsl/main/x"},
        {"http://h", TCatalogueDocument::ModList, ""},
    };
    for (const auto &[address, kind, expected] : cases)
        EXPECT_EQ(DataNameOf(QString::fromLatin1(address), kind), QLatin1String(expected)) << address;
}

TEST(CatalogueSigning, AddressesCarryTimeAndSignature)
{
    EXPECT_EQ(SignedGatewayAddress(QStringLiteral("http://h/gw"), 1700000000),
        QStringLiteral("http://h/gw?time=1700000000&sign=") + Md5Lower("key=Rk7dQm2xLp9vTb4N&time=1700000000")
            + QStringLiteral("&type=getaway"));
    EXPECT_EQ(SignedDocumentAddress(QStringLiteral("http://h/gsl/main/mod_1.json"), TCatalogueDocument::ModList, 42),
        QStringLiteral("http://h/gsl/main/mod_1.json?time=42&sign=")
            + Md5Lower("data=mod_1.json&key=Rk7dQm2xLp9vTb4N&time=42"));
}

} // namespace
} // namespace zelto
