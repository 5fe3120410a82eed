#include "platform/PlatformSession.h"
#include "support/LocalState.h"

#include <gtest/gtest.h>

namespace zelto {
namespace {

TEST(PlatformSession, StartsLoggedOutWithTheDeploymentsExtraParam)
{
    testing::ScopedLocalState state;
    state.SetEnvironment("ZELTO_EXTRA_PARAM", "http://127.0.0.1:9/extra");
    TPlatformSession &session = PlatformSession();
    session.user_id = QStringLiteral("42");
    session.user_certification = QStringLiteral("1");
    session.Reset();
    EXPECT_FALSE(session.LoggedIn());
    EXPECT_EQ(session.extra_param, QStringLiteral("http://127.0.0.1:9/extra"));
    EXPECT_EQ(session.user_certification, QStringLiteral("0"));
    EXPECT_TRUE(session.token.isEmpty());
}

} // namespace
} // namespace zelto
