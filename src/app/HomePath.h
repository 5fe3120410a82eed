#pragma once

#include <QString>

namespace zelto {

// The launcher's folder with a trailing separator; empty until the main window exists.
QString HomePath();
void SetHomePath(const QString &folder);

} // namespace zelto
