#include "app/HomePath.h"

namespace zelto {
namespace {

QString g_homePath;

} // namespace

QString HomePath() { return g_homePath; }

void SetHomePath(const QString &folder) { g_homePath = folder; }

} // namespace zelto
