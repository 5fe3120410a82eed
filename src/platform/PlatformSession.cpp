#include "platform/PlatformSession.h"

#include "deploy/Deployment.h"

namespace zelto {

TPlatformSession::TPlatformSession()
    : extra_param(deploy::ExtraParam())
    , user_certification(QStringLiteral("0"))
{
}

TPlatformSession &PlatformSession()
{
    static TPlatformSession session;
    return session;
}

} // namespace zelto
