#pragma once

#include <QString>

namespace zelto {

// The game-client folder, always ending with a path separator; decided once per run.
extern QString g_sBrelPath;

} // namespace zelto
