#pragma once

namespace zelto::os {

// Whether the archive library linked in can read RAR 4 and RAR 5 archives.
bool RarReadingAvailable();

} // namespace zelto::os
