#pragma once

#include <QString>

namespace zelto {

// A new GUID as 32 upper-case hexadecimal digits (no braces, no hyphens); names temporary
// batch files and extraction folders.
QString NewGuidHex();

} // namespace zelto
