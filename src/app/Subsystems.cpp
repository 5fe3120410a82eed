#include "app/Subsystems.h"

namespace zelto {

void BindSubsystems(TuClientApp &, TSubsystems &)
{
    // Subsystems are bound here as they are built.
}

} // namespace zelto
