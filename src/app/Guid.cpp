#include "app/Guid.h"

#include <QUuid>

namespace zelto {

QString NewGuidHex() { return QUuid::createUuid().toString(QUuid::Id128).toUpper(); }

} // namespace zelto
