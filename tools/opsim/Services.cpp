#include "CatalogueService.h"
#include "GateService.h"
#include "PlatformService.h"
#include "Service.h"

#include <QJsonDocument>

#include <array>

namespace zelto::opsim {

std::span<const TServiceKind> ServiceKinds()
{
    static constexpr std::array kinds{
        TServiceKind{"catalogue", "gateway, signed mod lists and server lists, backup mod lists",
            &CreateCatalogueService},
        TServiceKind{"gate", "login gates, one loopback port per server entry", &CreateGateService},
        TServiceKind{"platform", "account platform: login, sub-accounts, phone codes, password change, real-name, QQ / WeChat",
            &CreatePlatformService},
    };
    return kinds;
}

TReply TReply::Json(const QJsonObject &object)
{
    TReply reply;
    reply.Body = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return reply;
}

TReply TReply::Refusal(int status, const QString &why)
{
    TReply reply = Json({{QStringLiteral("msg"), why}});
    reply.Status = status;
    reply.Note = why;
    return reply;
}

} // namespace zelto::opsim
