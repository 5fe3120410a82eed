#pragma once

#include <QString>

namespace zelto::os {

// Opens an address with the desktop's default web browser (on Windows the browser named by
// the registry's "HTTP\Shell\open\command"). False when nothing could open it.
bool OpenUrlInBrowser(const QString &address);

} // namespace zelto::os
