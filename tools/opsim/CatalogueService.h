#pragma once

#include "Service.h"

// The operator's catalogue: the gateway that hands out mod-list addresses, the signed mod
// lists and server lists, and the backup mod lists. Scenario section "catalogue".
namespace zelto::opsim {

std::unique_ptr<IService> CreateCatalogueService(const QJsonObject &section, TServiceContext &context);

} // namespace zelto::opsim
