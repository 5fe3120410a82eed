#include "launch/GameType.h"

namespace zelto {

QString GameType = QStringLiteral("brel");

} // namespace zelto
