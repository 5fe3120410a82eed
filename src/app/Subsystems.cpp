#include "app/Subsystems.h"

#include "platform/AccountPlatform.h"

namespace zelto {

void BindSubsystems(TuClientApp &app, TSubsystems &subsystems)
{
    subsystems.platform = std::make_unique<TAccountPlatform>(app);
}

} // namespace zelto
