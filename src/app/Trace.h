#pragma once

#include <QString>

namespace zelto {

// The diagnostic trace sink. Many operations format a trace line; no behaviour depends on
// them. Lines are discarded unless ZELTO_TRACE names a file (or "-" for standard error).
void Trace(const QString &line);

} // namespace zelto
