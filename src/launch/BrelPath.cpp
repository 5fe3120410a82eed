#include "launch/BrelPath.h"

namespace zelto {

QString g_sBrelPath;

} // namespace zelto
