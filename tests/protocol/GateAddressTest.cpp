#include "protocol/GateAddress.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(IsIPv4Address, MatchesDottedAddressesAnywhere)
{
    struct Case {
        const char *text;
        bool expected;
    };
    const Case cases[] = {
        {"127.0.0.1", true}, {"255.255.255.255", true}, {"0.0.0.0", true},
        {"gate 10.1.2.3 east", true}, // not anchored
        {"256.1.1.1", true},          // "56.1.1.1" inside it is an address
        {"1.2.3", false}, {"a.b.c.d", false}, {"", false}, {"gate.zelto.example", false},
        {"1..2.3.4", false}, {"300.300.300.300", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(IsIPv4Address(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(ServerConnectList, FindsEntriesByDomainOrAddressExactly)
{
    TServerConnectList list;
    TServerConnectInfo &entry = list.AddDomain(QStringLiteral("Gate.Example"));
    entry.FIP = QStringLiteral("10.0.0.1");
    EXPECT_EQ(list.GetServer(QStringLiteral("Gate.Example")), &entry);
    EXPECT_EQ(list.GetServer(QStringLiteral("10.0.0.1")), &entry);
    EXPECT_EQ(list.GetServer(QStringLiteral("gate.example")), nullptr);
    list.AddDomain(QStringLiteral("other"));
    EXPECT_EQ(list.GetServer(QStringLiteral("Gate.Example")), &entry); // stays where it is
}

TEST(ResolveHostAddress, GivesTheIPv4AddressOrNothing)
{
    EXPECT_EQ(ResolveHostAddress(QStringLiteral("localhost"), 5000), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(ResolveHostAddress(QStringLiteral("10.20.30.40"), 5000), QStringLiteral("10.20.30.40"));
    EXPECT_EQ(ResolveHostAddress(QString(), 5000), QString());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ResolveHostAddress(QStringLiteral("no-such-gate.invalid"), 2000), QString());
    EXPECT_LT(clock.elapsed(), 4000); // the deadline holds even when the resolver is slow
}

} // namespace
} // namespace zelto
